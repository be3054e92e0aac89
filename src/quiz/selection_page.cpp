#include "quiz/selection_page.h"

#include <algorithm>

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QRadioButton>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <climits>

#include "platform/guard.h"
#include "core/quiz/answer_check.h"
#include "core/quiz/quiz_session.h"
#include "quiz/quiz_query.h"
#include "store/type_words.h"

namespace morvanta::quiz {

namespace {

constexpr char kDefaultSql[] = "SELECT * FROM Vokabel WHERE Marked=True;";

QCheckBox* MakeCheck(QWidget* parent, const char* name, const char* caption, QRect geometry,
                     bool checked = false) {
    auto* box = new QCheckBox(QString::fromUtf8(caption), parent);
    box->setObjectName(QString::fromLatin1(name));
    // A font wider than the design's widens the box to its caption.
    geometry.setWidth(std::max(geometry.width(), box->sizeHint().width()));
    box->setGeometry(geometry);
    box->setChecked(checked);
    return box;
}

QDateEdit* MakeDate(QWidget* parent, const char* name, QRect geometry) {
    auto* edit = new QDateEdit(QDate(2007, 1, 1), parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    edit->setCalendarPopup(true);
    edit->setGeometry(geometry);
    edit->setEnabled(false);
    return edit;
}

QSpinBox* MakeSpin(QWidget* parent, const char* name, int value, QRect geometry) {
    auto* spin = new QSpinBox(parent);
    spin->setObjectName(QString::fromLatin1(name));
    spin->setRange(INT_MIN, INT_MAX);  // no bounds
    spin->setValue(value);
    spin->setGeometry(geometry);
    return spin;
}

QPushButton* MakeButton(QWidget* parent, const char* name, const char* caption, QRect geometry) {
    auto* button = new QPushButton(QString::fromUtf8(caption), parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(geometry);
    return button;
}

CalendarDate ToCalendar(const QDate& d) { return {d.year(), d.month(), d.day()}; }

std::vector<std::string> MemoLines(const QPlainTextEdit& memo) {
    std::vector<std::string> lines;
    const QStringList parts = memo.toPlainText().split(QLatin1Char('\n'));
    for (const QString& line : parts) lines.push_back(line.toStdString());
    // A trailing line break adds no line.
    if (!lines.empty() && lines.back().empty()) lines.pop_back();
    return lines;
}

}  // namespace

SelectionPage::SelectionPage(const platform::SelectionContext& context, QuizState& state, QWidget* parent)
    : QWidget(parent), context_(context), state_(state) {
    setToolTip(QStringLiteral("Eine Vokabelauswahl für Vokabelabfrage oder Export treffen"));
    buildSelectionGroup();
    buildSqlGroup();
    buildDirectionGroup();
}

void SelectionPage::buildDirectionGroup() {
    DirectionGroup = new QGroupBox(QStringLiteral("Abfragerichtung"), this);
    DirectionGroup->setObjectName(QStringLiteral("DirectionGroup"));
    DirectionGroup->setGeometry(8, 354, 564, 46);
    JapaneseToGermanButton = new QRadioButton(QStringLiteral("Japanisch → Deutsch"), DirectionGroup);
    JapaneseToGermanButton->setObjectName(QStringLiteral("JapaneseToGermanButton"));
    JapaneseToGermanButton->setGeometry(8, 20, 200, 20);
    JapaneseToGermanButton->setChecked(true);
    GermanToJapaneseButton = new QRadioButton(QStringLiteral("Deutsch → Japanisch"), DirectionGroup);
    GermanToJapaneseButton->setObjectName(QStringLiteral("GermanToJapaneseButton"));
    GermanToJapaneseButton->setGeometry(220, 20, 200, 20);
    GermanToJapaneseButton->setToolTip(QStringLiteral(
        "Die Übersetzung wird gezeigt; die Antwort ist das japanische Wort in Romaji, Kana oder Kanji"));
    connect(GermanToJapaneseButton, &QRadioButton::toggled, this,
            [this](bool) { emit directionChanged(direction()); });
}

stats::Direction SelectionPage::direction() const {
    return GermanToJapaneseButton->isChecked() ? stats::Direction::GermanToJapanese
                                               : stats::Direction::JapaneseToGerman;
}

void SelectionPage::setDirection(stats::Direction direction) {
    (direction == stats::Direction::GermanToJapanese ? GermanToJapaneseButton : JapaneseToGermanButton)
        ->setChecked(true);
}

void SelectionPage::buildSelectionGroup() {
    GroupBox1 = new QGroupBox(QStringLiteral("Vokabelauswahl"), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    GroupBox1->setGeometry(8, 8, 360, 340);
    QWidget* g = GroupBox1;

    QCRatio = MakeCheck(g, "QCRatio", "Ratio: Falsch/Abgefragt    grösser als:", {8, 20, 228, 20});
    QERatio = new QLineEdit(g);
    QERatio->setObjectName(QStringLiteral("QERatio"));
    QERatio->setInputMask(QStringLiteral("0.000;_"));
    QERatio->setGeometry(240, 18, 60, 22);
    QERatio->setEnabled(false);

    QCAge = MakeCheck(g, "QCAge", "Älter als:", {8, 46, 228, 20});
    QEAge = MakeDate(g, "QEAge", {240, 44, 108, 22});
    QCAsked = MakeCheck(g, "QCAsked", "Zuletzt abgefragt vor:", {8, 72, 228, 20});
    QEAskedDate = MakeDate(g, "QEAskedDate", {240, 70, 108, 22});
    QCLesson = MakeCheck(g, "QCLesson", "Aus Lektion:", {8, 98, 228, 20});
    QELesson = MakeSpin(g, "QELesson", 1, {240, 96, 108, 22});
    QELesson->setEnabled(false);
    QCtype = MakeCheck(g, "QCtype", "Typ:", {8, 124, 228, 20});
    QEtype = new QComboBox(g);
    QEtype->setObjectName(QStringLiteral("QEtype"));
    for (std::string_view word : store::kTypeWords)
        QEtype->addItem(QString::fromUtf8(word.data(), static_cast<qsizetype>(word.size())));
    QEtype->setCurrentIndex(-1);
    QEtype->setGeometry(240, 122, 108, 22);
    QEtype->setEnabled(false);

    RandomCheckBox = MakeCheck(g, "RandomCheckBox", "Vokabeln per Zufall anzeigen", {8, 160, 300, 20}, true);
    WrongShowagainCheckBox = MakeCheck(g, "WrongShowagainCheckBox",
                                       "Falsche Antworten erneut anzeigen", {8, 184, 300, 20}, true);
    DoubleWrongCheckBox = MakeCheck(g, "DoubleWrongCheckBox", "Falsche Vokabel 2 x anzeigen",
                                    {8, 208, 300, 20}, true);
    ChunkCheckBox = MakeCheck(g, "ChunkCheckBox", "Mischen unter den ersten", {8, 232, 180, 20}, true);
    ChunkSize = MakeSpin(g, "ChunkSize", 7, {190, 230, 60, 22});
    ChunkSize->setRange(kMinChunkSize, kMaxQueueRecord);
    ChunkLabel = new QLabel(QStringLiteral("Vokabeln"), g);
    ChunkLabel->setGeometry(256, 233, 80, 18);
    IgnoreCapsBox = MakeCheck(g, "IgnoreCapsBox", "Groß/Kleinschreibung ingorieren", {8, 256, 300, 20}, true);

    Button9 = MakeButton(g, "Button9", "Alle", {8, 300, 75, 25});
    Button8 = MakeButton(g, "Button8", "Ausführen", {96, 300, 75, 25});

    connect(QCRatio, &QCheckBox::clicked, this, [this] { QCRatioClick(); });
    connect(QCAge, &QCheckBox::clicked, this, [this] { QCAgeClick(); });
    connect(QCAsked, &QCheckBox::clicked, this, [this] { QCAskedClick(); });
    connect(QCLesson, &QCheckBox::clicked, this, [this] { QCLessonClick(); });
    connect(QCtype, &QCheckBox::clicked, this, [this] { QCtypeClick(); });
    connect(Button8, &QPushButton::clicked, this, [this] { Button8Click(); });
    connect(Button9, &QPushButton::clicked, this, [this] { Button9Click(); });
}

void SelectionPage::buildSqlGroup() {
    GroupBox3 = new QGroupBox(QStringLiteral("SQL"), this);
    GroupBox3->setObjectName(QStringLiteral("GroupBox3"));
    GroupBox3->setGeometry(376, 8, 196, 340);
    QWidget* g = GroupBox3;
    // Starts nearer the group's edge than the memo so a wider caption still fits.
    CheckBox5 = MakeCheck(g, "CheckBox5", "Eigene SQL Query verwenden", {4, 20, 184, 20});
    Memo1 = new QPlainTextEdit(g);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setPlainText(QString::fromLatin1(kDefaultSql));
    Memo1->setGeometry(8, 46, 180, 246);
    Memo1->setEnabled(false);
    Button5 = MakeButton(g, "Button5", "Standart", {8, 300, 75, 25});
    Button5->setEnabled(false);
    Button4 = MakeButton(g, "Button4", "Ausführen", {113, 300, 75, 25});
    Button4->setEnabled(false);

    connect(CheckBox5, &QCheckBox::clicked, this, [this] { CheckBox5Click(); });
    connect(Button5, &QPushButton::clicked, this, [this] { Button5Click(); });
    connect(Button4, &QPushButton::clicked, this, [this] { Button4Click(); });
}

void SelectionPage::applyColumns(const platform::ColumnLayout&) {}

void SelectionPage::QCRatioClick() { QERatio->setEnabled(QCRatio->isChecked()); }
void SelectionPage::QCAgeClick() { QEAge->setEnabled(QCAge->isChecked()); }
void SelectionPage::QCAskedClick() { QEAskedDate->setEnabled(QCAsked->isChecked()); }
void SelectionPage::QCLessonClick() { QELesson->setEnabled(QCLesson->isChecked()); }
void SelectionPage::QCtypeClick() { QEtype->setEnabled(QCtype->isChecked()); }

void SelectionPage::CheckBox5Click() {
    const bool own = CheckBox5->isChecked();
    Memo1->setEnabled(own);
    Button5->setEnabled(own);
    Button4->setEnabled(own);
    // The options keep their values and still apply while their group is disabled.
    GroupBox1->setEnabled(!own);
}

void SelectionPage::Button5Click() { Memo1->setPlainText(QString::fromLatin1(kDefaultSql)); }

void SelectionPage::Button4Click() {
    const auto confirm = [this](const store::ChangeCounts& counts) {
        return context_.dialogs.askYesNo(QString::fromStdString(ChangeQuestion(counts)));
    };
    try {
        const store::ExecResult result = RunQuizQuery(context_.Query1, MemoLines(*Memo1), confirm);
        if (result.kind == store::StatementKind::Select) return;
        if (result.declined) {
            context_.dialogs.showInfo(QStringLiteral("Es wurde nichts verändert."));
            return;
        }
        if (result.counts.any()) emit wordsChanged();
        context_.dialogs.showInfo(QString::fromStdString(ExecReport(result)));
    } catch (const store::EngineError& e) {
        // A cancelled statement changed nothing; any other failure says why.
        if (e.isCancelled()) return;
        context_.dialogs.showError(e.isRefused() ? QString::fromStdString(e.what())
                                                 : QStringLiteral("SQL Fehler: ") + QString::fromStdString(e.what()));
    } catch (const std::exception& e) {
        context_.dialogs.showError(QStringLiteral("SQL Fehler: ") + QString::fromStdString(e.what()));
    }
}

void SelectionPage::Button8Click() {
    platform::Guarded(context_.dialogs, [this] {
        BuildSelectionSql();
        RunQuizQuery(context_.Query1, {state_.SelectionSql});
        if (context_.Query1.recordCount() == 0)
            context_.dialogs.showInfo(
                QStringLiteral("Keine Vokabel mit diesen Eigenschaften gefunden."));
    });
}

void SelectionPage::Button9Click() {
    platform::Guarded(context_.dialogs,
                      [this] { RunQuizQuery(context_.Query1, {"SELECT * FROM Vokabel;"}); });
}

QString SelectionPage::ratioText() const {
    // Unfilled places read as blanks, the point stays: " .   " when empty.
    QString text = QERatio->displayText();
    text.replace(QLatin1Char('_'), QLatin1Char(' '));
    return text;
}

SelectionCriteria SelectionPage::criteria() const {
    SelectionCriteria c;
    c.QCAge = QCAge->isChecked();
    c.ageDate = ToCalendar(QEAge->date());
    c.QCLesson = QCLesson->isChecked();
    c.lesson = QELesson->value();
    c.QCRatio = QCRatio->isChecked();
    c.ratioText = ratioText().toStdString();
    c.QCtype = QCtype->isChecked();
    c.typeText = QEtype->currentIndex() < 0 ? std::string() : QEtype->currentText().toStdString();
    c.QCAsked = QCAsked->isChecked();
    c.askedDate = ToCalendar(QEAskedDate->date());
    return c;
}

QuizOptions SelectionPage::options() const {
    QuizOptions o;
    o.WrongShowagain = WrongShowagainCheckBox->isChecked();
    o.DoubleWrong = DoubleWrongCheckBox->isChecked();
    o.Chunk = ChunkCheckBox->isChecked();
    o.ChunkSize = ChunkSize->value();
    o.IgnoreCaps = IgnoreCapsBox->isChecked();
    o.direction = direction();
    return o;
}

void SelectionPage::BuildSelectionSql() { state_.SelectionSql = quiz::BuildSelectionSql(criteria()); }

void SelectionPage::ResetScore() {
    state_.RightCount = 0;
    state_.WrongCount = 0;
    ShowScore();
}

void SelectionPage::ShowScore() { quiz::ShowScore(context_.statusBar, state_); }

void SelectionPage::Query1AfterOpen() {
    const SessionStart start =
        StartSession(state_, context_.Query1, RandomCheckBox->isChecked(), context_.random);
    const int count = state_.SelectionCount;
    ResetScore();
    if (start == SessionStart::Empty) {
        const QString none = QStringLiteral("Keine Vokabel ausgewählt");
        context_.statusBar.setPanelText(2, none);
        emit sessionShown(none, false);
        return;
    }
    context_.statusBar.setPanelText(2, QString::number(count) + QStringLiteral(" Vokabeln ausgewählt"));
    emit sessionShown(QString::fromStdString(ProgressText(0, count)), start == SessionStart::Ready);
    if (start == SessionStart::TooLarge)
        context_.dialogs.showError(
            QStringLiteral("Die Auswahl enthält %1 Vokabeln. Eine Abfrage kann höchstens %2 "
                           "Vokabeln umfassen; bitte die Auswahl einschränken.")
                .arg(count)
                .arg(kMaxQueueRecord));
}

}  // namespace morvanta::quiz
