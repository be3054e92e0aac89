// An Anki package of any bytes: either a sheet whose rows all have one cell per
// column, the deck last, or ReadError; never a crash, and no temporary file left.
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "core/foreign/anki_package_reader.h"
#include "fuzz_check.h"
#include "support/temp_table.h"

using namespace morvanta;

namespace {

// A small cap keeps a zip bomb from filling the RAM disk.
constexpr std::uint64_t kFuzzLimit = 16u << 20;

std::size_t TempEntries() {
    std::size_t n = 0;
    for (const auto& entry :
         std::filesystem::directory_iterator(std::filesystem::temp_directory_path()))
        if (entry.path().filename().string().starts_with("morvanta-anki-")) ++n;
    return n;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::PreferRamDisk();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static test::TempFolder folder;
    const auto file = folder.path() / "package.apkg";
    std::ofstream(file, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    const std::size_t before = TempEntries();
    try {
        const foreign::SourceSheet sheet = foreign::ReadAnkiPackage(file, {}, kFuzzLimit);
        FUZZ_CHECK(sheet.format == "Anki-Paket");
        FUZZ_CHECK(!sheet.columns.empty() && sheet.columns.back() == "Deck");
        for (const auto& row : sheet.rows) FUZZ_CHECK(row.size() == sheet.columns.size());
    } catch (const foreign::ReadError& e) {
        FUZZ_CHECK(*e.what() != '\0');
    }
    FUZZ_CHECK(TempEntries() == before);
    return 0;
}
