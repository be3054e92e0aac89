// The record reader against stepping the data set itself: the same records in
// the same order with the same texts, for a live selection (with the learner's
// order and a word deleted since it opened) and for a result held in memory;
// the data set does not move.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "store/data_set.h"
#include "store/database.h"
#include "store/record_reader.h"
#include "support/temp_table.h"

namespace morvanta::store {
namespace {

const std::vector<std::string_view> kFields = {"Translation1", "Hepburn", "Kanji", "Lesson",
                                               "DateEntered", "Marked"};

std::vector<std::string> Stepped(DataSet& ds, const std::vector<std::string_view>& fields) {
    std::vector<std::string> rows;
    for (ds.first(); !ds.eof(); ds.next()) {
        std::string row;
        for (std::string_view f : fields) row += ds.asString(f) + "|";
        rows.push_back(row);
    }
    return rows;
}

std::vector<std::string> Read(DataSet& ds, const std::vector<std::string_view>& fields) {
    std::vector<std::string> rows;
    RecordReader records(ds, fields);
    while (records.next()) {
        std::vector<std::string_view> views;  // every view of a record stays valid until next()
        for (int c = 0; c < int(fields.size()); ++c) views.push_back(records.text(c));
        std::string row;
        for (int c = 0; c < int(fields.size()); ++c) {
            EXPECT_EQ(std::string(views[size_t(c)]), records.asString(c));
            row += std::string(views[size_t(c)]) + "|";
        }
        rows.push_back(row);
    }
    EXPECT_EQ(int(rows.size()), records.count());
    return rows;
}

TEST(RecordReader, ReadsWhatSteppingReadsWithoutMovingTheDataSet) {
    auto t = test::MakeTempTable();
    test::InsertGeneratedWords(t->tableFile, 12);
    Query live(t->session(), "Vokabel");
    live.run({"SELECT * FROM Vokabel WHERE Lesson > 2 ORDER BY Lesson DESC;"});
    Query held(t->session(), "Vokabel");
    held.run({"SELECT Lesson, Translation1, Lesson * 2 AS Twice FROM Vokabel;"});
    ASSERT_FALSE(held.canModify());
    // A word deleted elsewhere after the query opened reads empty, in both ways.
    t->session().connect("Vokabel")->exec("DELETE FROM Vokabel WHERE Lesson = 5");

    for (Query* query : {&live, &held}) {
        const std::vector<std::string_view> fields =
            query == &live ? kFields : std::vector<std::string_view>{"Twice", "Translation1", "Lesson"};
        SCOPED_TRACE(query == &live ? "live" : "held");
        ASSERT_GT(query->recordCount(), 3);
        query->setRecNo(3);
        const std::vector<std::string> read = Read(*query, fields);
        EXPECT_EQ(query->recNo(), 3);
        EXPECT_EQ(read, Stepped(*query, fields));
    }
}

}  // namespace
}  // namespace morvanta::store
