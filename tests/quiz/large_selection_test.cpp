#include <QLabel>

#include "quiz/quiz_fixture.h"
#include "support/temp_table.h"

namespace morvanta::quiz {
namespace {

class LargeSelectionTest : public testsupport::QuizFixture {};

// Four hex digits address 65,535 records; a larger selection gets a message, not a broken queue.
TEST_F(LargeSelectionTest, SelectionBeyondTheQueueIsRefusedForTheQuizOnly) {
    test::InsertGeneratedWords(tablePath(), kMaxQueueRecord + 1);
    makeForm();
    ASSERT_EQ(dialogs.texts().size(), 1);
    EXPECT_TRUE(dialogs.texts()[0].startsWith(QStringLiteral("Created Database Alias.")));
    EXPECT_EQ(state().SelectionCount, (kMaxQueueRecord + 1) / 2);  // every other word is marked
    dialogs.messages.clear();
    EXPECT_TRUE(page().Button2->isEnabled());

    selection().Button9->click();
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages[0].kind, platform::ScriptedDialogs::Message::Error);
    EXPECT_TRUE(dialogs.messages[0].text.contains(QStringLiteral("65536")));
    EXPECT_FALSE(page().Button2->isEnabled());
    EXPECT_TRUE(state().AskQueue.empty());
    EXPECT_EQ(panel(2), QStringLiteral("65536 Vokabeln ausgewählt"));
    EXPECT_TRUE(form->Query1.active());  // the exports can still walk it
}

}  // namespace
}  // namespace morvanta::quiz
