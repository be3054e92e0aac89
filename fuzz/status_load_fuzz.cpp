// Loading a quiz status file of any bytes, as the quiz page does: read it, let
// line 2 through only as a selection from the vocabulary table, then run it.
// Whatever the bytes, the table reads the same afterwards.
#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "core/quiz/status_file.h"
#include "store/data_set.h"
#include "store/database.h"
#include "support/temp_table.h"

using namespace morvanta;

namespace {

// Statements that could run for ever are stopped, as the learner would.
class ShortWork : public store::Database::LongWork {
public:
    bool keepGoing(std::chrono::milliseconds elapsed) override { return elapsed.count() < 200; }
    void done() override {}
};

// Every word, the key order, the schema and the layout version.
std::string Contents(store::Database& db) {
    std::string all;
    for (const char* sql : {"SELECT * FROM Vokabel ORDER BY rowid", "SELECT * FROM VokabelOrder ORDER BY WordId",
                            "SELECT type, name, sql FROM sqlite_master ORDER BY name", "PRAGMA user_version"}) {
        store::Statement rows = db.prepare(sql);
        while (rows.step()) {
            for (int i = 0; i < rows.columnCount(); ++i) {
                all += std::to_string(rows.columnType(i));
                all += rows.columnText(i);
                all += '\x1f';
            }
            all += '\n';
        }
    }
    return all;
}

struct Fixture {
    Fixture() {
        test::InsertGeneratedWords(table.tableFile, 40);
        db = table.session().connect("Vokabel");
        db->setLongWork(&work);
        before = Contents(*db);
    }
    test::TempTable table;
    ShortWork work;
    std::shared_ptr<store::Database> db;
    std::string before;
};

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::PreferRamDisk();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static Fixture f;
    quiz::StatusFileContent content;
    try {
        content = quiz::ReadStatusFile(std::string_view(reinterpret_cast<const char*>(data), size));
    } catch (const quiz::NotAStatusFileError&) {
        return 0;
    } catch (const quiz::DamagedStatusFileError&) {
        return 0;  // nothing of it is used
    }
    {
        store::Query query(f.table.session(), "Vokabel");
        try {
            query.requireSelection(content.sqlLine);
            query.run({content.sqlLine});
        } catch (const store::EngineError& e) {
            FUZZ_CHECK(*e.what() != '\0');
        }
    }
    FUZZ_CHECK(Contents(*f.db) == f.before);
    return 0;
}
