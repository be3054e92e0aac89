#include "text/codepage_tables.h"

#include <iconv.h>

#include <array>
#include <cstring>
#include <mutex>
#include <vector>

#include "text/codepage.h"

namespace morvanta::text {

namespace {

// One iconv descriptor, closed on scope exit.
class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {
        if (cd_ == reinterpret_cast<iconv_t>(-1))
            throw CodePageError(std::string("iconv cannot convert from ") + from + " to " + to);
    }
    ~Converter() { iconv_close(cd_); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts one complete unit; false when iconv refuses it.
    bool Convert(const void* in, std::size_t inLen, void* out, std::size_t outCap, std::size_t& outLen) {
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        char* inPtr = static_cast<char*>(const_cast<void*>(in));
        char* outPtr = static_cast<char*>(out);
        std::size_t inLeft = inLen;
        std::size_t outLeft = outCap;
        if (iconv(cd_, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1) || inLeft != 0)
            return false;
        if (iconv(cd_, nullptr, nullptr, &outPtr, &outLeft) == static_cast<std::size_t>(-1)) return false;
        outLen = outCap - outLeft;
        return true;
    }

private:
    iconv_t cd_;
};

char32_t DecodeOne(Converter& toUtf32, const unsigned char* bytes, std::size_t n) {
    char32_t out[4];
    std::size_t len = 0;
    if (!toUtf32.Convert(bytes, n, out, sizeof out, len) || len != sizeof(char32_t)) return 0;
    return out[0];
}

// Decoding fills one lead byte's row at a time: showing a word needs a few rows,
// not the whole code page (some 23,000 conversions).
class Cp932Decoder {
public:
    char32_t charOf(std::uint16_t code) {
        const unsigned row = code >> 8;
        std::call_once(filled_[row], [this, row] { fillRow(row); });
        return chars_[code];
    }

private:
    void fillRow(unsigned row) {
        Converter toUtf32("UTF-32LE", "CP932");
        if (row == 0) {
            for (unsigned b = 0; b < 0x100; ++b) {
                if (IsCp932Lead(static_cast<unsigned char>(b))) continue;
                const unsigned char byte = static_cast<unsigned char>(b);
                chars_[b] = DecodeOne(toUtf32, &byte, 1);
            }
            return;
        }
        if (!IsCp932Lead(static_cast<unsigned char>(row))) return;
        for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
            if (!IsCp932Trail(static_cast<unsigned char>(trail))) continue;
            const unsigned char pair[2] = {static_cast<unsigned char>(row), static_cast<unsigned char>(trail)};
            chars_[(row << 8) | trail] = DecodeOne(toUtf32, pair, 2);
        }
    }

    std::vector<char32_t> chars_ = std::vector<char32_t>(0x10000, 0);  // by code
    std::array<std::once_flag, 0x100> filled_;                         // by lead byte
};

Cp932Decoder& Cp932Decode() {
    static Cp932Decoder decoder;
    return decoder;
}

// By BMP code point.
std::vector<std::uint16_t> BuildCp932Encode() {
    std::vector<std::uint16_t> encode(0x10000, 0);
    Cp932Decoder& decode = Cp932Decode();
    // Several codes can decode to one character; iconv's own choice for the
    // way back is the one the platform writes.
    Converter fromUtf32("CP932", "UTF-32LE");
    for (std::size_t code = 1; code < 0x10000; ++code) {
        const char32_t cp = decode.charOf(static_cast<std::uint16_t>(code));
        if (cp == 0 || cp > 0xFFFF || encode[cp] != 0) continue;
        unsigned char out[4];
        std::size_t len = 0;
        if (!fromUtf32.Convert(&cp, sizeof cp, out, sizeof out, len) || len == 0 || len > 2) continue;
        const std::uint16_t back = len == 1 ? out[0] : static_cast<std::uint16_t>((out[0] << 8) | out[1]);
        if (decode.charOf(back) == cp) encode[cp] = back;
    }
    return encode;
}

const std::vector<std::uint16_t>& Cp932Encode() {
    static const std::vector<std::uint16_t> encode = BuildCp932Encode();
    return encode;
}

struct Cp1252Tables {
    std::array<char32_t, 256> decode{};
    std::vector<std::int16_t> encode = std::vector<std::int16_t>(0x2200, -1);
};

Cp1252Tables BuildCp1252() {
    Cp1252Tables t;
    Converter toUtf32("UTF-32LE", "CP1252");
    for (unsigned b = 0; b < 0x100; ++b) {
        const unsigned char byte = static_cast<unsigned char>(b);
        const char32_t cp = b == 0 ? 0 : DecodeOne(toUtf32, &byte, 1);
        t.decode[b] = (cp == 0 && b != 0) ? 0xFFFD : cp;
        if ((cp != 0 || b == 0) && cp < t.encode.size() && t.encode[cp] < 0)
            t.encode[cp] = static_cast<std::int16_t>(b);
    }
    return t;
}

const Cp1252Tables& Cp1252() {
    static const Cp1252Tables tables = BuildCp1252();
    return tables;
}

}  // namespace

std::uint16_t Cp932CodeOf(char32_t cp) {
    if (cp < 0x80) return static_cast<std::uint16_t>(cp);
    return cp > 0xFFFF ? 0 : Cp932Encode()[cp];
}

char32_t Cp932CharOf(std::uint16_t code) { return Cp932Decode().charOf(code); }

int Cp1252ByteOf(char32_t cp) {
    const auto& enc = Cp1252().encode;
    return cp < enc.size() ? enc[cp] : -1;
}

char32_t Cp1252CharOf(unsigned char b) { return Cp1252().decode[b]; }

}  // namespace morvanta::text
