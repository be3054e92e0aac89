#pragma once
// Every word of a word-list XML file stored as a new word of the table, with the
// values the entry page would store after filling its fields from that word.

#include <QByteArray>
#include <QString>
#include <exception>
#include <string>
#include <vector>

#include "core/new_word.h"
#include "core/progress.h"
#include "store/date_time.h"

namespace morvanta::store {
class DataSet;
}

namespace morvanta::exchange {

struct XmlWordsRead {
    bool loaded = false;
    QString errorMessage;  // as XmlLoadErrorMessage, when the document did not load
    std::vector<entry::NewWord> words;
    int withoutTranslation = 0;  // words left out: no first translation
};

// Each <word> of the document as a new word: Kanji and Hira-Kata as the rich
// text the entry page saves; a missing reading is the word itself (the export
// leaves out a reading equal to the word); a missing transliteration is
// romanised from the reading. Translations go to the slot their priority names,
// else to the first empty one. Lesson and tone are taken when they read as a
// whole number, the type when it is one of the type words; dates and
// statistics are not taken: the word starts as a new word.
XmlWordsRead ReadWordListWords(const QByteArray& bytes);

struct XmlImportResult {
    int stored = 0;
    int duplicates = 0;  // words the table's rules refused
    int withoutTranslation = 0;
    bool cancelled = false;
    std::exception_ptr error;  // what ended the import early, if anything
};

// Stores every word with its own insert; a duplicate is counted and the import
// goes on, any other failure ends it (error). The progress callback gets the
// number of words handled so far.
XmlImportResult StoreWords(const XmlWordsRead& read, store::DataSet& table,
                           const store::Clock& clock, const ProgressFn& progress = {});

// "12 Vokabeln importiert, 3 schon vorhanden, 1 ohne Übersetzung übergangen."
std::string XmlImportMessage(const XmlImportResult& result);

}  // namespace morvanta::exchange
