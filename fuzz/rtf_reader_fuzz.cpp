// The rich-text codec's reader on any bytes, and the writer's documents read back.
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "text/rich_text.h"

using namespace morvanta;

namespace {

// Text the writer promises to give back unchanged: valid UTF-8, line breaks as
// LF, no other control characters.
bool RoundTrips(std::string_view s) {
    if (!fuzz::IsValidUtf8(reinterpret_cast<const unsigned char*>(s.data()), s.size())) return false;
    for (unsigned char c : s)
        if ((c < 0x20 && c != '\n' && c != '\t') || c == 0x7F) return false;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);

    const std::string plain = text::RtfToPlainText(input);
    if (input.starts_with("{\\rtf"))
        FUZZ_CHECK(fuzz::IsValidUtf8(reinterpret_cast<const unsigned char*>(plain.data()), plain.size()));
    else
        FUZZ_CHECK(plain == input);

    if (RoundTrips(input)) {
        const std::string rtf = text::PlainTextToRtf(input);
        FUZZ_CHECK(rtf.starts_with("{\\rtf1"));
        FUZZ_CHECK(text::RtfToPlainText(rtf) == input);
    }
    return 0;
}
