// KVTML of any bytes: either a sheet with a column per language part, then
// "Lektion" and "Typ", every row one cell per column, all of it UTF-8, or
// ReadError. The sheet then goes through the column guess and the row
// preparation, which account for every row.
#include <QBuffer>
#include <QByteArray>
#include <algorithm>
#include <cstdint>

#include "core/foreign/column_mapping.h"
#include "core/foreign/foreign_import.h"
#include "core/foreign/kvtml_reader.h"
#include "fuzz_check.h"
#include "word_list_check.h"
#include "text/rich_text.h"

using namespace morvanta;
using namespace morvanta::foreign;

using morvanta::fuzz::CheckSheet;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    SourceSheet sheet;
    try {
        sheet = ReadKvtml(buffer);
    } catch (const ReadError& e) {
        FUZZ_CHECK(*e.what() != '\0');
        return 0;
    }
    FUZZ_CHECK(sheet.format == "KVTML" && sheet.rowWord == "Eintrag");
    FUZZ_CHECK(sheet.columns.size() >= 2);
    FUZZ_CHECK(sheet.columns[sheet.columns.size() - 2] == "Lektion" && sheet.columns.back() == "Typ");
    CheckSheet(sheet);
    return 0;
}
