#pragma once
// The RTF kanji list: every distinct kanji of the selection's Kanji texts that
// the kana list does not hold, one per row, each followed by eighteen empty boxes.

#include <cstddef>
#include <istream>
#include <ostream>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "core/exchange/run_progress.h"

namespace morvanta::store {
class DataSet;
}

namespace morvanta::exchange {

// The list starts at this line of the known-character list, whatever the
// length of the kana list file.
inline constexpr std::size_t kFirstListedLine = 168;

// The font table, the page (A4 portrait) and the first row.
std::string KanjiListHead(std::string_view character);
std::string KanjiRow(std::string_view character);
// The two closing lines.
std::string KanjiListTail();

// Lines split at CR LF, LF or CR; a final line end adds no empty line.
std::vector<std::string> SplitLines(std::string_view bytes);

// The known-character list: the kana list's lines, then each kanji met for the
// first time, in order, as its RTF escape. Characters are compared, not texts,
// so the letter case of an escape's hex digits does not matter.
class KnownCharacters {
public:
    void clear();
    // One character per line as RTF escapes; a line that is not exactly one
    // character is kept but stands for none.
    void loadKanaList(std::istream& in);
    // Appends every kanji of the stored Kanji text that the list does not hold yet.
    void addKanjiText(std::string_view kanjiRtf);
    // The same for kanji already taken out of a text (KanjiOf).
    void addKanji(std::u32string_view kanji);
    const std::vector<std::string>& lines() const { return lines_; }
    // 1-based; the empty text past the end.
    std::string line(std::size_t number) const;
    // The characters the list shows, line kFirstListedLine on, in its order; a
    // line that stands for no character is left out.
    std::u32string listedCharacters() const;

private:
    std::vector<std::string> lines_;
    std::vector<char32_t> lineCharacters_;  // per line; 0 for none
    std::unordered_set<char32_t> characters_;
};

// Head with line 168, rows for the lines after it, closing lines.
void WriteKanjiList(std::ostream& out, const KnownCharacters& known);

// The query's records, read in one pass without moving it, into the list; false when cancelled.
bool CollectKanji(KnownCharacters& known, store::DataSet& query, const ProgressFn& progress = {});

}  // namespace morvanta::exchange
