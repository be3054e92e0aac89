#include "core/exchange/special_import.h"

#include <cctype>
#include <limits>

#include "core/exchange/import_batch.h"
#include "store/data_set.h"
#include "text/codepage.h"
#include "text/decode_trans.h"
#include "text/escape_runs.h"

namespace morvanta::exchange {

int StrToInt(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    const std::size_t digits = i;
    long long value = 0;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > static_cast<long long>(std::numeric_limits<int>::max()) + 1) break;
    }
    if (negative) value = -value;
    if (i == digits || i != text.size() || value > std::numeric_limits<int>::max() ||
        value < std::numeric_limits<int>::min())
        throw ConversionError("'" + std::string(text) + "' is not a valid integer value");
    return static_cast<int>(value);
}

bool SpecialImportReader::atEnd() { return in_.peek() == std::istream::traits_type::eof(); }

std::string SpecialImportReader::readLine() {
    std::string bytes;
    std::getline(in_, bytes, '\n');
    std::erase(bytes, '\r');
    return text::Cp1252ToUtf8(bytes);
}

SpecialImportLines SpecialImportReader::readWord() {
    SpecialImportLines lines;
    for (std::string& l : lines) l = readLine();
    return lines;
}

std::int64_t SpecialImportReader::bytesRead() {
    if (atEnd()) in_.clear();
    const auto pos = in_.tellg();
    return pos < 0 ? 0 : static_cast<std::int64_t>(pos);
}

std::optional<store::Record> SpecialImportRecord(const SpecialImportLines& lines,
                                                 const store::Clock& clock) {
    const std::string hepburn = text::KanaToHepburn(lines[2]);
    const text::Translations translations = text::DecodeTrans(lines[3]);
    const int lesson = StrToInt(lines[6]);
    if (translations.first.empty()) return std::nullopt;

    const store::DateTime entered = clock.now();
    const store::DateTime asked = clock.now();
    return store::Record{translations.first,
                         translations.second,
                         translations.third,
                         hepburn,
                         text::WrapJapaneseRtf(lines[1]),
                         text::WrapJapaneseRtf(lines[2]),
                         std::int64_t{-1},
                         lines[5],
                         entered,
                         asked,
                         std::int64_t{0},
                         std::int64_t{0},
                         true,
                         lines[4],
                         false,
                         std::int64_t{lesson}};
}

SpecialImportResult RunSpecialImport(std::istream& in, store::DataSet& table,
                                     const store::Clock& clock, const ProgressFn& progress,
                                     const CommittedFn& committed) {
    SpecialImportResult result;
    SpecialImportReader reader(in);
    try {
        ImportBatch batch(table, committed);
        const auto counted = [&] {
            result.stored = batch.counts().stored;
            result.failed = batch.counts().refused;
        };
        try {
            while (!reader.atEnd()) {
                if (!Proceed(progress, reader.bytesRead())) {
                    result.cancelled = true;
                    break;
                }
                if (const auto record = SpecialImportRecord(reader.readWord(), clock)) {
                    batch.add(*record);
                    counted();
                }
            }
        } catch (const ConversionError&) {
            // A word the file gets wrong ends the import; the words before it are kept.
            result.error = std::current_exception();
        }
        if (result.cancelled)
            batch.takeBack();
        else
            batch.end();
        counted();
    } catch (const store::EngineError&) {
        // The table took no more words (a full disk, a locked or replaced file):
        // what was committed stays, and is what the count says.
        result.stopped = true;
        result.error = std::current_exception();
    } catch (...) {
        result.error = std::current_exception();
    }
    return result;
}

std::string SpecialImportMessage(const SpecialImportResult& result) {
    if (result.cancelled) return "Import abgebrochen: Es wurde keine Vokabel importiert.";
    std::string text;
    if (result.stopped)
        text = "Import abgebrochen: " + std::to_string(result.stored) + " Vokabeln importiert.\r\n";
    return text + "Es Wurden " + std::to_string(result.failed) + " Vokabeln nicht importiert";
}

}  // namespace morvanta::exchange
