#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

#include "text/codepage_tables.h"
#include "text/fast_strings.h"
#include "text/rich_text.h"
#include "text/rtf_heads.h"
#include "text/utf8_char.h"

namespace morvanta::text {

namespace {

constexpr char32_t kReplacement = 0xFFFD;
constexpr std::size_t kMaxDepth = 256;      // deeper groups are read as part of their parent
constexpr int kMaxFontNumber = 4095;        // font numbers beyond are not tracked
constexpr std::size_t kMaxWordLength = 32;  // longer control words are cut (and unknown anyway)

// Where the text of a group goes.
enum class Destination { Text, FontTable, Skip };

struct GroupState {
    Destination dest = Destination::Text;
    int font = -1;  // -1: the document's default font
    int unicodeSkip = 1;
};

constexpr std::string_view kSkippedDestinations[] = {
    "colortbl",  "stylesheet", "info",      "pict",        "nonshppict", "object",    "objdata",
    "fldinst",   "header",     "headerl",   "headerr",     "headerf",    "footer",    "footerl",
    "footerr",   "footerf",    "footnote",  "themedata",   "colorschememapping",      "latentstyles",
    "datastore", "xmlnstbl",   "listtable", "listoverridetable", "rsidtbl", "generator",  "pgdsctbl",
    "filetbl",   "revtbl",     "mmathPr",   "xe",          "tc",         "private",
};

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A one-pass reader over the document's bytes. It never looks past the end,
// keeps no recursion, and every loop step consumes at least one byte.
class RtfReader {
public:
    explicit RtfReader(std::string_view rtf) : in_(rtf) { out_.reserve(rtf.size() / 2); }
    // Goes on with `rtf` where `afterHead` stopped: `rtf` begins with what it read.
    RtfReader(const RtfReader& afterHead, std::string_view rtf) : RtfReader(afterHead) {
        in_ = rtf;
        out_.reserve(rtf.size() / 2);
    }

    // Reads all of the input without closing off the text: a head's state.
    RtfReader& ReadHead() {
        while (pos_ < in_.size() && !finished_) Step();
        return *this;
    }

    std::string Read() {
        while (pos_ < in_.size() && !finished_) Step();
        FlushLead();
        if (endsWithParagraph_ && !out_.empty()) out_.pop_back();  // the closing paragraph mark
        return std::move(out_);
    }

private:
    void Step() {
        const char c = in_[pos_++];
        switch (c) {
            case '{': return OpenGroup();
            case '}': return CloseGroup();
            case '\\': return Control();
            case '\r':
            case '\n': return;  // line breaks in the source mean nothing
            default:
                if (SkipFallback()) return;
                Byte(static_cast<unsigned char>(c));
        }
    }

    void OpenGroup() {
        FlushLead();
        skipLeft_ = 0;
        if (stack_.size() >= kMaxDepth) {
            ++overflowDepth_;
            return;
        }
        stack_.push_back(state_);
    }

    void CloseGroup() {
        FlushLead();
        skipLeft_ = 0;
        if (overflowDepth_ > 0) {
            --overflowDepth_;
            return;
        }
        if (stack_.empty()) {
            finished_ = true;
            return;
        }
        state_ = stack_.back();
        stack_.pop_back();
        if (stack_.empty()) finished_ = true;  // the document's own group has closed
    }

    void Control() {
        if (pos_ >= in_.size()) return;
        const char c = in_[pos_];
        if (c == '\'') {
            ++pos_;
            return HexEscape();
        }
        if (!IsLetter(c)) {
            ++pos_;
            return ControlSymbol(c);
        }
        const std::size_t start = pos_;
        while (pos_ < in_.size() && IsLetter(in_[pos_])) ++pos_;
        const std::string_view word = in_.substr(start, std::min(pos_ - start, kMaxWordLength));
        bool hasParam = false;
        long long param = 0;
        bool negative = false;
        if (pos_ + 1 < in_.size() && in_[pos_] == '-' && IsDigit(in_[pos_ + 1])) {
            negative = true;
            ++pos_;
        }
        while (pos_ < in_.size() && IsDigit(in_[pos_])) {
            hasParam = true;
            if (param < 1'000'000'000) param = param * 10 + (in_[pos_] - '0');
            ++pos_;
        }
        if (pos_ < in_.size() && in_[pos_] == ' ') ++pos_;
        if (SkipFallback()) return;
        FlushLead();
        ControlWord(word, hasParam, static_cast<int>(negative ? -param : param));
    }

    void HexEscape() {
        const int hi = pos_ < in_.size() ? HexDigitValue(in_[pos_]) : -1;
        const int lo = pos_ + 1 < in_.size() ? HexDigitValue(in_[pos_ + 1]) : -1;
        if (hi < 0 || lo < 0) return;  // a broken escape is dropped, what follows is read as text
        pos_ += 2;
        if (SkipFallback()) return;
        Byte(static_cast<unsigned char>(hi * 16 + lo));
    }

    void ControlSymbol(char c) {
        if (SkipFallback()) return;
        switch (c) {
            case '\\':
            case '{':
            case '}': return Byte(static_cast<unsigned char>(c));
            case '*': FlushLead(); state_.dest = Destination::Skip; return;
            case '~': FlushLead(); return Emit(0x00A0);
            case '_': FlushLead(); return Emit(0x2011);
            case '\n':
            case '\r': FlushLead(); return Paragraph();
            default: FlushLead(); return;  // \- optional hyphen, \| and others: nothing to show
        }
    }

    void ControlWord(std::string_view w, bool hasParam, int param) {
        if (w == "par" || w == "line" || w == "sect" || w == "page" || w == "row") return Paragraph();
        if (w == "tab" || w == "cell") return Emit('\t');
        if (w == "u" && hasParam) return Unicode(param);
        if (w == "uc" && hasParam) {
            state_.unicodeSkip = std::clamp(param, 0, 16);
            return;
        }
        if (w == "f" && hasParam) return Font(param);
        if (w == "fcharset" && hasParam) return FontCharset(param);
        if (w == "deff" && hasParam) {
            defaultFont_ = param;
            return;
        }
        if (w == "ansicpg" && hasParam) {
            ansiCodePage_ = param;
            return;
        }
        if (w == "plain") {
            state_.font = -1;
            return;
        }
        if (w == "fonttbl") {
            state_.dest = state_.dest == Destination::Skip ? Destination::Skip : Destination::FontTable;
            return;
        }
        if (w == "bin" && hasParam) {
            pos_ += std::min<std::size_t>(static_cast<std::size_t>(std::max(param, 0)), in_.size() - pos_);
            return;
        }
        for (std::string_view skipped : kSkippedDestinations)
            if (w == skipped) {
                state_.dest = Destination::Skip;
                return;
            }
        if (w == "emdash") return Emit(0x2014);
        if (w == "endash") return Emit(0x2013);
        if (w == "bullet") return Emit(0x2022);
        if (w == "lquote") return Emit(0x2018);
        if (w == "rquote") return Emit(0x2019);
        if (w == "ldblquote") return Emit(0x201C);
        if (w == "rdblquote") return Emit(0x201D);
    }

    void Font(int number) {
        if (state_.dest == Destination::FontTable) {
            fontBeingDefined_ = number;
        } else {
            state_.font = number;
        }
    }

    void FontCharset(int charset) {
        if (state_.dest != Destination::FontTable || fontBeingDefined_ < 0 || fontBeingDefined_ > kMaxFontNumber)
            return;
        if (fontCharsets_.size() <= static_cast<std::size_t>(fontBeingDefined_))
            fontCharsets_.resize(static_cast<std::size_t>(fontBeingDefined_) + 1, -1);
        fontCharsets_[static_cast<std::size_t>(fontBeingDefined_)] = charset;
    }

    // Shift-JIS for fonts with the Japanese character set (or a Japanese
    // document code page); Windows-1252 for everything else.
    bool ShiftJisFont() const {
        const int font = state_.font < 0 ? defaultFont_ : state_.font;
        int charset = -1;
        if (font >= 0 && static_cast<std::size_t>(font) < fontCharsets_.size())
            charset = fontCharsets_[static_cast<std::size_t>(font)];
        if (charset == 128) return true;
        return (charset <= 1) && ansiCodePage_ == 932;
    }

    // One byte of text in the current font's code page.
    void Byte(unsigned char b) {
        if (state_.dest != Destination::Text) return;
        if (!ShiftJisFont()) {
            FlushLead();
            return Emit(b < 0x80 ? b : Cp1252CharOf(b));
        }
        if (lead_ >= 0) {
            const char32_t cp = IsCp932Trail(b) ? Cp932CharOf(static_cast<std::uint16_t>(lead_ << 8 | b)) : 0;
            if (cp != 0) {
                lead_ = -1;
                return Emit(cp);
            }
            FlushLead();
            if (IsCp932Trail(b)) return;  // the pair was read, it only has no character
        }
        if (IsCp932Lead(b)) {
            lead_ = b;
            return;
        }
        const char32_t cp = b < 0x80 ? b : Cp932CharOf(b);
        Emit(cp == 0 ? kReplacement : cp);
    }

    void Unicode(int n) {
        skipLeft_ = state_.unicodeSkip;
        if (state_.dest != Destination::Text) return;
        const auto cp = static_cast<char32_t>(n < 0 ? n + 0x10000 : n) & 0xFFFF;
        if (cp >= 0xD800 && cp <= 0xDBFF) {
            high_ = cp;
            return;
        }
        if (cp >= 0xDC00 && cp <= 0xDFFF) {
            if (high_ != 0) {
                const char32_t full = 0x10000 + ((high_ - 0xD800) << 10) + (cp - 0xDC00);
                high_ = 0;
                return Emit(full);
            }
            return Emit(kReplacement);
        }
        Emit(cp);
    }

    // The characters after \uN that stand in for it in older readers.
    bool SkipFallback() {
        if (skipLeft_ <= 0) return false;
        --skipLeft_;
        return true;
    }

    void FlushLead() {
        if (lead_ < 0) return;
        lead_ = -1;
        if (state_.dest == Destination::Text) EmitRaw(kReplacement);
    }

    void Paragraph() {
        if (state_.dest != Destination::Text) return;
        Emit('\n');
        endsWithParagraph_ = true;
    }

    void Emit(char32_t cp) {
        if (state_.dest != Destination::Text) return;
        EmitRaw(cp);
    }

    void EmitRaw(char32_t cp) {
        if (high_ != 0) {
            high_ = 0;
            AppendUtf8(out_, kReplacement);
        }
        AppendUtf8(out_, cp);
        endsWithParagraph_ = false;
    }

    std::string_view in_;
    std::size_t pos_ = 0;
    bool finished_ = false;
    std::string out_;
    bool endsWithParagraph_ = false;

    GroupState state_;
    std::vector<GroupState> stack_;
    std::size_t overflowDepth_ = 0;

    std::vector<int> fontCharsets_;
    int fontBeingDefined_ = -1;
    int defaultFont_ = 0;
    int ansiCodePage_ = 1252;

    int lead_ = -1;      // a Shift-JIS lead byte waiting for its trail byte
    char32_t high_ = 0;  // a high surrogate from \uN waiting for its low half
    int skipLeft_ = 0;
};

}  // namespace

std::string RtfToPlainText(std::string_view rtf) {
    if (!rtf.starts_with("{\\rtf")) return std::string(rtf);
    // The program's own documents start after their head, read once. The head
    // ends in a control word's number: a digit or blank after it would belong to it.
    static const std::array<RtfReader, kOwnRtfHeads.size()> kAfterHeads = {
        RtfReader(kOwnRtfHeads[0]).ReadHead(), RtfReader(kOwnRtfHeads[1]).ReadHead()};
    for (std::size_t i = 0; i < kOwnRtfHeads.size(); ++i) {
        const std::string_view head = kOwnRtfHeads[i];
        if (rtf.size() > head.size() && rtf.starts_with(head) && !IsDigit(rtf[head.size()]) &&
            rtf[head.size()] != ' ')
            return RtfReader(kAfterHeads[i], rtf).Read();
    }
    return RtfReader(rtf).Read();
}

}  // namespace morvanta::text
