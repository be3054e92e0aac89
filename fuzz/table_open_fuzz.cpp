// Opening a table file of any bytes (the seeds are damaged copies of a small
// table): it is refused, or opened and read, with every failure an EngineError.
// A file opened read-only refuses the insert, and a refused or read-only file
// is left byte for byte as it was.
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "fuzz_check.h"
#include "store/data_set.h"
#include "store/database.h"
#include "store/session.h"
#include "support/temp_table.h"

using namespace morvanta;
namespace fs = std::filesystem;

namespace {

std::string Bytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void ReadEveryField(store::Table& table) {
    try {
        table.open();
        for (table.first(); !table.eof(); table.next())
            for (const auto& field : store::VocabularyFields()) table.asString(field.name);
    } catch (const store::EngineError&) {
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::PreferRamDisk();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static test::TempTable t;
    const std::string input(reinterpret_cast<const char*>(data), size);
    fs::remove_all(t.databaseFolder);  // log, index and backups of the last run
    fs::create_directories(t.databaseFolder);
    std::ofstream(t.tableFile, std::ios::binary).write(input.data(), static_cast<std::streamsize>(size));

    bool readOnly = true, inserted = false;
    try {
        store::Session session(t.config);
        readOnly = session.connect("Vokabel")->readOnly();
        store::Table table(session, "Vokabel", "Vokabel.DB");
        ReadEveryField(table);
        try {
            if (!table.active()) table.open();
            table.insertRecord(test::GeneratedWord(1));
            inserted = true;
        } catch (const store::EngineError&) {
        }
    } catch (const store::EngineError& e) {
        FUZZ_CHECK(*e.what() != '\0');
    }
    if (readOnly) {  // refused, or opened read-only
        FUZZ_CHECK(!inserted);
        FUZZ_CHECK(Bytes(t.tableFile) == input);
    }
    return 0;
}
