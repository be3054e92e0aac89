#include <QAction>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QCheckBox>
#include <filesystem>
#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

#include "quiz/quiz_fixture.h"

namespace morvanta::quiz {
namespace {

using testsupport::Word;
using Message = platform::ScriptedDialogs::Message;

QByteArray ReadAll(const QString& name) {
    QFile f(name);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void WriteAll(const QString& name, const QByteArray& bytes) {
    QFile f(name);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

class StatusCommandsTest : public testsupport::QuizFixture {
protected:
    QString file(const char* name) { return dir.path() + QLatin1Char('/') + QLatin1String(name); }
    void save(const QString& name) {
        dialogs.fileAnswers.push_back(name);
        page().AbfrageStatusSpeichern1->trigger();
    }
    void load(const QString& name) {
        dialogs.fileAnswers.push_back(name);
        page().AbfrageStatusLaden1->trigger();
    }
    std::vector<store::Record> fiveWords() {
        return {Word("Auge"), Word("Baum"), Word("Dach"), Word("Ende"), Word("Fisch")};
    }
    struct Snapshot {
        std::string queue;
        int done, count, recNo;
        std::vector<std::string> sql;
        bool operator==(const Snapshot&) const = default;
    };
    Snapshot snapshot() {
        return {state().AskQueue.text(), state().DoneCount, state().SelectionCount,
                form->Query1.recNo(), form->Query1.sql()};
    }
};

TEST_F(StatusCommandsTest, MenuItemsAndSaveRightAfterOpening) {
    startWith(fiveWords());
    const auto actions = form->PopupMenu1->actions();
    ASSERT_EQ(actions.size(), 3);
    EXPECT_EQ(actions[0]->text(), QStringLiteral("Abfrage Status Speichern"));
    EXPECT_EQ(actions[1]->text(), QStringLiteral("Abfrage Status Laden"));
    EXPECT_TRUE(actions[2]->isSeparator());

    save(file("start.vad"));
    EXPECT_EQ(dialogs.askedDialogs.last().name, QStringLiteral("SaveDialog2"));
    const QByteArray expected = "Quorvik Morvanta Query File\r\n"
                                "SELECT * FROM Vokabel WHERE Marked=True;\r\n5\r\n0\r\n" +
                                QByteArray::number(form->Query1.recNo()) + "\r\n" +
                                QByteArray::fromStdString(state().AskQueue.text()) + "\r\n";
    // A seventh line names the rows of the current word and of every queue entry.
    QByteArray rows = QByteArray::number(static_cast<qlonglong>(form->Query1.rowIdAt(form->Query1.recNo())));
    for (int e : state().AskQueue.entries())
        rows += ' ' + QByteArray::number(static_cast<qlonglong>(form->Query1.rowIdAt(e)));
    EXPECT_EQ(ReadAll(file("start.vad")), expected + rows + "\r\n");
    EXPECT_EQ(form->Query1.recNo(), state().AskQueue.head());

    dialogs.fileAnswers.push_back(std::nullopt);  // cancelled: nothing happens
    page().AbfrageStatusSpeichern1->trigger();
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

TEST_F(StatusCommandsTest, SaveAfterTheEndAndFirstLineOfOwnSql) {
    startWith({Word("Auge")});
    answerCurrent(true);
    save(file("end.vad"));
    EXPECT_TRUE(ReadAll(file("end.vad")).contains("\r\n1\r\n1\r\n1\r\n\r\n"));

    selection().CheckBox5->click();
    selection().Memo1->setPlainText(QStringLiteral("SELECT * FROM Vokabel\nWHERE Lesson = 1;"));
    selection().Button4->click();
    save(file("own.vad"));
    EXPECT_TRUE(ReadAll(file("own.vad")).startsWith(
        "Quorvik Morvanta Query File\r\nSELECT * FROM Vokabel\r\n1\r\n"));

    selection().Memo1->setPlainText(QString());
    selection().Button4->click();
    dialogs.messages.clear();
    WriteAll(file("keep.vad"), "old");
    save(file("keep.vad"));  // no SQL line: refused, the old file stays
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages[0].kind, Message::Error);
    EXPECT_EQ(ReadAll(file("keep.vad")), QByteArray("old"));
}

TEST_F(StatusCommandsTest, RoundTripAfterRestartGoesOnIdentically) {
    startWith({Word("Auge"), Word("Baum"), Word("Dach"), Word("Ende"), Word("Fisch"),
               Word("Gabel"), Word("Haus")});
    answerCurrent(true);
    answerCurrent(false);
    answerCurrent(true);
    const Snapshot saved = snapshot();
    save(file("mid.vad"));

    // What the running session asks from here on.
    std::vector<std::string> goOn;
    while (page().Button2->isEnabled() && goOn.size() < 30) {
        goOn.push_back(current("Translation1"));
        answerCurrent(true);
    }

    makeForm();  // a restart; the words asked meanwhile are unmarked now, so reselect them all
    dialogs.messages.clear();
    WriteAll(file("all.vad"),
             ReadAll(file("mid.vad")).replace("WHERE Marked=True;", "WHERE Lesson = 1;"));
    load(file("all.vad"));
    EXPECT_EQ(dialogs.askedDialogs.last().name, QStringLiteral("OpenDialog2"));
    EXPECT_TRUE(dialogs.messages.isEmpty());
    Snapshot loaded = snapshot();
    loaded.sql = saved.sql;
    EXPECT_EQ(loaded, saved);
    EXPECT_EQ(panel(3), QStringLiteral("0 Richtig und 0 Falsch"));
    EXPECT_EQ(page().Label30->text(), QString::number(saved.done) + QStringLiteral("/7"));

    std::vector<std::string> resumed;
    while (page().Button2->isEnabled() && resumed.size() < 30) {
        resumed.push_back(current("Translation1"));
        answerCurrent(true);
    }
    EXPECT_EQ(resumed, goOn);
    EXPECT_EQ(state().DoneCount, 8);  // the wrong word was queued twice and counts twice
}

// The default quiz: right answers unmark their words, so the selection shrinks
// between saving and loading. The saved words are found again by their rows.
TEST_F(StatusCommandsTest, ResumeAsksTheSavedWordsWhateverTheirNumbersAreNow) {
    startWith({Word("Auge"), Word("Baum"), Word("Dach"), Word("Ende"), Word("Fisch"),
               Word("Gabel"), Word("Haus"), Word("Insel")});
    answerCurrent(true);
    answerCurrent(false);
    answerCurrent(true);
    std::vector<std::string> expected;
    for (int e : state().AskQueue.entries()) {
        form->Query1.setRecNo(e);
        expected.push_back(current("Translation1"));
    }
    form->Query1.setRecNo(state().AskQueue.head());
    save(file("mid.vad"));

    makeForm();  // a restart: two words fewer are marked now
    dialogs.messages.clear();
    load(file("mid.vad"));
    EXPECT_TRUE(dialogs.messages.isEmpty()) << dialogs.texts().join(u'|').toStdString();
    EXPECT_EQ(state().SelectionCount, 8);  // the session goes on with the size it started with
    EXPECT_EQ(form->Query1.recordCount(), 6);
    std::vector<std::string> asked;
    while (page().Button2->isEnabled() && asked.size() < 30) {
        asked.push_back(current("Translation1"));
        answerCurrent(true);
    }
    EXPECT_EQ(asked, expected);  // each once, the wrong word among them
}

TEST_F(StatusCommandsTest, ChangedTableWarnsAndStillLoads) {
    startWith(fiveWords());
    save(file("five.vad"));
    answerCurrent(true);  // one word fewer is marked now
    answerCurrent(false);
    // A file of six lines knows its words by number only.
    QByteArray six = ReadAll(file("five.vad"));
    six.truncate(six.lastIndexOf("\r\n", six.size() - 3) + 2);
    WriteAll(file("five.vad"), six);
    load(file("five.vad"));
    EXPECT_EQ(dialogs.texts().last(),
              QStringLiteral("Achtung Vokabelbestand wurde seit der Speicherung geändert"));
    EXPECT_EQ(state().SelectionCount, 4);
    EXPECT_EQ(panel(3), QStringLiteral("0 Richtig und 0 Falsch"));
    // Entries beyond the smaller selection are dropped, the record number is kept inside it.
    for (int e : state().AskQueue.entries()) EXPECT_LE(e, 4);
    EXPECT_GE(form->Query1.recNo(), 1);
    EXPECT_LE(form->Query1.recNo(), 4);
    while (page().Button2->isEnabled() && state().DoneCount < 20) answerCurrent(true);
    EXPECT_EQ(dialogs.messages.last().kind, Message::Info);
}

TEST_F(StatusCommandsTest, OtherAndDamagedFilesAreRefusedWithNoChange) {
    startWith(fiveWords());
    answerCurrent(false);
    const Snapshot before = snapshot();
    const QString score = panel(3);
    dialogs.messages.clear();
    const QByteArray good = "Quorvik Morvanta Query File\r\nSELECT * FROM Vokabel;\r\n5\r\n0\r\n1\r\n0001\r\n";

    WriteAll(file("case.vad"), QByteArray(good).replace("Query File", "query file"));
    load(file("case.vad"));
    EXPECT_EQ(dialogs.texts(), QStringList{QStringLiteral("Keine Abfrage Status Datei!")});
    EXPECT_EQ(dialogs.messages[0].kind, Message::Info);

    const QByteArray damaged[] = {
        "Quorvik Morvanta Query File\r\nSELECT * FROM Vokabel;\r\n5\r\n",
        QByteArray(good).replace("\r\n0\r\n", "\r\nnull\r\n"),
        QByteArray(good).replace("0001", "00010"),
        QByteArray(good).replace("0001", "00X1"),
        // The stored statement is data: one that would change words never runs.
        QByteArray(good).replace("SELECT * FROM Vokabel;", "DELETE FROM Vokabel"),
        QByteArray(good).replace("SELECT * FROM Vokabel;", "DROP TABLE Vokabel;"),
        QByteArray(good).replace("SELECT * FROM Vokabel;", "UPDATE Vokabel SET Marked=False"),
    };
    for (const QByteArray& bytes : damaged) {
        SCOPED_TRACE(bytes.toStdString());
        dialogs.messages.clear();
        WriteAll(file("bad.vad"), bytes);
        load(file("bad.vad"));
        ASSERT_EQ(dialogs.messages.size(), 1);
        EXPECT_EQ(dialogs.messages[0].kind, Message::Error);
        EXPECT_TRUE(dialogs.messages[0].text.contains(QStringLiteral("beschädigt")));
        EXPECT_TRUE(snapshot() == before);
        EXPECT_EQ(panel(3), score);
        EXPECT_EQ(form->Table1.recordCount(), 5);
    }

    dialogs.messages.clear();
    load(file("missing.vad"));
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages[0].kind, Message::Error);
    EXPECT_TRUE(snapshot() == before);
}

TEST_F(StatusCommandsTest, FailedSaveKeepsTheOldFile) {
    startWith(fiveWords());
    const QString name = file("quiz.vad");
    WriteAll(name, "old content");

    // A full disk: writes beyond a few bytes fail.
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    const rlimit small{16, limit.rlim_max};
    setrlimit(RLIMIT_FSIZE, &small);
    save(name);
    setrlimit(RLIMIT_FSIZE, &limit);
    std::signal(SIGXFSZ, previous);
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages[0].kind, Message::Error);
    EXPECT_EQ(ReadAll(name), QByteArray("old content"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("quiz.vad")});  // no temporary file left

    if (geteuid() == 0) return;  // root writes into read-only folders
    dialogs.messages.clear();
    const QString folder = dir.path() + QStringLiteral("/locked");
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString locked = folder + QStringLiteral("/quiz.vad");
    WriteAll(locked, "old content");
    namespace fs = std::filesystem;
    fs::permissions(folder.toStdString(), fs::perms::owner_read | fs::perms::owner_exec);
    save(locked);
    fs::permissions(folder.toStdString(), fs::perms::owner_all);
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages[0].kind, Message::Error);
    EXPECT_EQ(ReadAll(locked), QByteArray("old content"));
}

}  // namespace
}  // namespace morvanta::quiz
