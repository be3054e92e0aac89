// Asked German to Japanese: what counts as the Japanese word, and what is booked.
#include <gtest/gtest.h>

#include "core/quiz/japanese_answer.h"
#include "core/quiz/quiz_session.h"
#include "core/quiz/status_file.h"
#include "store/data_set.h"
#include "store/database.h"
#include "support/temp_table.h"
#include "text/rich_text.h"

namespace morvanta::quiz {
namespace {

TEST(JapaneseAnswer, RomajiKanaOrKanjiAndLongVowelsOnlyWhenTolerant) {
    struct Case {
        const char* typed;
        bool strict, tolerant;
    };
    const Case cases[] = {
        {"toukyou", true, true},   {"とうきょう", true, true}, {"トウキョウ", true, true},
        {" 東京 ", true, true},    {"TOUKYOU", true, true},    {"tokyo", false, false},
        {"tookyoo", false, true},  {"to-kyo-", false, true},   {"とおきょお", false, true},
        {"とう きょう", false, true}, {"kyouto", false, false}, {"", false, false},
        {"東 京", false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        EXPECT_EQ(CheckJapaneseAnswer(c.typed, "とうきょう", "東京", false).right, c.strict);
        EXPECT_EQ(CheckJapaneseAnswer(c.typed, "とうきょう", "東京", true).right, c.tolerant);
    }
    // A lone trailing n is ん; ē written えい; ・ inside ignored when tolerant.
    EXPECT_TRUE(CheckJapaneseAnswer("hon", "ほん", "本", false).right);
    EXPECT_TRUE(CheckJapaneseAnswer("sensee", "せんせい", "先生", true).right);
    EXPECT_TRUE(CheckJapaneseAnswer("コーヒー", "コ・ー・ヒ・ー", "", true).right);
    // A decomposed が (か + combining mark) is が.
    EXPECT_TRUE(CheckJapaneseAnswer("か\u3099っこう", "がっこう", "学校", false).right);
    EXPECT_EQ(CheckJapaneseAnswer("tookyoo", "とうきょう", "東京", true).nearly, "Fast richtig: とうきょう (langer Vokal)");
}

TEST(JapaneseAnswer, BookedInTheHistoryOnlyAndKeptInTheStatusFile) {
    auto temp = test::MakeTempTable();
    auto db = temp->session().connect("Vokabel");
    store::Statement insert = db->prepare(
        "INSERT INTO Vokabel (Translation1, Hepburn, Kanji, \"Hira-Kata\", NumberAsked, NumberWrong, Marked, "
        "DateAsked) VALUES ('Schule', 'gakkou', ?1, ?2, 3, 1, 1, '2024-01-02 00:00:00.000')");
    insert.bindText(1, text::PlainTextToRtf("学校"));
    insert.bindText(2, text::PlainTextToRtf("がっこう"));
    insert.run();
    store::Query query(temp->session(), "Vokabel");
    query.run({"SELECT * FROM Vokabel;"});
    store::SystemClock clock;
    QuizOptions options;
    options.direction = stats::Direction::GermanToJapanese;
    EXPECT_TRUE(CheckAndBook(query, "gakkou", options, clock).right);
    const AnswerResult wrong = CheckAndBook(query, "gako", options, clock);
    EXPECT_FALSE(wrong.right);
    EXPECT_EQ(wrong.wrongMessage, "Nein - Die Vokabel war :\r\n学校\r\nがっこう\r\ngakkou\r\nIhre Eingabe: „gako“");
    const auto number = [&](const char* sql) {
        store::Statement s = db->prepare(sql);
        s.step();
        return s.columnInt(0);
    };
    EXPECT_EQ(number("SELECT count(*) FROM Vokabel WHERE NumberAsked = 3 AND NumberWrong = 1 AND Marked = 1 "
                     "AND DateAsked = '2024-01-02 00:00:00.000'"), 1);
    EXPECT_EQ(number("SELECT count(*) FROM AnswerHistory WHERE Direction = 1"), 2);
    EXPECT_EQ(number("SELECT sum(Correct) FROM AnswerHistory"), 1);

    // The direction goes into an eighth line; a file without it is asked Japanese to German.
    QuizState state;
    state.SelectionCount = 1;
    const std::string saved = WriteStatusFile(CaptureStatus(state, query, stats::Direction::GermanToJapanese));
    EXPECT_TRUE(saved.ends_with("\r\nRichtung: Deutsch-Japanisch\r\n")) << saved;
    EXPECT_EQ(ReadStatusFile(saved).direction, stats::Direction::GermanToJapanese);
    const std::string old = "Quorvik Morvanta Query File\r\nSELECT * FROM Vokabel;\r\n1\r\n0\r\n1\r\n0001\r\n";
    EXPECT_EQ(ReadStatusFile(old).direction, stats::Direction::JapaneseToGerman);
    EXPECT_EQ(WriteStatusFile(ReadStatusFile(old)), old);
    EXPECT_THROW(ReadStatusFile(old + "\r\nRichtung: Klingonisch\r\n"), DamagedStatusFileError);
}

}  // namespace
}  // namespace morvanta::quiz
