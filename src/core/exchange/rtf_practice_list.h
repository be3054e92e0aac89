#pragma once
// The RTF practice list: one table row per word with the kanji, three empty
// practice cells, the kana, three empty practice cells and the first translation.
// Lines end with CR LF; the document is Windows-1252 text.

#include <ostream>
#include <string>
#include <string_view>

#include "core/exchange/run_progress.h"

namespace morvanta::store {
class DataSet;
}

namespace morvanta::exchange {

// The font table and the page: A4 landscape, so that all nine cells print.
std::string PracticeListHead();
// Switches to the Japanese font and language for the run X, then back.
std::string MarkJapaneseRun(std::string_view run);
// A UTF-8 translation as RTF text in Windows-1252: the German umlauts and ß as
// escapes, RTF's own characters escaped, other characters as their byte, and
// characters without a place in Windows-1252 as \uN?.
std::string EscapeUmlautsRtf(std::string_view translation);
std::string FirstPracticeRow(std::string_view kanji, std::string_view kana,
                             std::string_view translation);
std::string PracticeRow(std::string_view kanji, std::string_view kana,
                        std::string_view translation);

// Writes the document word by word from the stored field texts.
class PracticeListWriter {
public:
    explicit PracticeListWriter(std::ostream& out);
    // The stored Kanji and Hira-Kata rich texts and Translation1 (UTF-8).
    void addWord(std::string_view kanjiRtf, std::string_view kanaRtf,
                 std::string_view translation1);
    // Closes the document; without any word the first row holds empty cells.
    void finish();

private:
    std::ostream& out_;
    bool firstWritten_ = false;
};

// The query's records, read in one pass without moving it, into the writer's
// document. Returns false when the progress callback cancelled (records done so far).
bool WritePracticeList(std::ostream& out, store::DataSet& query, const ProgressFn& progress = {});

}  // namespace morvanta::exchange
