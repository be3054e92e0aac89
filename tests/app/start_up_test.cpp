#include <QFile>
#include <QTest>
#include <QTextBrowser>
#include <QTabWidget>
#include <filesystem>
#include <fstream>

#include "platform/help_window.h"
#include "platform/layout.h"
#include "support/form_fixture.h"

namespace morvanta {
namespace {

using testing::FormFixture;
using StartUp = FormFixture;

const QString kCreated = QStringLiteral("Created Database Alias.");

// The first start's message: the English sentence, then where the words are kept.
QString CreatedIn(const std::filesystem::path& folder) {
    return kCreated + QStringLiteral("\r\nIhre Vokabeln werden in „") + QString::fromStdString(folder.string()) +
           QStringLiteral("“ gespeichert.\r\nF1 öffnet die Hilfe.");
}

TEST_F(StartUp, FirstStartCreatesTheAliasOnceAndOpensTheEmptyTable) {
    app::TForm1& w = makeForm();
    EXPECT_EQ(dialogs.texts(), QStringList{CreatedIn(tablePath().parent_path())});
    EXPECT_FALSE(w.quitRequested());

    store::AliasConfig config(configPath());
    config.setConfigModePersistent();
    const auto params = config.aliasParams("Vokabel");
    ASSERT_TRUE(params.has_value());
    EXPECT_EQ(params->at("PATH"), (programDir + QStringLiteral("/Database")).toStdString());
    EXPECT_EQ(params->at("DEFAULT DRIVER"), "PARADOX");

    EXPECT_EQ(w.StatusBar1->panelText(0), QStringLiteral("0 Vokabeln gespeichert"));
    EXPECT_EQ(w.StatusBar1->panelText(1), QString());
    EXPECT_EQ(w.pageTabs->currentWidget(), w.TabSheet1);
    EXPECT_EQ(w.size(), QSize(586, 520));
    EXPECT_EQ(w.minimumSize(), QSize(586, 520));
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Quorvik Morvanta  --- BETA"));
    EXPECT_TRUE(w.Table1.active());
    EXPECT_TRUE(w.Query1.active());
    EXPECT_FALSE(w.Query2.active());

    // The second start finds the alias and says nothing.
    dialogs.clear();
    makeForm();
    EXPECT_TRUE(dialogs.texts().isEmpty()) << dialogs.texts().join(QLatin1Char('|')).toStdString();
}

TEST_F(StartUp, AnExistingAliasIsUsedUnchanged) {
    // An alias pointing at another folder with a table holding one word.
    const QString other = dir.path() + QStringLiteral("/elsewhere");
    ASSERT_TRUE(QDir().mkpath(other));
    const auto otherTable = std::filesystem::path(other.toStdString()) / "Vokabel.DB";
    store::CreateVocabularyFile(otherTable);
    {
        store::AliasConfig config(configPath());
        config.setConfigModePersistent();
        config.addStandardAlias("Vokabel", {"PATH=" + other.toStdString(), "DEFAULT DRIVER=OTHER"});
        config.saveConfig();
        store::Session session(config);
        store::Table table(session, "Vokabel", "Vokabel.DB");
        table.open();
        table.insertRecord({std::string("Haus"), std::string(), std::string(), std::string("ie"),
                            std::string(), std::string(), std::int64_t{0}, std::string(),
                            clock.time, clock.time, std::int64_t{0}, std::int64_t{0}, true,
                            std::string(), false, std::int64_t{1}});
    }
    app::TForm1& w = makeForm();
    EXPECT_TRUE(dialogs.texts().isEmpty());
    EXPECT_EQ(w.StatusBar1->panelText(0), QStringLiteral("1 Vokabeln gespeichert"));
    store::AliasConfig config(configPath());
    config.setConfigModePersistent();
    EXPECT_EQ(config.aliasParams("Vokabel")->at("DEFAULT DRIVER"), "OTHER");
}

TEST_F(StartUp, AnInstalledCopyKeepsTheWordsInTheDataFolder) {
    // The program in <prefix>/bin, which the learner cannot write to, and its
    // empty table in <prefix>/share/morvanta.
    const std::filesystem::path prefix = std::filesystem::path(dir.path().toStdString()) / "usr";
    std::filesystem::create_directories(prefix / "bin");
    std::filesystem::create_directories(prefix / "share" / "morvanta");
    store::CreateVocabularyFile(prefix / "share" / "morvanta" / "Vokabel.DB");
    const std::filesystem::path data = std::filesystem::path(dir.path().toStdString()) / "data";
    app::TForm1Options options{configPath(), QString::fromStdString((prefix / "bin").string()),
                               &dialogs, &clock, &random};
    options.dataFolder = data;
    options.programFolderWritable = [](const std::filesystem::path&) { return false; };

    form = std::make_unique<app::TForm1>(options);
    const std::string folder = (data / "Database").string();
    EXPECT_EQ(dialogs.texts(), QStringList{CreatedIn(folder)});
    EXPECT_FALSE(form->quitRequested());
    EXPECT_TRUE(form->Table1.active());
    EXPECT_EQ(form->StatusBar1->panelText(0), QStringLiteral("0 Vokabeln gespeichert"));
    store::AliasConfig config(configPath());
    config.setConfigModePersistent();
    EXPECT_EQ(config.aliasParams("Vokabel")->at("PATH"), folder);

    // The alias is kept: the next start says nothing.
    dialogs.clear();
    form = std::make_unique<app::TForm1>(options);
    EXPECT_TRUE(dialogs.texts().isEmpty());

    // Where the data folder cannot be made, the learner reads why and no alias is saved.
    std::filesystem::remove(configPath());
    std::filesystem::remove_all(data);
    { std::ofstream blocker(data); }
    dialogs.clear();
    form = std::make_unique<app::TForm1>(options);
    ASSERT_FALSE(dialogs.messages.isEmpty());
    EXPECT_EQ(dialogs.messages[0].kind, platform::ScriptedDialogs::Message::Error);
    EXPECT_TRUE(dialogs.messages[0].text.startsWith(
        QStringLiteral("Die Erschaffung eines Datenbank Alias schlug fehl!\r\nDer Ordner „")))
        << dialogs.messages[0].text.toStdString();
    EXPECT_TRUE(form->quitRequested());
    EXPECT_FALSE(std::filesystem::exists(configPath()));
}

TEST_F(StartUp, AMissingTableIsReportedAndTheWindowStillOpens) {
    std::filesystem::remove_all(tablePath().parent_path());
    app::TForm1& w = makeForm();
    ASSERT_EQ(dialogs.messages.size(), 2);
    EXPECT_TRUE(dialogs.messages[0].text.startsWith(kCreated));
    EXPECT_EQ(dialogs.messages[1].kind, platform::ScriptedDialogs::Message::Error);
    EXPECT_FALSE(dialogs.messages[1].text.isEmpty());
    EXPECT_FALSE(w.quitRequested());
    EXPECT_FALSE(w.Table1.active());
    EXPECT_EQ(w.StatusBar1->panelText(0), QStringLiteral("Vokabel"));
    EXPECT_FALSE(std::filesystem::exists(tablePath())) << "the program never creates the table";
}

TEST_F(StartUp, ATableFileThatIsNoTableIsReportedAndKept) {
    {
        std::ofstream garbage(tablePath(), std::ios::binary | std::ios::trunc);
        garbage << "this is not a vocabulary table";
    }
    app::TForm1& w = makeForm();
    EXPECT_FALSE(w.Table1.active());
    ASSERT_GE(dialogs.messages.size(), 2);
    EXPECT_EQ(dialogs.messages.back().kind, platform::ScriptedDialogs::Message::Error);
    std::ifstream kept(tablePath(), std::ios::binary);
    std::string content((std::istreambuf_iterator<char>(kept)), {});
    EXPECT_EQ(content, "this is not a vocabulary table");
}

TEST_F(StartUp, AnUnwritableConfigurationEndsTheApplicationAfterItsMessage) {
    // The configuration's folder is a file, so nothing can be written there.
    std::filesystem::create_directories(configPath().parent_path().parent_path());
    { std::ofstream blocker(configPath().parent_path()); }
    app::TForm1& w = makeForm();
    ASSERT_FALSE(dialogs.messages.isEmpty());
    EXPECT_EQ(dialogs.messages[0].text,
              QStringLiteral("Die Erschaffung eines Datenbank Alias schlug fehl!\r\n"
                             "Mögliche Fehlerursache:keine Borland Database Engine installiert."));
    EXPECT_EQ(dialogs.messages[0].kind, platform::ScriptedDialogs::Message::Info);
    EXPECT_TRUE(w.quitRequested());
}

TEST_F(StartUp, AGarbledConfigurationIsReportedNotOverwritten) {
    std::filesystem::create_directories(configPath().parent_path());
    {
        std::ofstream garbage(configPath(), std::ios::binary);
        garbage << "[Vokabel\nPATH\x01\x02=\n\xff\xfe garbage";
    }
    app::TForm1& w = makeForm();
    EXPECT_TRUE(w.quitRequested());
    ASSERT_FALSE(dialogs.messages.isEmpty());
    EXPECT_EQ(dialogs.messages[0].kind, platform::ScriptedDialogs::Message::Error);
    std::ifstream kept(configPath(), std::ios::binary);
    std::string content((std::istreambuf_iterator<char>(kept)), {});
    EXPECT_EQ(content, "[Vokabel\nPATH\x01\x02=\n\xff\xfe garbage");
}

TEST(Layout, ColumnsFollowTheWindowWidth) {
    constexpr auto narrow = platform::ComputeColumns(586);
    EXPECT_EQ(narrow.a, 177);
    EXPECT_EQ(narrow.c1, 12);
    EXPECT_EQ(narrow.c2, 197);
    EXPECT_EQ(narrow.c3, 382);
    constexpr auto wide = platform::ComputeColumns(812);
    EXPECT_EQ(wide.a, 252);
    EXPECT_EQ(wide.c2, 272);
    EXPECT_EQ(wide.c3, 532);
    EXPECT_EQ(812 - (wide.c3 + wide.a), 28);
    for (int w = 586; w < 1200; w += 3) {
        SCOPED_TRACE(w);
        EXPECT_EQ(platform::ComputeColumns(w + 3).a, platform::ComputeColumns(w).a + 1);
        EXPECT_EQ(platform::ComputeColumns(w + 1).a, platform::ComputeColumns(w).a);
    }
}

TEST_F(StartUp, F1ShowsTheGermanGuideFromEveryPage) {
    std::filesystem::copy_file(std::filesystem::path(qgetenv("MORVANTA_SOURCE_DIR").toStdString()) / "data" / "hilfe.html",
                               std::filesystem::path(programDir.toStdString()) / "hilfe.html");
    app::TForm1& w = makeForm();
    w.show();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    for (int page = 0; page < w.pageTabs->count(); ++page) {
        w.pageTabs->setCurrentIndex(page);
        QTest::keyClick(w.pageTabs->currentWidget(), Qt::Key_F1);
        ASSERT_NE(w.helpWindow, nullptr);
        EXPECT_TRUE(w.helpWindow->isVisible()) << page;
        w.helpWindow->hide();
    }
    const QString guide = w.helpWindow->browser->toPlainText();
    for (const char* topic : {"Romaji", "Wörterbuch", "Abfrage Status Speichern", "Drucken", "Sicherungskopien",
                              "~/.local/share/Morvanta/Database"})
        EXPECT_TRUE(guide.contains(QString::fromUtf8(topic))) << topic;
}

TEST_F(StartUp, FrameHoldsSixPagesFourPanelsAndTheDialogs) {
    app::TForm1& w = makeForm();
    const QStringList captions = {QStringLiteral("Suche / Ändern"), QStringLiteral("Eingabe"),
                                  QStringLiteral("Vokabelauswahl für -->"),
                                  QStringLiteral("Vokabelabfrage"), QStringLiteral("Export"),
                                  QStringLiteral("Statistik")};
    ASSERT_EQ(w.pageTabs->count(), 6);
    for (int i = 0; i < 6; ++i) EXPECT_EQ(w.pageTabs->tabText(i), captions[i]);
    EXPECT_EQ(w.pageTabs->widget(2), w.TabSheet4);
    EXPECT_EQ(w.pageTabs->widget(3), w.TabSheet3);

    const int widths[4] = {160, 50, 160, 100};
    for (int i = 0; i < 4; ++i) EXPECT_GE(w.StatusBar1->panel(i)->width(), widths[i]);
    EXPECT_EQ(w.StatusBar1->panel(0)->alignment(), Qt::AlignCenter);

    EXPECT_EQ(w.fileDialogs.SaveDialog1.filter, QStringLiteral("Rich Text Format (*.rtf)|*.rtf"));
    EXPECT_EQ(w.fileDialogs.SaveDialog2.filter, QStringLiteral("Vokabelabfrage (*.vad)|*.vad"));
    EXPECT_EQ(w.fileDialogs.DialogXMLOpen1.filter, QStringLiteral("XML Datei (*.xml)|*.xml"));
    EXPECT_TRUE(w.fileDialogs.OpenDialog1.filter.isEmpty());
    EXPECT_EQ(platform::QtFilter(w.fileDialogs.SaveDialog2.filter),
              QStringLiteral("Vokabelabfrage (*.vad)"));
    EXPECT_EQ(platform::WithDefaultExtension(QStringLiteral("/tmp/quiz"), w.fileDialogs.SaveDialog2),
              QStringLiteral("/tmp/quiz.vad"));
    EXPECT_EQ(platform::WithDefaultExtension(QStringLiteral("/tmp/list"), w.fileDialogs.SaveDialog1),
              QStringLiteral("/tmp/list.rtf"));
    EXPECT_EQ(platform::WithDefaultExtension(QStringLiteral("/tmp/a.txt"), w.fileDialogs.DialogXMLExport),
              QStringLiteral("/tmp/a.txt"));
}

TEST_F(StartUp, CommitAndCountWritesPanelZero) {
    app::TForm1& w = makeForm();
    auto word = [&](const char* translation) {
        return store::Record{std::string(translation), std::string(), std::string(),
                             std::string("inu"), std::string(), std::string(), std::int64_t{0},
                             std::string(), clock.time, clock.time, std::int64_t{0},
                             std::int64_t{0}, true, std::string(), false, std::int64_t{1}};
    };
    w.Table1.insertRecord(word("Hund"));
    // Counted when insert state began: the new word is not in it yet.
    EXPECT_EQ(w.StatusBar1->panelText(0), QStringLiteral("0 Vokabeln in der DB"));
    w.Table1.insertRecord(word("Katze"));
    EXPECT_EQ(w.StatusBar1->panelText(0), QStringLiteral("1 Vokabeln in der DB"));
    w.Table1.first();
    w.Table1.deleteRecord();
    EXPECT_EQ(w.StatusBar1->panelText(0), QStringLiteral("1 Vokabeln in der DB"));
    EXPECT_EQ(w.Table1.recordCount(), 1);
    // Editing through a query does not count; editing the table does.
    w.StatusBar1->setPanelText(0, QStringLiteral("x"));
    w.Query1.close();
    w.Query1.open();
    w.Query1.edit();
    w.Query1.cancel();
    EXPECT_EQ(w.StatusBar1->panelText(0), QStringLiteral("x"));
    w.Table1.edit();
    w.Table1.cancel();
    EXPECT_EQ(w.StatusBar1->panelText(0), QStringLiteral("1 Vokabeln in der DB"));
}

}  // namespace
}  // namespace morvanta
