#include "core/exchange/word_dump.h"

#include "store/record_reader.h"
#include "text/codepage.h"

namespace morvanta::exchange {

bool WriteWordDump(std::ostream& out, store::DataSet& query, const ProgressFn& progress) {
    store::RecordReader records(query, {"Kanji", "Hira-Kata", "Translation1"});
    std::int64_t done = 0;
    while (records.next()) {
        for (int field = 0; field < 3; ++field) out << text::Utf8ToCp1252(records.text(field)) << "\r\n";
        if (!Proceed(progress, ++done)) return false;
    }
    return true;
}

}  // namespace morvanta::exchange
