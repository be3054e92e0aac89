// The special import on a real table: records, skips, refusals and errors.

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <sstream>

#include "core/exchange/special_import.h"
#include "support/rtf_test_support.h"
#include "store/data_set.h"
#include "store/database.h"
#include "support/temp_table.h"
#include "text/escape_runs.h"

namespace morvanta::exchange {
namespace {

using exchangetest::Sjis;

class StepClock : public store::Clock {
public:
    store::DateTime now() const override {
        ++reads;
        return {2024, 5, 6, 7, 8, 9, 100};
    }
    mutable int reads = 0;
};

class SpecialImport : public ::testing::Test {
protected:
    void SetUp() override {
        table.afterInsert = [this](store::DataSet& ds) {
            ++afterInserts;
            ds.saveToDisk();
        };
        table.open();
    }
    SpecialImportResult run(const std::string& file) {
        std::istringstream in(file);
        return RunSpecialImport(in, table, clock);
    }
    static std::string Rethrown(const SpecialImportResult& r) {
        if (!r.error) return {};
        try {
            std::rethrow_exception(r.error);
        } catch (const std::exception& e) {
            return e.what();
        }
    }

    std::unique_ptr<test::TempTable> temp = test::MakeTempTable();
    store::Table table{temp->session(), "Vokabel", "Vokabel.DB"};
    StepClock clock;
    int afterInserts = 0;
};

// Seven lines per word, CR LF as a Windows editor writes them.
std::string Word(const std::string& kanji, const std::string& kana, const std::string& translations,
                 const std::string& lesson = "3", const std::string& first = "#") {
    return first + "\r\n" + Sjis(kanji) + "\r\n" + Sjis(kana) + "\r\n" + translations +
           "\r\nMeishi\r\nNotiz\r\n" + lesson + "\r\n";
}

TEST_F(SpecialImport, TwoNewWordsWithAllDefaultsThenTheSameFileAgain) {
    const std::string file = Word("日本", "にほん", "Japan") + Word("学校", "がっこう", "Schule, Lehranstalt");
    const auto result = run(file);
    EXPECT_EQ(Rethrown(result), "");
    EXPECT_EQ(result.stored, 2);
    EXPECT_EQ(result.failed, 0);
    EXPECT_EQ(SpecialImportMessage(result), "Es Wurden 0 Vokabeln nicht importiert");
    EXPECT_EQ(afterInserts, 1);  // the table's after-insert step ran once, for the batch
    EXPECT_EQ(clock.reads, 4);   // both dates read from the clock

    ASSERT_EQ(table.recordCount(), 2);
    table.first();  // key order: Japan, Schule
    EXPECT_EQ(table.asString("Translation1"), "Japan");
    EXPECT_EQ(table.asString("Hepburn"), "nihon");
    EXPECT_EQ(table.asString("Kanji"), text::WrapJapaneseRtf(Sjis("日本")));
    EXPECT_EQ(table.asString("Hira-Kata"), text::WrapJapaneseRtf(Sjis("にほん")));
    EXPECT_EQ(table.asInteger("Accent"), -1);
    EXPECT_EQ(table.asString("Note"), "Notiz");
    EXPECT_EQ(table.asDateTime("DateEntered"), (store::DateTime{2024, 5, 6, 7, 8, 9, 100}));
    EXPECT_EQ(table.asDateTime("DateAsked"), (store::DateTime{2024, 5, 6, 7, 8, 9, 100}));
    EXPECT_EQ(table.asInteger("NumberAsked"), 0);
    EXPECT_EQ(table.asInteger("NumberWrong"), 0);
    EXPECT_TRUE(table.asBoolean("Marked"));
    EXPECT_EQ(table.asString("Type"), "Meishi");
    EXPECT_FALSE(table.asBoolean("CardPrinted"));
    EXPECT_EQ(table.asInteger("Lesson"), 3);
    table.next();
    EXPECT_EQ(table.asString("Translation1"), "Schule");
    EXPECT_EQ(table.asString("Translation2"), "Lehranstalt");
    EXPECT_EQ(table.asString("Translation3"), "");
    EXPECT_EQ(table.asString("Hepburn"), "gakkou");

    const auto again = run(file);
    EXPECT_EQ(Rethrown(again), "");
    EXPECT_EQ(again.stored, 0);
    EXPECT_EQ(again.failed, 2);
    EXPECT_EQ(SpecialImportMessage(again), "Es Wurden 2 Vokabeln nicht importiert");
    EXPECT_EQ(table.recordCount(), 2);
    EXPECT_EQ(table.state(), store::DataSetState::Browse);
}

TEST_F(SpecialImport, EmptyFirstTranslationIsSkippedNotCounted) {
    const auto result = run(Word("一", "いち", "") + Word("二", "に", ", zwei") +
                            Word("三", "さん", "drei"));
    EXPECT_EQ(Rethrown(result), "");
    EXPECT_EQ(result.stored, 1);
    EXPECT_EQ(result.failed, 0);
    ASSERT_EQ(table.recordCount(), 1);
    table.first();
    EXPECT_EQ(table.asString("Translation1"), "drei");
}

TEST_F(SpecialImport, FirstLineNeverReachesTheTable) {
    run(Word("犬", "いぬ", "Hund", "1", "Hund; Katze; \\'82\\'a0 NOTIZ 99"));
    ASSERT_EQ(table.recordCount(), 1);
    table.first();
    for (const char* f : {"Translation2", "Translation3", "Note", "Type"})
        EXPECT_EQ(table.asString(f).find("Katze"), std::string::npos) << f;
    EXPECT_EQ(table.asInteger("Lesson"), 1);
}

TEST_F(SpecialImport, EmptyFileStoresNothing) {
    const auto result = run("");
    EXPECT_EQ(Rethrown(result), "");
    EXPECT_EQ(SpecialImportMessage(result), "Es Wurden 0 Vokabeln nicht importiert");
    EXPECT_EQ(table.recordCount(), 0);
}

TEST_F(SpecialImport, BadLessonAfterTwoGoodWordsKeepsThem) {
    const auto result =
        run(Word("火", "ひ", "Feuer") + Word("水", "みず", "Wasser") + Word("木", "き", "Baum", "x1"));
    EXPECT_EQ(Rethrown(result), "'x1' is not a valid integer value");
    EXPECT_EQ(result.stored, 2);
    EXPECT_EQ(SpecialImportMessage(result), "Es Wurden 0 Vokabeln nicht importiert");
    EXPECT_EQ(table.recordCount(), 2);
}

TEST_F(SpecialImport, LinesNotAMultipleOfSevenEndWithAnEmptyLesson) {
    const std::string file = Word("山", "やま", "Berg") + "#\r\n" + Sjis("川") + "\r\n";
    const auto result = run(file);
    EXPECT_EQ(Rethrown(result), "'' is not a valid integer value");
    EXPECT_EQ(table.recordCount(), 1);
}

TEST_F(SpecialImport, LineEndsAndCodePage) {
    // LF only, a stray CR inside a line, Windows-1252 letters, no line end at the very end.
    const std::string file = "#\n" + Sjis("大") + "\n" + Sjis("おお") + "\r\nGr\xf6\xdf\re\n\n\xe9t\xe9\n12";
    const auto result = run(file);
    EXPECT_EQ(Rethrown(result), "");
    ASSERT_EQ(table.recordCount(), 1);
    table.first();
    EXPECT_EQ(table.asString("Translation1"), "Größe");
    EXPECT_EQ(table.asString("Type"), "");
    EXPECT_EQ(table.asString("Note"), "été");
    EXPECT_EQ(table.asInteger("Lesson"), 12);
    EXPECT_EQ(table.asString("Hepburn"), "oo");
}

// A cancel takes the whole import back, committed batches too; the table is as before.
TEST_F(SpecialImport, CancelTakesEveryWordBack) {
    run(Word("数", "かず", "null"));
    std::string file;
    for (int n = 0; n < kWordsPerBatch + 5; ++n) file += Word("数", "かず", "Zahl " + std::to_string(n));
    for (const int cancelAt : {3, kWordsPerBatch + 3}) {
        SCOPED_TRACE(cancelAt);
        std::istringstream in(file);
        int calls = 0, commits = 0;
        const auto result = RunSpecialImport(
            in, table, clock, [&](std::int64_t) { return ++calls < cancelAt; },
            [&](const ImportCounts&) { ++commits; });
        EXPECT_TRUE(result.cancelled);
        EXPECT_EQ(commits, cancelAt > kWordsPerBatch ? 1 : 0);
        EXPECT_EQ(result.stored, 0);
        EXPECT_EQ(table.recordCount(), 1);
        EXPECT_EQ(SpecialImportMessage(result), "Import abgebrochen: Es wurde keine Vokabel importiert.");
    }
}

// The import syncs once at its end; a batch committed before a crash of the
// program must still be there, the open one not at all.
TEST_F(SpecialImport, CommittedBatchesSurviveACrashOfTheProgram) {
    std::string file;
    for (int n = 0; n < kWordsPerBatch + 5; ++n) file += Word("数", "かず", "Zahl " + std::to_string(n));
    // No thread of this process may hold one of SQLite's locks across the fork.
    temp->session().connect("Vokabel")->awaitCheck();
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // A connection of its own: SQLite connections do not cross a fork.
        store::Session own(temp->config);
        store::Table childTable(own, "Vokabel", "Vokabel.DB");
        childTable.open();
        std::istringstream in(file);
        int calls = 0;
        RunSpecialImport(in, childTable, clock, [&](std::int64_t) {
            // No clean-up at all: as if the program crashed, two words into the second batch.
            if (++calls == kWordsPerBatch + 3) ::_exit(0);
            return true;
        });
        ::_exit(1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    ASSERT_EQ(WEXITSTATUS(status), 0);

    store::Session fresh(temp->config);
    store::Table reopened(fresh, "Vokabel", "Vokabel.DB");
    reopened.open();
    EXPECT_EQ(reopened.recordCount(), kWordsPerBatch);
}

TEST(StrToInt, WholeNumbersOnly) {
    EXPECT_EQ(StrToInt("42"), 42);
    EXPECT_EQ(StrToInt("  -7"), -7);
    EXPECT_EQ(StrToInt("+2147483647"), 2147483647);
    for (const char* bad : {"", "1.5", "12 ", "abc", "2147483648", "-", "0x10"}) {
        SCOPED_TRACE(bad);
        EXPECT_THROW(StrToInt(bad), ConversionError);
    }
    try {
        StrToInt("1a");
    } catch (const ConversionError& e) {
        EXPECT_STREQ(e.what(), "'1a' is not a valid integer value");
    }
}

}  // namespace
}  // namespace morvanta::exchange
