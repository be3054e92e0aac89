#include "store/text_fold.h"

#include <string>

#include "text/codepage_tables.h"
#include "text/utf8_char.h"

namespace morvanta::store {

namespace {

// A byte that is no part of UTF-8, as Windows-1252 reads it; the five bytes the code
// page leaves out keep their Latin-1 code point, so they still sort apart.
char32_t SingleByte(unsigned char b) {
    const char32_t c = text::Cp1252CharOf(b);
    return c == 0xFFFD ? char32_t(b) : c;
}

// Up to two base letters of a folded character for key order.
int KeyLetters(char32_t c, char32_t out[2]) {
    c = FoldCase(c);
    if (c < 0x80) {
        out[0] = c;
        return 1;
    }
    auto one = [&](char32_t x) { out[0] = x; return 1; };
    auto two = [&](char32_t x, char32_t y) { out[0] = x; out[1] = y; return 2; };
    if (c >= 0xE0 && c <= 0xE5) return one('a');
    switch (c) {
        case 0xDF: return two('s', 's');
        case 0xE6: return two('a', 'e');
        case 0xE7: return one('c');
        case 0xF0: return one('d');
        case 0xF1: return one('n');
        case 0xF8: return one('o');
        case 0xFD: case 0xFF: return one('y');
        case 0xFE: return two('t', 'h');
        case 0x153: return two('o', 'e');
        case 0x161: return one('s');
        case 0x17E: return one('z');
        default: break;
    }
    if (c >= 0xE8 && c <= 0xEB) return one('e');
    if (c >= 0xEC && c <= 0xEF) return one('i');
    if (c >= 0xF2 && c <= 0xF6) return one('o');
    if (c >= 0xF9 && c <= 0xFC) return one('u');
    return one(c);
}

// Walks a text as a stream of key letters.
class KeyStream {
public:
    explicit KeyStream(std::string_view s)
        : p_(reinterpret_cast<const unsigned char*>(s.data())), end_(p_ + s.size()) {}
    bool next(char32_t& c) {
        if (pos_ < count_) {
            c = pending_[pos_++];
            return true;
        }
        if (p_ == end_) return false;
        if (*p_ < 0x80) {
            unsigned char b = *p_++;
            c = (b >= 'A' && b <= 'Z') ? char32_t(b + 32) : char32_t(b);
            return true;
        }
        count_ = KeyLetters(DecodeUtf8(p_, end_), pending_);
        pos_ = 1;
        c = pending_[0];
        return true;
    }

private:
    const unsigned char* p_;
    const unsigned char* end_;
    char32_t pending_[2] = {0, 0};
    int count_ = 0, pos_ = 0;
};

void DecodeAll(std::string_view s, std::u32string& out) {
    out.clear();
    auto p = reinterpret_cast<const unsigned char*>(s.data());
    auto end = p + s.size();
    while (p != end) out.push_back(FoldCase(DecodeUtf8(p, end)));
}

}  // namespace

char32_t DecodeUtf8(const unsigned char*& p, const unsigned char* end) {
    const unsigned char b = *p;
    if (b < 0x80) {
        ++p;
        return b;
    }
    char32_t c = 0;
    const int len = text::DecodeUtf8Sequence(p, end, c);
    if (len == 0) {
        ++p;
        return SingleByte(b);
    }
    p += len;
    return c;
}

char32_t FoldCase(char32_t c) {
    if (c < 0x80) return (c >= 'A' && c <= 'Z') ? c + 32 : c;
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 32;
    if (c == 0x178) return 0xFF;
    if ((c >= 0x100 && c <= 0x137) || (c >= 0x14A && c <= 0x177)) return c | 1;
    if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E)) return (c & 1) ? c + 1 : c;
    return c;
}

int CompareKey(std::string_view a, std::string_view b) {
    KeyStream sa(a), sb(b);
    for (;;) {
        char32_t ca = 0, cb = 0;
        bool ha = sa.next(ca), hb = sb.next(cb);
        if (!ha || !hb) return ha ? 1 : hb ? -1 : 0;
        if (ca != cb) return ca < cb ? -1 : 1;
    }
}

void AppendKeyLetters(std::string_view text, std::string& out) {
    KeyStream stream(text);
    char32_t c = 0;
    while (stream.next(c)) text::AppendUtf8(out, c == 0 ? 1 : c);
}

bool LikeMatch(std::string_view pattern, std::string_view text, char32_t escape) {
    thread_local std::u32string p, t;
    DecodeAll(pattern, p);
    DecodeAll(text, t);
    escape = FoldCase(escape);
    // Greedy matching with one backtrack point for the last '%'.
    size_t pi = 0, ti = 0, starP = std::u32string::npos, starT = 0;
    while (ti < t.size()) {
        if (pi < p.size()) {
            char32_t pc = p[pi];
            if (escape != 0 && pc == escape && pi + 1 < p.size()) {
                if (p[pi + 1] == t[ti]) {
                    pi += 2;
                    ++ti;
                    continue;
                }
            } else if (pc == U'%') {
                starP = ++pi;
                starT = ti;
                continue;
            } else if (pc == U'_' || pc == t[ti]) {
                ++pi;
                ++ti;
                continue;
            }
        }
        if (starP == std::u32string::npos) return false;
        pi = starP;
        ti = ++starT;
    }
    while (pi < p.size() && p[pi] == U'%') ++pi;
    return pi == p.size();
}

}  // namespace morvanta::store
