#pragma once
// Every word of a word-list XML file stored as a new word of the table, with the
// values the entry page would store after filling its fields from that word.

#include <QString>
#include <cstdint>
#include <exception>
#include <string>

#include "core/exchange/import_batch.h"
#include "core/exchange/run_progress.h"
#include "store/date_time.h"

class QIODevice;

namespace morvanta::store {
class DataSet;
}

namespace morvanta::exchange {

struct XmlImportResult {
    int stored = 0;
    int duplicates = 0;  // words the table's rules refused
    int withoutTranslation = 0;
    bool cancelled = false;
    QString loadError;         // the file does not load (as XmlLoadErrorMessage): nothing stored
    std::exception_ptr error;  // what ended the import early, if anything
};

// A walk over the whole file: whether it loads at all and how many <word>
// elements it holds.
struct XmlWordListCheck {
    bool loaded = false;
    QString errorMessage;  // as XmlLoadErrorMessage, when the document did not load
    std::int64_t words = 0;
};
XmlWordListCheck CheckWordList(QIODevice& in);

// Each <word> of the file, from `in`'s position, as a new word: Kanji and Hira-Kata as the rich text the entry page saves; a
// missing reading is the word itself (the export leaves out a reading equal to
// the word); a missing transliteration is romanised from the reading.
// Translations go to the slot their priority names, else to the first empty
// one. Lesson and tone are taken when they read as a whole number, the type
// when it is one of the type words; dates and statistics are not taken: the
// word starts as a new word. A word without a first translation is left out.
// The words are stored in batches (ImportBatch) as they are read, in one walk;
// a file that fails to load anywhere, like a cancel, takes every word back
// (loadError, cancelled). A duplicate is counted and the import goes on; any
// other failure ends it and keeps what was committed (error). The counts are
// the committed words'. The progress callback gets the bytes read so far.
XmlImportResult ImportWords(QIODevice& in, store::DataSet& table, const store::Clock& clock,
                            const ProgressFn& progress = {}, const CommittedFn& committed = {});

// "12 Vokabeln importiert, 3 schon vorhanden, 1 ohne Übersetzung übergangen."
std::string XmlImportMessage(const XmlImportResult& result);

}  // namespace morvanta::exchange
