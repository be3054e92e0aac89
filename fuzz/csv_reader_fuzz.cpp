// CSV and TSV of any bytes (the first byte picks which: even CSV, odd TSV):
// either a sheet whose rows all have one cell per column, all of it UTF-8, or
// ReadError. The sheet then goes through the column guess and the row
// preparation, which account for every row.
#include <algorithm>
#include <cstdint>
#include <string_view>

#include "core/foreign/column_mapping.h"
#include "core/foreign/csv_reader.h"
#include "core/foreign/foreign_import.h"
#include "fuzz_check.h"
#include "word_list_check.h"
#include "text/rich_text.h"

using namespace morvanta;
using namespace morvanta::foreign;

using morvanta::fuzz::CheckSheet;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const CsvKind kind = data[0] % 2 == 0 ? CsvKind::Csv : CsvKind::Tsv;
    const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
    SourceSheet sheet;
    try {
        sheet = ReadCsv(bytes, kind);
    } catch (const ReadError& e) {
        FUZZ_CHECK(*e.what() != '\0');
        return 0;
    }
    FUZZ_CHECK(sheet.format == "TSV" || (kind == CsvKind::Csv && sheet.format == "CSV"));
    FUZZ_CHECK(sheet.rowNumbers.size() == sheet.rows.size());
    FUZZ_CHECK(std::is_sorted(sheet.rowNumbers.begin(), sheet.rowNumbers.end()));
    CheckSheet(sheet);
    return 0;
}
