// The kana list (hirakata.txt) on any bytes, as the kanji list loads it; the
// same bytes then serve as a stored Kanji text. Every line is kept without its
// line end, a kanji is added once however often it comes, and the list writes.
#include <cstdint>
#include <sstream>
#include <string>
#include <string_view>

#include "core/exchange/rtf_kanji_list.h"
#include "fuzz_check.h"

using namespace morvanta;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    exchange::KnownCharacters known;
    std::istringstream in(input);
    known.loadKanaList(in);
    const auto loaded = known.lines();
    std::size_t kept = 0;
    for (const std::string& line : loaded) {
        FUZZ_CHECK(line.find_first_of("\r\n") == std::string::npos);
        kept += line.size();
    }
    FUZZ_CHECK(kept <= size && kept + 2 * loaded.size() >= size);

    known.addKanjiText(input);
    const std::size_t after = known.lines().size();
    FUZZ_CHECK(after - loaded.size() <= size / 2);  // a kanji takes two bytes at the least
    for (std::size_t n = 0; n < after; ++n) {
        const std::string& line = known.lines()[n];
        if (n < loaded.size())
            FUZZ_CHECK(line == loaded[n]);
        else
            FUZZ_CHECK(line.starts_with("\\'") ? line.size() == 8 : line.starts_with("\\u"));
    }
    known.addKanjiText(input);
    FUZZ_CHECK(known.lines().size() == after);

    std::ostringstream out;
    exchange::WriteKanjiList(out, known);
    FUZZ_CHECK(out.str().starts_with("{\\rtf1") && out.str().ends_with(exchange::KanjiListTail()));
    return 0;
}
