#include "app/tform1.h"

#include <QApplication>
#include <QMenu>
#include <QScreen>
#include <QTabWidget>
#include <QTimer>
#include <QShortcut>
#include <QVBoxLayout>
#include <chrono>

#include "entry/browse_page.h"
#include "entry/entry_page.h"
#include "exchange/export_page.h"
#include "platform/app_icon.h"
#include "platform/fonts.h"
#include "platform/guard.h"
#include "platform/link_label.h"
#include "statistics/statistics_page.h"
#include "quiz/quiz_query.h"
#include "quiz/quiz_page.h"
#include "quiz/selection_page.h"

namespace morvanta::app {

TForm1::TForm1(TForm1Options options, QWidget* parent)
    : QMainWindow(parent),
      config_(options.configPath),
      session_(config_),
      Table1(session_, store::kVocabularyAlias, "Vokabel.DB"),
      Query1(session_, store::kVocabularyAlias),
      Query2(session_, store::kVocabularyAlias),
      programDir_(options.programDir.isEmpty() ? QCoreApplication::applicationDirPath()
                                               : options.programDir),
      dataFolder_(std::move(options.dataFolder)),
      programFolderWritable_(std::move(options.programFolderWritable)) {
    if (options.dialogs) {
        dialogs_ = options.dialogs;
    } else {
        ownedDialogs_ = std::make_unique<platform::QtDialogs>(this);
        dialogs_ = ownedDialogs_.get();
    }
    if (options.clock) {
        clock_ = options.clock;
    } else {
        ownedClock_ = std::make_unique<store::SystemClock>();
        clock_ = ownedClock_.get();
    }
    if (options.random) {
        random_ = options.random;
    } else {
        ownedRandom_ = std::make_unique<quiz::StdRandom>(0);
        random_ = ownedRandom_.get();
    }

    Query1.setWordsOnly(true);
    Query1.setSql({"SELECT * FROM Vokabel WHERE Marked=True;"});
    DataSource1.setDataSet(&Table1);
    DataSource2.setDataSet(&Query1);
    Table1.afterInsert = [this](store::DataSet& ds) { Table1AfterInsert(ds); };
    Table1.afterEdit = [this](store::DataSet& ds) { Table1AfterInsert(ds); };
    Table1.afterDelete = [this](store::DataSet& ds) { Table1AfterInsert(ds); };

    buildFrame();
    FormCreate();
}

TForm1::~TForm1() {
    stopBackup_ = true;
    if (backup_.joinable()) backup_.join();
    // Pages hold data links into the data sets; they go first.
    delete centralWidget();
    DataSource1.setDataSet(nullptr);
    DataSource2.setDataSet(nullptr);
}

void TForm1::buildFrame() {
    setWindowTitle(QString::fromUtf8(kCaption));
    setWindowIcon(platform::AppIcon());
    setFont(platform::UiFont(12));
    setMinimumSize(kStartWidth, kStartHeight);

    StatusBar1 = new platform::StatusBar(this);
    setStatusBar(StatusBar1);
    auto* help = new QShortcut(QKeySequence::HelpContents, this);
    connect(help, &QShortcut::activated, this, &TForm1::ShowHelp);

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    pageTabs = new QTabWidget(central);
    pageTabs->setObjectName(QStringLiteral("pageTabs"));
    layout->addWidget(pageTabs);
    setCentralWidget(central);

    // Each page gets what it uses.
    browsePage = new entry::BrowsePage({Table1, Query2, DataSource1, *dialogs_, &session_, &*clock_});
    entryPage = new entry::EntryPage({Table1, *dialogs_, *clock_});
    quizPage = new quiz::QuizPage({Query1, DataSource2, *dialogs_, fileDialogs, *clock_, *random_}, quizState);
    selectionPage = new quiz::SelectionPage({Query1, *dialogs_, *StatusBar1, *random_}, quizState);
    exportPage = new exchange::ExportPage(
        {Table1, Query1, DataSource1, *dialogs_, fileDialogs, *clock_}, quizState,
        exchange::EntryLink{[this] { return entryPage->translations(); },
                            [this](const exchange::XmlEntryFill& fill) { entryPage->applyImportedWord(fill); },
                            [this](const QString& hepburn) { entryPage->HepburnEdit->setText(hepburn); }});
    exportPage->programDir = programDir_;  // hirakata.txt lies beside the program
    statisticsPage = new statistics::StatisticsPage({session_, Table1, *dialogs_, *clock_});
    Query1.afterOpen = [this](store::DataSet&) { selectionPage->Query1AfterOpen(); };
    // The pages do not know each other: their cross-page steps are wired here.
    connect(selectionPage, &quiz::SelectionPage::wordsChanged, this, &TForm1::WordsChanged);
    connect(selectionPage, &quiz::SelectionPage::sessionShown, quizPage, &quiz::QuizPage::showSession);
    connect(entryPage, &entry::EntryPage::wordStored, this, &TForm1::RestartAfterNewWord);
    connect(statisticsPage, &statistics::StatisticsPage::wordChosen, this, &TForm1::ShowWordInBrowse);
    connect(statisticsPage, &statistics::StatisticsPage::quizRequested, this, &TForm1::QuizSelection);
    connect(selectionPage, &quiz::SelectionPage::directionChanged, quizPage, &quiz::QuizPage::showDirection);
    connect(quizPage, &quiz::QuizPage::directionLoaded, selectionPage, &quiz::SelectionPage::setDirection);
    quizPage->setOptionsSource([this] { return selectionPage->options(); });
    quizPage->setScoreShower([this] { selectionPage->ShowScore(); });
    quizPage->setNoteShower([this](const QString& note) { StatusBar1->setPanelText(2, note); });
    TabSheet1 = browsePage;
    TabSheet2 = entryPage;
    TabSheet4 = selectionPage;
    TabSheet3 = quizPage;
    TabSheet5 = exportPage;
    statisticsTab = statisticsPage;
    TabSheet1->setObjectName(QStringLiteral("TabSheet1"));
    TabSheet2->setObjectName(QStringLiteral("TabSheet2"));
    TabSheet4->setObjectName(QStringLiteral("TabSheet4"));
    TabSheet3->setObjectName(QStringLiteral("TabSheet3"));
    TabSheet5->setObjectName(QStringLiteral("TabSheet5"));
    statisticsTab->setObjectName(QStringLiteral("statisticsTab"));
    pageTabs->addTab(TabSheet1, QStringLiteral("Suche / Ändern"));
    pageTabs->addTab(TabSheet2, QStringLiteral("Eingabe"));
    pageTabs->addTab(TabSheet4, QStringLiteral("Vokabelauswahl für -->"));
    pageTabs->addTab(TabSheet3, QStringLiteral("Vokabelabfrage"));
    pageTabs->addTab(TabSheet5, QStringLiteral("Export"));
    pageTabs->addTab(statisticsTab, QStringLiteral("Statistik"));

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    quizPage->fillPopupMenu(PopupMenu1);
    TabSheet3->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(TabSheet3, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { PopupMenu1->popup(TabSheet3->mapToGlobal(pos)); });

    const QString address = QString::fromUtf8(kWebAddress);
    Label42 = new platform::LinkLabel(address, TabSheet4);
    Label42->setObjectName(QStringLiteral("Label42"));
    link = new platform::LinkLabel(address, TabSheet5);
    link->setObjectName(QStringLiteral("link"));
    connect(Label42, &platform::LinkLabel::clicked, this, &TForm1::GotoURLClick);
    connect(link, &platform::LinkLabel::clicked, this, &TForm1::GotoURLClick);

    resize(kStartWidth, kStartHeight);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.center() - QPoint(kStartWidth / 2, kStartHeight / 2));
    }
}

void TForm1::ShowWordInBrowse(std::int64_t wordId) {
    if (browsePage->showWord(wordId)) pageTabs->setCurrentWidget(TabSheet1);
}

void TForm1::QuizSelection(const QString& selectionSql, stats::Direction direction) {
    platform::Guarded(*dialogs_, [&] {
        selectionPage->setDirection(direction);  // before the query: the new session takes it
        quiz::RunQuizQuery(Query1, {selectionSql.toStdString()});
        pageTabs->setCurrentWidget(TabSheet3);
    });
}

void TForm1::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    FormResize();
}

void TForm1::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    FormResize();
    if (!backupStarted_) {
        backupStarted_ = true;
        QTimer::singleShot(0, this, &TForm1::checkTableThenBackUp);
    }
}

}  // namespace morvanta::app
