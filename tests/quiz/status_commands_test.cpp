// The pop-up menu's quiz status commands in the window: the menu, the file
// dialogs, the messages and what the pages show after a load. The file's
// content and the resumed queue are the core's (tests/core/quiz).
#include <QAction>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QCheckBox>
#include <csignal>
#include <sys/resource.h>

#include "core/quiz/quiz_session.h"
#include "core/quiz/status_file.h"
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
    EXPECT_EQ(ReadAll(file("start.vad")).toStdString(),
              WriteStatusFile(CaptureStatus(state(), form->Query1)));

    dialogs.fileAnswers.push_back(std::nullopt);  // cancelled: nothing happens
    page().AbfrageStatusSpeichern1->trigger();
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

// An empty own statement leaves the query without one: there is no status to save.
TEST_F(StatusCommandsTest, SaveWithoutAStatementIsRefusedAndKeepsTheOldFile) {
    startWith({Word("Auge")});
    selection().CheckBox5->click();
    selection().Memo1->setPlainText(QString());
    selection().Button4->click();
    dialogs.messages.clear();
    WriteAll(file("keep.vad"), "old");
    save(file("keep.vad"));
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages[0].kind, Message::Error);
    EXPECT_EQ(ReadAll(file("keep.vad")), QByteArray("old"));
}

// The default quiz: right answers unmark their words, so after a restart the
// selection is smaller. The saved quiz goes on where it stood, with its size.
TEST_F(StatusCommandsTest, LoadAfterARestartGoesOnWhereTheSavedQuizStood) {
    startWith({Word("Auge"), Word("Baum"), Word("Dach"), Word("Ende"), Word("Fisch"),
               Word("Gabel"), Word("Haus"), Word("Insel")});
    answerCurrent(true);
    answerCurrent(false);
    answerCurrent(true);
    const std::string shown = current("Translation1");
    save(file("mid.vad"));

    makeForm();  // a restart: two words fewer are marked now
    dialogs.messages.clear();
    load(file("mid.vad"));
    EXPECT_EQ(dialogs.askedDialogs.last().name, QStringLiteral("OpenDialog2"));
    EXPECT_TRUE(dialogs.messages.isEmpty()) << dialogs.texts().join(u'|').toStdString();
    EXPECT_EQ(current("Translation1"), shown);
    EXPECT_EQ(page().Label30->text(), QStringLiteral("2/8"));
    EXPECT_EQ(panel(3), QStringLiteral("0 Richtig und 0 Falsch"));
    EXPECT_TRUE(page().Button2->isEnabled());
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
    EXPECT_EQ(page().Label30->text(), QStringLiteral("0/4"));
    EXPECT_EQ(panel(3), QStringLiteral("0 Richtig und 0 Falsch"));
    // The quiz goes on to its end without an error.
    while (page().Button2->isEnabled() && state().DoneCount < 20) answerCurrent(true);
    EXPECT_EQ(dialogs.texts().last(), QStringLiteral("Alle ausgwählten Vokabeln wurden Abgefragt"));
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

    // A line that does not read, and a statement that would change words (it never runs).
    const QByteArray damaged[] = {
        "Quorvik Morvanta Query File\r\nSELECT * FROM Vokabel;\r\n5\r\n",
        QByteArray(good).replace("SELECT * FROM Vokabel;", "DELETE FROM Vokabel"),
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
}

}  // namespace
}  // namespace morvanta::quiz
