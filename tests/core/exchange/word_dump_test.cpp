// The three-line word dump over a real selection.

#include <gtest/gtest.h>

#include <sstream>

#include "core/exchange/word_dump.h"
#include "support/rtf_test_support.h"
#include "store/data_set.h"
#include "support/temp_table.h"

namespace morvanta::exchange {
namespace {

store::Record DumpWord(std::string t1, std::string kanji, std::string kana, bool marked) {
    const store::DateTime day{2024, 1, 2, 3, 4, 5, 0};
    return {std::move(t1), std::string(), std::string(), std::string("h"), std::move(kanji),
            std::move(kana), std::int64_t{0}, std::string(), day, day, std::int64_t{0},
            std::int64_t{0}, marked, std::string("Meishi"), false, std::int64_t{1}};
}

class WordDump : public ::testing::Test {
protected:
    void SetUp() override {
        table.open();
        table.insertRecord(DumpWord("Straße", "{\\rtf1 \\'93\\'b9\\par\r\n}\r\n", "{\\rtf1 \\'82\\'dd\\'82\\'bf}",
                                    true));
        table.insertRecord(DumpWord("Auge", "{\\rtf1 \\'96\\'da}", "{\\rtf1 \\'82\\'df}", true));
        table.insertRecord(DumpWord("Zahl", "{\\rtf1 \\'90\\'94}", "{\\rtf1 \\'82\\'a9\\'82\\'b8}", false));
    }
    std::string dump(const std::string& sql) {
        query.setSql({sql});
        query.open();
        std::ostringstream out;
        EXPECT_TRUE(WriteWordDump(out, query));
        return out.str();
    }
    std::unique_ptr<test::TempTable> temp = test::MakeTempTable();
    store::Table table{temp->session(), "Vokabel", "Vokabel.DB"};
    store::Query query{temp->session(), "Vokabel"};
};

TEST_F(WordDump, ThreeLinesPerWordInSelectionOrder) {
    // A stored document with line breaks spans several lines of the file.
    EXPECT_EQ(dump("SELECT * FROM Vokabel WHERE Marked=True;"),
              "{\\rtf1 \\'96\\'da}\r\n{\\rtf1 \\'82\\'df}\r\nAuge\r\n"
              "{\\rtf1 \\'93\\'b9\\par\r\n}\r\n\r\n{\\rtf1 \\'82\\'dd\\'82\\'bf}\r\nStra\xdf"
              "e\r\n");
}

TEST_F(WordDump, EmptySelectionWritesNothing) {
    EXPECT_EQ(dump("SELECT * FROM Vokabel WHERE Lesson=99;"), "");
}

TEST_F(WordDump, CancelStopsTheWalk) {
    query.setSql({"SELECT * FROM Vokabel;"});
    query.open();
    std::ostringstream out;
    EXPECT_FALSE(WriteWordDump(out, query, [](std::int64_t done) { return done < 1; }));
}

}  // namespace
}  // namespace morvanta::exchange
