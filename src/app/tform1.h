#pragma once
// The main window: owns the data sets, the quiz state, the dialogs, the
// status bar and the six pages, and runs the start-up step.

#include <QMainWindow>
#include <QString>
#include <filesystem>
#include <functional>
#include <memory>
#include <atomic>
#include <thread>

#include "platform/dialogs.h"
#include "platform/form_context.h"
#include "platform/query_progress.h"
#include "core/setup/alias_folder.h"
#include "core/quiz/random_source.h"
#include "platform/status_bar.h"
#include "core/quiz/quiz_state.h"
#include "core/stats/direction.h"
#include "store/alias_config.h"
#include "store/data_set.h"
#include "store/date_time.h"
#include "store/session.h"

class QAbstractButton;
class QCheckBox;
class QMenu;
class QTabWidget;

namespace morvanta::entry {
class BrowsePage;
class EntryPage;
}  // namespace morvanta::entry
namespace morvanta::quiz {
class QuizPage;
class SelectionPage;
}  // namespace morvanta::quiz
namespace morvanta::exchange {
class ExportPage;
}
namespace morvanta::platform {
class HelpWindow;
class LinkLabel;
}
namespace morvanta::statistics {
class StatisticsPage;
}

namespace morvanta::app {

inline constexpr char kCaption[] = "Quorvik Morvanta  --- BETA";
inline constexpr char kWebAddress[] = "https://morvanta.example";
inline constexpr int kStartWidth = 586;
inline constexpr int kStartHeight = 520;

struct TForm1Options {
    std::filesystem::path configPath = store::AliasConfig::defaultPath();
    QString programDir;                          // folder of the program file
    platform::Dialogs* dialogs = nullptr;        // null: Qt's message boxes and file dialogs
    const store::Clock* clock = nullptr;         // null: the system clock
    quiz::RandomSource* random = nullptr;    // null: a generator seeded from the clock
    // Where a new alias points when the program folder is not writable.
    std::filesystem::path dataFolder = setup::UserDataFolder();
    // null: a file is tried in the program folder.
    std::function<bool(const std::filesystem::path&)> programFolderWritable = nullptr;
};

class TForm1 : public QMainWindow {
    Q_OBJECT
    // Declared first: the data sets below are built on them.
    store::AliasConfig config_;
    store::Session session_;

public:
    explicit TForm1(TForm1Options options = {}, QWidget* parent = nullptr);
    ~TForm1() override;

    // The start-up step asked the application to end (alias could not be created).
    bool quitRequested() const { return quitRequested_; }

    // Handlers of the frame.
    void FormCreate();
    void FormResize();
    void GotoURLClick();
    void Table1AfterInsert(store::DataSet& dataSet);
    // An own statement changed words: the table, the search and the count follow.
    void WordsChanged();
    // After a new word: the quiz query and the table close, then open again (the
    // quiz starts afresh over the new selection).
    void RestartAfterNewWord();
    // From the statistics page: a word shown on the browse page, a quiz over given words.
    void ShowWordInBrowse(std::int64_t wordId);
    // F1 on every page: the learner's guide in a window of its own.
    void ShowHelp();
    void QuizSelection(const QString& selectionSql, stats::Direction direction);

    // Owned parts, for the pages' cross-page steps and for tests.
    store::AliasConfig& aliasConfig() { return config_; }
    store::Session& session() { return session_; }
    store::Table Table1;
    store::Query Query1;
    store::Query Query2;
    store::DataSource DataSource1;
    store::DataSource DataSource2;
    quiz::QuizState quizState;

    QTabWidget* pageTabs = nullptr;
    QWidget* TabSheet1 = nullptr;
    QWidget* TabSheet2 = nullptr;
    QWidget* TabSheet4 = nullptr;
    QWidget* TabSheet3 = nullptr;
    QWidget* TabSheet5 = nullptr;
    QWidget* statisticsTab = nullptr;
    entry::BrowsePage* browsePage = nullptr;
    entry::EntryPage* entryPage = nullptr;
    quiz::SelectionPage* selectionPage = nullptr;
    quiz::QuizPage* quizPage = nullptr;
    exchange::ExportPage* exportPage = nullptr;
    statistics::StatisticsPage* statisticsPage = nullptr;
    platform::StatusBar* StatusBar1 = nullptr;
    QMenu* PopupMenu1 = nullptr;
    platform::LinkLabel* Label42 = nullptr;
    platform::LinkLabel* link = nullptr;
    platform::HelpWindow* helpWindow = nullptr;  // made at the first F1
    platform::FileDialogs fileDialogs;

    platform::Dialogs& dialogs() { return *dialogs_; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void buildFrame();
    bool ensureAlias();
    // After opening: long statements get a progress dialog; a damaged or
    // read-only table is reported.
    void watchOpenedTable();
    // Once the window shows: the check of the table for damage, then today's copy of
    // it, both beside the window's work; a failed copy is reported once.
    void checkTableThenBackUp();
    // Check boxes kept in the engine configuration: set from it, saved there when changed.
    void restoreKeptSwitches();
    void keepSwitch(QAbstractButton* box, const char* param, bool byDefault);

    QString programDir_;
    std::filesystem::path dataFolder_;
    std::function<bool(const std::filesystem::path&)> programFolderWritable_;
    std::unique_ptr<platform::Dialogs> ownedDialogs_;
    platform::Dialogs* dialogs_ = nullptr;
    std::unique_ptr<store::Clock> ownedClock_;
    const store::Clock* clock_ = nullptr;
    std::unique_ptr<quiz::StdRandom> ownedRandom_;
    quiz::RandomSource* random_ = nullptr;
    bool quitRequested_ = false;
    platform::QueryProgress queryProgress_{this};
    std::thread backup_;
    std::atomic<bool> stopBackup_{false};
    bool backupStarted_ = false;
};

}  // namespace morvanta::app
