#include <cstdint>

#include "text/codepage_tables.h"
#include "text/rich_text.h"
#include "text/rtf_heads.h"
#include "text/utf8_char.h"

namespace morvanta::text {

namespace {

constexpr std::string_view kHeader = kPlainTextRtfHead;
constexpr std::string_view kFooter = "\\par\n}";

constexpr int kJapaneseFont = 0;  // \fcharset128
constexpr int kLatinFont = 1;     // \fcharset0

bool IsAsciiLetter(char32_t cp) { return (cp >= 'a' && cp <= 'z') || (cp >= 'A' && cp <= 'Z'); }

// Japanese characters go under font 0 as Shift-JIS escapes, letters and other
// characters under font 1. Digits, blanks and ASCII punctuation keep whatever
// font is current, so a run of kana with blanks holds no font switch.
class RtfWriter {
public:
    explicit RtfWriter(std::size_t sizeHint) {
        out_.reserve(kHeader.size() + sizeHint * 4 + kFooter.size());
        out_.append(kHeader);
    }

    void Put(char32_t cp) {
        if (cp == '\n') return Paragraph();
        if (cp == '\t') return ControlWord("\\tab");
        if (cp == '\\' || cp == '{' || cp == '}') {
            out_ += '\\';
            out_ += static_cast<char>(cp);
            needDelimiter_ = false;
            return;
        }
        if (cp < 0x20 || cp == 0x7F) {
            SelectFont(kLatinFont);
            return Escape(static_cast<unsigned char>(cp));
        }
        if (cp < 0x80) {
            if (IsAsciiLetter(cp)) SelectFont(kLatinFont);
            return Literal(static_cast<char>(cp));
        }
        if (const std::uint16_t sjis = Cp932CodeOf(cp); sjis != 0) {
            SelectFont(kJapaneseFont);
            if (sjis > 0xFF) Escape(static_cast<unsigned char>(sjis >> 8));
            return Escape(static_cast<unsigned char>(sjis & 0xFF));
        }
        SelectFont(kLatinFont);
        if (const int b = Cp1252ByteOf(cp); b >= 0) return Escape(static_cast<unsigned char>(b));
        Unicode(cp);
    }

    std::string Finish() {
        out_.append(kFooter);
        return std::move(out_);
    }

private:
    void Paragraph() {
        out_.append("\\par\n");
        needDelimiter_ = false;
    }

    void ControlWord(std::string_view word) {
        out_.append(word);
        needDelimiter_ = true;
    }

    void Literal(char c) {
        if (needDelimiter_) out_ += ' ';
        needDelimiter_ = false;
        out_ += c;
    }

    void Escape(unsigned char b) {
        static constexpr char kHex[] = "0123456789abcdef";
        out_ += "\\'";
        out_ += kHex[b >> 4];
        out_ += kHex[b & 0xF];
        needDelimiter_ = false;
    }

    // \uN takes a signed 16-bit N; characters past U+FFFF go as a surrogate pair.
    void Unicode(char32_t cp) {
        if (cp > 0xFFFF) {
            cp -= 0x10000;
            Unicode(0xD800 + (cp >> 10));
            Unicode(0xDC00 + (cp & 0x3FF));
            return;
        }
        const int n = cp > 0x7FFF ? static_cast<int>(cp) - 0x10000 : static_cast<int>(cp);
        out_.append("\\u").append(std::to_string(n)).append("?");
        needDelimiter_ = false;
    }

    void SelectFont(int font) {
        if (font == font_) return;
        font_ = font;
        ControlWord(font == kJapaneseFont ? "\\f0" : "\\f1");
    }

    std::string out_;
    int font_ = kJapaneseFont;
    bool needDelimiter_ = true;
};

}  // namespace

std::string PlainTextToRtf(std::string_view utf8) {
    RtfWriter w(utf8.size());
    for (std::size_t pos = 0; pos < utf8.size();) {
        char32_t cp = DecodeUtf8At(utf8, pos);
        if (cp == '\r') {
            if (pos < utf8.size() && utf8[pos] == '\n') ++pos;
            cp = '\n';
        }
        w.Put(cp);
    }
    return w.Finish();
}

}  // namespace morvanta::text
