#pragma once
// A source sheet under a column mapping becomes new words: the preview's counts
// first, then the words stored in one import batch.
//
// Each row gives a word as the entry page would make it: the reading as kana
// (romaji typed for it are converted), the Hepburn from the reading, the texts
// on one line, Marked, no accent (−1, as the special import gives). Anki's
// furigana "漢字[かんじ]" gives the word and, where no column gives one, the
// reading. A single translation column is split at ";" into up to three.
// Lessons that are whole numbers stay; named ones (decks, containers) get the
// numbers after the table's highest lesson, in the order they first appear.

#include <cstdint>
#include <exception>
#include <string>
#include <unordered_set>
#include <vector>

#include "core/entry/new_word.h"
#include "core/exchange/import_batch.h"
#include "core/exchange/run_progress.h"
#include "core/foreign/column_mapping.h"
#include "core/foreign/source_sheet.h"

namespace morvanta::store {
class Clock;
class DataSet;
}  // namespace morvanta::store

namespace morvanta::foreign {

struct NamedLesson {
    std::string name;
    std::int64_t number = 0;
    int words = 0;
};

struct PreparedImport {
    std::vector<entry::NewWord> words;  // the rows that can be stored, in the file's order
    int unusable = 0;                   // rows that cannot be stored
    std::vector<std::string> problems;  // the first of them with their reasons ("Zeile 7: …")
    std::vector<NamedLesson> lessons;   // named lessons and the numbers they get
};

inline constexpr std::size_t kListedProblems = 20;

PreparedImport PrepareImport(const SourceSheet& sheet, const ColumnMapping& mapping,
                             std::int64_t firstFreeLesson);

// Anki's furigana: "日本[にほん]語[ご]" is written 日本語 and read にほんご.
struct Furigana {
    std::string written, reading;
};
Furigana SplitFurigana(std::string_view text);

// The table's uniqueness keys (Hepburn and the three translations), read once.
class WordKeys {
public:
    explicit WordKeys(store::DataSet& table);
    // A word's key as the table's rule compares it.
    static std::string KeyOf(const entry::NewWord& word);
    bool contains(const std::string& key) const { return keys_.contains(key); }

private:
    std::unordered_set<std::string> keys_;
};

// One more than the table's highest lesson (1 for an empty table).
std::int64_t FirstFreeLesson(store::DataSet& table);

struct ImportPreview {
    int newWords = 0;
    int duplicates = 0;
    int unusable = 0;
};
// A word is a duplicate when the table or an earlier row has its key. The
// table's keys may be read once for many previews (the dialog's field choices).
ImportPreview CountPreview(const PreparedImport& prepared, const WordKeys& table);
ImportPreview CountPreview(const PreparedImport& prepared, store::DataSet& table);

struct ForeignImportResult {
    int stored = 0;
    int refused = 0;   // duplicates the table refused
    int unusable = 0;  // rows that could not be stored
    bool cancelled = false;
    bool stopped = false;      // the table took no more words
    std::exception_ptr error;  // what ended the import early
};

// Stores the words in batches. A cancel keeps the words stored so far, as a
// failure of the table keeps what was committed. Progress counts words.
ForeignImportResult RunForeignImport(const PreparedImport& prepared, store::DataSet& table,
                                     const store::Clock& clock,
                                     const exchange::ProgressFn& progress = {},
                                     const exchange::CommittedFn& committed = {});

// The closing message: how many words were imported, how many were there
// already, how many rows could not be stored.
std::string ForeignImportMessage(const ForeignImportResult& result);

}  // namespace morvanta::foreign
