#pragma once
// The special import: words in records of seven lines (Windows-1252 text).
//   1 ignored, 2 kanji as RTF escapes, 3 reading as kana escapes,
//   4 translations ("," or ";"), 5 type, 6 note, 7 lesson number.

#include <array>
#include <exception>
#include <istream>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "core/exchange/import_batch.h"
#include "core/exchange/run_progress.h"
#include "store/date_time.h"
#include "store/vocabulary.h"

namespace morvanta::store {
class DataSet;
}

namespace morvanta::exchange {

inline constexpr int kSpecialImportLines = 7;
using SpecialImportLines = std::array<std::string, kSpecialImportLines>;  // UTF-8

class ConversionError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A whole decimal number (leading blanks and a sign allowed);
// throws ConversionError "'<text>' is not a valid integer value".
int StrToInt(std::string_view text);

// Reads the file record by record. A line ends at LF; a CR anywhere is dropped;
// missing lines at the end of the file read as empty.
class SpecialImportReader {
public:
    explicit SpecialImportReader(std::istream& in) : in_(in) {}
    bool atEnd();
    SpecialImportLines readWord();
    std::int64_t bytesRead();

private:
    std::string readLine();
    std::istream& in_;
};

// The sixteen values for one word, or nullopt when its first translation is
// empty (the word is skipped). Throws ConversionError for a bad lesson number.
std::optional<store::Record> SpecialImportRecord(const SpecialImportLines& lines,
                                                 const store::Clock& clock);

struct SpecialImportResult {
    int stored = 0;
    int failed = 0;   // words the table refused
    bool cancelled = false;
    bool stopped = false;      // the table took no more words (full disk, locked, replaced)
    std::exception_ptr error;  // what ended the import early, if anything
};

// Stores the words in batches (ImportBatch); a word the table's rules refuse (a
// duplicate) is counted and the import goes on. A word the file gets wrong ends
// the import and keeps the words before it; a failure of the table ends it and
// keeps what was committed (error); a cancel takes every word back. The counts
// are the committed words'. The progress callback gets the bytes read so far.
SpecialImportResult RunSpecialImport(std::istream& in, store::DataSet& table,
                                     const store::Clock& clock, const ProgressFn& progress = {},
                                     const CommittedFn& committed = {});

// "Es Wurden N Vokabeln nicht importiert", with the count of stored words in
// front when the table took no more words; for a cancelled import, that none
// was imported.
std::string SpecialImportMessage(const SpecialImportResult& result);

}  // namespace morvanta::exchange
