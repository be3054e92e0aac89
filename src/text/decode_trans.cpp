#include "text/decode_trans.h"

#include "text/fast_strings.h"

namespace morvanta::text {

namespace {

std::size_t CutPosition(std::string_view s) {
    const auto c = s.find_first_of(",;");
    return c == std::string_view::npos ? s.size() : c;
}

}  // namespace

// Only three translations fit a record. Text that would make a fourth part
// stays with the third one (from its start to the end of the line), so a
// longer line loses nothing.
Translations DecodeTrans(std::string_view line) {
    Translations t;
    std::string* parts[] = {&t.first, &t.second, &t.third};
    std::string_view rest = line;
    for (std::size_t k = 0; k < 3 && rest.size() > 1; ++k) {
        const std::size_t cut = CutPosition(rest);
        *parts[k] = TakeLeft(rest, static_cast<int>(cut));
        const std::string_view before = rest;
        rest = cut < rest.size() ? TrimControls(rest.substr(cut + 1)) : std::string_view{};
        if (k == 2 && rest.size() > 1) *parts[k] = std::string(before);
    }
    for (std::string* p : parts) *p = std::string(TrimControls(*p));
    return t;
}

}  // namespace morvanta::text
