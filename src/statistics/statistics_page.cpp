#include "statistics/statistics_page.h"

#include <QChart>
#include <QChartView>
#include <QFontMetrics>
#include <QScrollArea>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QApplication>
#include <QProgressDialog>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include "core/memory/due_today.h"
#include "core/memory/memory_columns.h"
#include "core/memory/memory_settings.h"
#include "core/memory/model_fitting.h"
#include "core/stats/stats_csv.h"
#include "platform/fonts.h"
#include "platform/guard.h"
#include "statistics/statistics_charts.h"
#include "store/database.h"
#include "store/file_saver.h"

namespace morvanta::statistics {

namespace {

QDate Today(const store::Clock& clock) {
    const store::DateTime now = clock.now();
    return QDate(now.year, now.month, now.day);
}

QString Plural(int count, const char* one, const char* many) {
    return QStringLiteral("%1 %2").arg(count).arg(QString::fromUtf8(count == 1 ? one : many));
}

QChartView* NewChartView(QWidget* parent) {
    auto* view = new QChartView(parent);
    view->setRenderHint(QPainter::Antialiasing);
    view->setMinimumHeight(160);
    return view;
}

// A button wide enough for its caption with room to both sides of the text,
// whatever the style's own hint gives.
QPushButton* NewButton(const QString& caption, const char* name, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setMinimumWidth(button->fontMetrics().horizontalAdvance(caption) + 20);
    return button;
}

QSpinBox* NewSpinBox(const char* name, int lowest, int highest, int value, QWidget* parent) {
    auto* box = new QSpinBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setRange(lowest, highest);
    box->setValue(value);
    return box;
}

QLabel* Labelled(const QString& caption, QWidget* buddy, QWidget* parent) {
    auto* label = new QLabel(caption, parent);
    label->setBuddy(buddy);
    return label;
}

// Shows a new chart and lets the view own it (the former one goes).
void Show(QChartView* view, QChart* chart) {
    QChart* former = view->chart();
    view->setChart(chart);
    delete former;
}

}  // namespace

StatisticsPage::StatisticsPage(const StatisticsContext& context, QWidget* parent)
    : QWidget(parent), context_(context) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 6, 8, 6);
    auto* directionRow = new QHBoxLayout;
    auto* directionLabel = new QLabel(QStringLiteral("Richtung:"), this);
    DirectionBox = new QComboBox(this);
    DirectionBox->setObjectName(QStringLiteral("DirectionBox"));
    DirectionBox->addItem(QStringLiteral("Japanisch → Deutsch"),
                          static_cast<int>(stats::Direction::JapaneseToGerman));
    DirectionBox->addItem(QStringLiteral("Deutsch → Japanisch"),
                          static_cast<int>(stats::Direction::GermanToJapanese));
    DirectionBox->setToolTip(
        QStringLiteral("Jede Abfragerichtung hat ihre eigenen Zahlen und fälligen Vokabeln."));
    directionLabel->setBuddy(DirectionBox);
    directionRow->addWidget(directionLabel);
    directionRow->addWidget(DirectionBox);
    directionRow->addStretch(1);
    layout->addLayout(directionRow);
    SummaryLabel = new QLabel(this);
    SummaryLabel->setObjectName(QStringLiteral("SummaryLabel"));
    SummaryLabel->setWordWrap(true);
    layout->addWidget(SummaryLabel);

    auto* row = new QHBoxLayout;
    DueButton = NewButton(QStringLiteral("Fällige abfragen"), "DueButton", this);
    DueButton->setToolTip(QString::fromUtf8(memory::kDueRule));
    memory::LearnerSettings settings;
    try {
        settings = memory::ReadLearnerSettings(context_.session.config());
    } catch (const std::exception&) {
        // A configuration that does not read is reported where the program opens it.
    }
    DueCount = NewSpinBox("DueCount", 1, 9999, 30, this);
    NewPerDay = NewSpinBox("NewPerDay", 0, 9999, settings.newPerDay, this);
    NewPerDay->setToolTip(QStringLiteral("So viele markierte, noch nie abgefragte Vokabeln kommen an einem Tag "
                                         "höchstens dazu."));
    CsvButton = NewButton(QStringLiteral("CSV speichern …"), "CsvButton", this);
    row->addWidget(DueButton);
    row->addWidget(Labelled(QStringLiteral("Anzahl:"), DueCount, this));
    row->addWidget(DueCount);
    row->addWidget(Labelled(QStringLiteral("Neue pro Tag:"), NewPerDay, this));
    row->addWidget(NewPerDay);
    row->addStretch(1);
    row->addWidget(CsvButton);
    layout->addLayout(row);

    auto* memoryRow = new QHBoxLayout;
    RetentionBox = NewSpinBox("RetentionBox", memory::kMinRetentionPercent, memory::kMaxRetentionPercent,
                              memory::RetentionPercent(settings.model.retention), this);
    RetentionBox->setSuffix(QStringLiteral(" %"));
    RetentionBox->setToolTip(QStringLiteral("Eine Vokabel wird fällig, wenn Sie sie nur noch mit dieser "
                                            "Wahrscheinlichkeit erinnern. Höher: öfter wiederholen, weniger "
                                            "vergessen."));
    FitButton = NewButton(QStringLiteral("Modell anpassen"), "FitButton", this);
    FitButton->setToolTip(QStringLiteral("Passt das Gedächtnismodell an Ihre bisherigen Antworten an (ab %1 "
                                         "Antworten zu %2 Vokabeln).")
                              .arg(memory::kMinFitAnswers)
                              .arg(memory::kMinFitWords));
    TodayLabel = new QLabel(this);
    TodayLabel->setObjectName(QStringLiteral("TodayLabel"));
    memoryRow->addWidget(Labelled(QStringLiteral("Gewünschte Erinnerung:"), RetentionBox, this));
    memoryRow->addWidget(RetentionBox);
    memoryRow->addWidget(FitButton);
    memoryRow->addWidget(TodayLabel, 1);
    layout->addLayout(memoryRow);

    ChartTabs = new QTabWidget(this);
    ChartTabs->setObjectName(QStringLiteral("ChartTabs"));
    ForecastView = NewChartView(this);
    ChartTabs->addTab(ForecastView, QStringLiteral("Vorschau"));
    ChartTabs->addTab(buildAnswersTab(), QStringLiteral("Antworten pro Tag"));
    ChartTabs->addTab(buildErrorTab(), QStringLiteral("Fehlerquote"));
    LastAskedView = NewChartView(this);
    ChartTabs->addTab(LastAskedView, QStringLiteral("Zuletzt abgefragt"));
    ChartTabs->addTab(buildTroubleTab(), QStringLiteral("Oft falsch"));
    layout->addWidget(ChartTabs, 1);

    connect(DirectionBox, &QComboBox::currentIndexChanged, this, [this] {
        platform::Guarded(context_.dialogs, [this] { refresh(); });
    });
    connect(DueButton, &QPushButton::clicked, this, &StatisticsPage::DueButtonClick);
    connect(CsvButton, &QPushButton::clicked, this, &StatisticsPage::CsvButtonClick);
    connect(FitButton, &QPushButton::clicked, this, &StatisticsPage::FitButtonClick);
    connect(NewPerDay, &QSpinBox::valueChanged, this, [this](int count) {
        platform::Guarded(context_.dialogs, [this, count] {
            memory::SaveNewPerDay(context_.session.config(), count);
            if (context_.Table1.active()) showToday(*database());
        });
    });
    connect(RetentionBox, &QSpinBox::valueChanged, this, [this](int percent) {
        platform::Guarded(context_.dialogs, [this, percent] {
            memory::SaveRetentionPercent(context_.session.config(), percent);
            if (context_.Table1.active()) showToday(*database());
        });
    });
}

QWidget* StatisticsPage::buildAnswersTab() {
    auto* tab = new QWidget(this);
    auto* layout = new QVBoxLayout(tab);
    auto* row = new QHBoxLayout;
    auto* label = new QLabel(QStringLiteral("Zeitraum:"), tab);
    PeriodBox = new QComboBox(tab);
    PeriodBox->setObjectName(QStringLiteral("PeriodBox"));
    for (int days : {30, 90, 365}) PeriodBox->addItem(QStringLiteral("letzte %1 Tage").arg(days), days);
    label->setBuddy(PeriodBox);
    row->addWidget(label);
    row->addWidget(PeriodBox);
    row->addStretch(1);
    layout->addLayout(row);
    AnswersView = NewChartView(tab);
    layout->addWidget(AnswersView, 1);
    connect(PeriodBox, &QComboBox::currentIndexChanged, this, [this] {
        platform::Guarded(context_.dialogs, [this] { drawAnswers(); });
    });
    return tab;
}

QWidget* StatisticsPage::buildErrorTab() {
    auto* tab = new QWidget(this);
    auto* layout = new QVBoxLayout(tab);
    auto* row = new QHBoxLayout;
    auto* label = new QLabel(QStringLiteral("Falsche Antworten je"), tab);
    GroupBox = new QComboBox(tab);
    GroupBox->setObjectName(QStringLiteral("GroupBox"));
    GroupBox->addItems({QStringLiteral("Lektion"), QStringLiteral("Typ")});
    label->setBuddy(GroupBox);
    row->addWidget(label);
    row->addWidget(GroupBox);
    row->addStretch(1);
    layout->addLayout(row);
    // The rows keep a readable height; many lessons scroll.
    auto* scroll = new QScrollArea(tab);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ErrorView = NewChartView(scroll);
    scroll->setWidget(ErrorView);
    layout->addWidget(scroll, 1);
    connect(GroupBox, &QComboBox::currentIndexChanged, this, [this] { drawErrors(); });
    return tab;
}

QWidget* StatisticsPage::buildTroubleTab() {
    TroubleTable = new QTableWidget(0, 5, this);
    TroubleTable->setObjectName(QStringLiteral("TroubleTable"));
    TroubleTable->setHorizontalHeaderLabels({QStringLiteral("Kanji"), QStringLiteral("Kana"),
                                             QStringLiteral("Übersetzung"), QStringLiteral("Falsch"),
                                             QStringLiteral("Abgefragt")});
    TroubleTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    TroubleTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    TroubleTable->setSelectionMode(QAbstractItemView::SingleSelection);
    TroubleTable->verticalHeader()->hide();
    for (int column : {0, 1, 3, 4})
        TroubleTable->horizontalHeader()->setSectionResizeMode(column, QHeaderView::ResizeToContents);
    TroubleTable->horizontalHeader()->setSectionResizeMode(2, QHeaderView::Stretch);
    TroubleTable->setToolTip(QStringLiteral("Ein Klick zeigt die Vokabel auf der Seite „Suche / Ändern“."));
    connect(TroubleTable, &QTableWidget::cellClicked, this, [this](int row, int) {
        if (row >= 0 && row < static_cast<int>(figures_.trouble.size()))
            emit wordChosen(figures_.trouble[static_cast<size_t>(row)].wordId);
    });
    return TroubleTable;
}

void StatisticsPage::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    platform::Guarded(context_.dialogs, [this] { refresh(); });
}

std::shared_ptr<store::Database> StatisticsPage::database() {
    if (!context_.Table1.active())
        throw std::runtime_error("Die Vokabeltabelle ist nicht geöffnet; es gibt keine Statistik.");
    return context_.session.connect(store::kVocabularyAlias);
}

stats::Direction StatisticsPage::direction() const {
    return static_cast<stats::Direction>(DirectionBox->currentData().toInt());
}

void StatisticsPage::refresh() {
    figures_ = {};
    std::shared_ptr<store::Database> db;
    try {
        db = database();
    } catch (const std::exception& e) {
        SummaryLabel->setText(QString::fromUtf8(e.what()));
        return;
    }
    const QDate today = Today(context_.clock);
    figures_ = stats::ReadWordFigures(*db, today, direction());
    const int week = stats::AnswersInLastWeek(*db, today, direction());
    const int streak = stats::PracticeStreak(*db, today, direction());
    SummaryLabel->setText(QStringLiteral("%1 gespeichert, %2 markiert, %3 schon abgefragt · %4 in den "
                                         "letzten 7 Tagen · %5 in Folge geübt")
                              .arg(Plural(figures_.words, "Vokabel", "Vokabeln"))
                              .arg(figures_.marked)
                              .arg(figures_.askedOnce)
                              .arg(Plural(week, "Antwort", "Antworten"))
                              .arg(Plural(streak, "Tag", "Tage")));
    showToday(*db);
    drawAnswers();
    drawErrors();
    Show(LastAskedView, LastAskedChart(figures_.lastAsked));
    fillTrouble();
}

void StatisticsPage::drawAnswers() {
    if (!context_.Table1.active()) return;
    const int days = PeriodBox->currentData().toInt();
    Show(AnswersView, AnswersChart(stats::AnswersPerDay(*database(), Today(context_.clock), days, direction())));
}

void StatisticsPage::drawErrors() {
    const bool byLesson = GroupBox->currentIndex() == 0;
    const auto& groups = byLesson ? figures_.lessons : figures_.types;
    // Room for each row's name, its bar and the axes below.
    const int rowHeight = QFontMetrics(platform::UiFont(10)).height() + 8;
    ErrorView->setMinimumHeight(90 + rowHeight * static_cast<int>(groups.size()));
    Show(ErrorView, ErrorRatioChart(groups, GroupBox->currentText()));
}

void StatisticsPage::fillTrouble() {
    TroubleTable->setRowCount(static_cast<int>(figures_.trouble.size()));
    int row = 0;
    for (const stats::TroubleWord& word : figures_.trouble) {
        const QString cells[] = {QString::fromStdString(word.kanji), QString::fromStdString(word.kana),
                                 QString::fromStdString(word.translation), QString::number(word.wrong),
                                 QString::number(word.asked)};
        for (int column = 0; column < 5; ++column) {
            auto* item = new QTableWidgetItem(cells[column]);
            if (column >= 3) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            TroubleTable->setItem(row, column, item);
        }
        ++row;
    }
}

void StatisticsPage::keepMemory(store::Database& db) {
    memory::KeepInStep(db, memory::ReadLearnerSettings(context_.session.config()).model);
}

memory::TodayRequest StatisticsPage::todayRequest() const {
    memory::TodayRequest request;
    request.count = DueCount->value();
    request.newPerDay = NewPerDay->value();
    request.direction = direction();
    return request;
}

void StatisticsPage::showToday(store::Database& db) {
    keepMemory(db);
    const store::DateTime now = context_.clock.now();
    const memory::TodayPlan plan = memory::PlanToday(db, todayRequest(), now);
    TodayLabel->setText(QStringLiteral("Heute: %1 fällig, %2 neu verfügbar")
                            .arg(plan.dueNow)
                            .arg(plan.newAvailable));
    Show(ForecastView, ForecastChart(memory::DueForecast(db, direction(), now, 30), Today(context_.clock)));
}

void StatisticsPage::DueButtonClick() {
    platform::Guarded(context_.dialogs, [this] {
        std::shared_ptr<store::Database> db = database();
        keepMemory(*db);
        const memory::TodayPlan plan = memory::PlanToday(*db, todayRequest(), context_.clock.now());
        if (plan.due.empty() && plan.fresh.empty()) {
            context_.dialogs.showInfo(QStringLiteral("Heute ist keine Vokabel fällig, und keine neue ist an der "
                                                     "Reihe.\n\n") +
                                      QString::fromUtf8(memory::kDueRule));
            return;
        }
        emit quizRequested(QString::fromStdString(memory::TodaySelectionSql(plan)), direction());
    });
}

void StatisticsPage::FitButtonClick() {
    platform::Guarded(context_.dialogs, [this] {
        std::shared_ptr<store::Database> db = database();
        store::AliasConfig& config = context_.session.config();
        const memory::LearnerSettings settings = memory::ReadLearnerSettings(config);
        QProgressDialog progress(QStringLiteral("Das Gedächtnismodell wird an Ihre Antworten angepasst …"),
                                 QStringLiteral("Abbrechen"), 0, 1000, this);
        progress.setObjectName(QStringLiteral("FitProgress"));
        progress.setWindowTitle(QStringLiteral("Modell anpassen"));
        progress.setWindowModality(Qt::WindowModal);
        progress.setMinimumDuration(0);
        const auto report = memory::FitToLearner(*db, settings.model.weights, [&progress](double done) {
            progress.setValue(static_cast<int>(done * 1000));
            QApplication::processEvents();
            return !progress.wasCanceled();
        });
        progress.reset();
        if (!report) return;
        if (report->better) {
            memory::SaveWeights(config, report->weights);
            keepMemory(*db);
            refresh();
        }
        context_.dialogs.showInfo(QString::fromStdString(memory::FitReportText(*report)));
    });
}

void StatisticsPage::CsvButtonClick() {
    platform::Guarded(context_.dialogs, [this] {
        const auto name = context_.dialogs.askFileName(csvDialog_);
        if (!name) return;
        std::shared_ptr<store::Database> db = database();
        store::FileSaver saver(name->toStdString());
        keepMemory(*db);
        const stats::WordColumns memoryColumns = memory::MemoryColumns(*db, direction(), context_.clock.now());
        stats::WriteStatisticsCsv(*db, saver.stream(), direction(), &memoryColumns);
        saver.commit();
    });
}

}  // namespace morvanta::statistics
