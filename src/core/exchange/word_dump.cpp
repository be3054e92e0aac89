#include "core/exchange/word_dump.h"

#include "store/data_set.h"
#include "text/codepage.h"

namespace morvanta::exchange {

bool WriteWordDump(std::ostream& out, store::DataSet& query, const ProgressFn& progress) {
    query.first();
    std::int64_t done = 0;
    while (!query.eof()) {
        for (const char* field : {"Kanji", "Hira-Kata", "Translation1"})
            out << text::Utf8ToCp1252(query.asString(field)) << "\r\n";
        if (!Proceed(progress, ++done)) return false;
        query.next();
    }
    return true;
}

}  // namespace morvanta::exchange
