// IsolateRtfEscapes, DecodeTrans and ParseHexText on any bytes; the first byte
// picks the routine so one corpus serves all three.
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "text/decode_trans.h"
#include "text/escape_runs.h"
#include "text/fast_strings.h"

using namespace morvanta;

namespace {

bool IsHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

void CheckIsolate(std::string_view input) {
    const std::string run = text::IsolateRtfEscapes(input);
    FUZZ_CHECK(input.find(run) != std::string_view::npos);
    // A run of escapes wrapped into a document comes back out whole.
    static constexpr char kHex[] = "0123456789abcdef";
    std::string escapes;
    for (unsigned char c : input.substr(0, 64)) {
        escapes += "\\'";
        escapes += kHex[c >> 4];
        escapes += kHex[c & 0xF];
    }
    if (!escapes.empty()) FUZZ_CHECK(text::IsolateRtfEscapes(text::WrapJapaneseRtf(escapes)) == escapes);
}

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= 32; }

void CheckPart(const std::string& part, std::string_view line, bool mayHoldSeparators) {
    if (part.empty()) return;
    FUZZ_CHECK(!IsBlank(part.front()) && !IsBlank(part.back()));
    FUZZ_CHECK(line.find(part) != std::string_view::npos);
    if (!mayHoldSeparators) FUZZ_CHECK(part.find_first_of(",;") == std::string::npos);
}

void CheckDecodeTrans(std::string_view line) {
    const text::Translations t = text::DecodeTrans(line);
    CheckPart(t.first, line, false);
    CheckPart(t.second, line, false);
    CheckPart(t.third, line, true);
    if (line.find_first_of(",;") == std::string_view::npos) FUZZ_CHECK(t.second.empty() && t.third.empty());
}

void CheckParseHex(std::string_view hex) {
    bool allHex = true;
    for (char c : hex) allHex = allHex && IsHexDigit(c);
    try {
        const std::int64_t value = text::ParseHexText(hex);
        FUZZ_CHECK(allHex);
        std::uint64_t expected = 0;  // wraps past 16 digits, as the routine does
        for (char c : hex) {
            const int d = c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10;
            expected = expected * 16 + static_cast<std::uint64_t>(d);
        }
        FUZZ_CHECK(static_cast<std::uint64_t>(value) == expected);
    } catch (const text::HexError& e) {
        FUZZ_CHECK(!allHex);
        FUZZ_CHECK(std::string_view(e.what()).starts_with("Invalid hex character "));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::string_view input(reinterpret_cast<const char*>(data) + 1, size - 1);
    switch (data[0] % 3) {
        case 0: CheckIsolate(input); break;
        case 1: CheckDecodeTrans(input); break;
        default: CheckParseHex(input); break;
    }
    return 0;
}
