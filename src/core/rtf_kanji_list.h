#pragma once
// The RTF kanji list: every distinct character of the selection's Kanji texts
// that is not a kana, one per row, each followed by eighteen empty boxes.

#include <cstddef>
#include <cstdint>
#include <istream>
#include <ostream>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "core/progress.h"

namespace morvanta::store {
class DataSet;
}

namespace morvanta::exchange {

// The list starts at this line of the known-character list, whatever the
// length of the kana list file.
inline constexpr std::size_t kFirstListedLine = 168;
inline constexpr std::size_t kChunkLength = 8;  // one Shift-JIS character as two escapes

std::string KanjiListHead(std::string_view character);
std::string KanjiRow(std::string_view character);
// The two closing lines.
std::string KanjiListTail();

// Lines split at CR LF, LF or CR; a final line end adds no empty line.
std::vector<std::string> SplitLines(std::string_view bytes);

// The known-character list: the kana list's lines, then each character met for
// the first time, in order. Looking up ignores letter case (through the fold table).
class KnownCharacters {
public:
    void clear();
    void loadKanaList(std::istream& in);
    // Appends every new eight-character chunk of the stored Kanji text's escape run.
    void addKanjiText(std::string_view kanjiRtf);
    const std::vector<std::string>& lines() const { return lines_; }
    // 1-based; the empty text past the end.
    std::string line(std::size_t number) const;

private:
    void add(std::string_view entry);
    // A chunk is eight bytes: its folded bytes make one integer key. Lines of
    // another length can never equal a chunk and need no key.
    static std::uint64_t Key(std::string_view chunk);
    std::vector<std::string> lines_;
    std::unordered_set<std::uint64_t> keys_;
};

// Head with line 168, rows for the lines after it, closing lines.
void WriteKanjiList(std::ostream& out, const KnownCharacters& known);

// Walks the query from its first record to its end into the list; false when cancelled.
bool CollectKanji(KnownCharacters& known, store::DataSet& query, const ProgressFn& progress = {});

}  // namespace morvanta::exchange
