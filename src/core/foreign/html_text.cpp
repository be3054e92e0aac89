#include "core/foreign/html_text.h"

#include <array>
#include <cctype>
#include <cstdint>

#include "text/utf8_char.h"

namespace morvanta::foreign {

namespace {

struct NamedEntity {
    std::string_view name;
    char32_t code;
};

// The entities trainers' editors write; an unknown one stays as it stands.
constexpr std::array<NamedEntity, 24> kEntities{{
    {"amp", U'&'},      {"lt", U'<'},       {"gt", U'>'},       {"quot", U'"'},
    {"apos", U'\''},    {"nbsp", U' '},     {"auml", U'ä'},     {"ouml", U'ö'},
    {"uuml", U'ü'},     {"Auml", U'Ä'},     {"Ouml", U'Ö'},     {"Uuml", U'Ü'},
    {"szlig", U'ß'},    {"eacute", U'é'},   {"egrave", U'è'},   {"ndash", U'–'},
    {"mdash", U'—'},    {"hellip", U'…'},   {"rarr", U'→'},     {"larr", U'←'},
    {"middot", U'·'},   {"laquo", U'«'},    {"raquo", U'»'},    {"shy", 0},
}};

bool IsBreakTag(std::string_view name) {
    for (std::string_view tag : {"br", "div", "p", "li", "tr", "hr", "h1", "h2", "h3", "ol", "ul"})
        if (name == tag) return true;
    return false;
}

// The tag's name, lower case, without a leading '/'.
std::string TagName(std::string_view tag) {
    std::size_t i = 0;
    if (i < tag.size() && tag[i] == '/') ++i;
    std::string name;
    for (; i < tag.size() && std::isalnum(static_cast<unsigned char>(tag[i])); ++i)
        name += static_cast<char>(std::tolower(static_cast<unsigned char>(tag[i])));
    return name;
}

// The character an entity at the start of `text` ("&amp;", "&#x41;") stands for,
// and its length; nothing when it is none.
bool DecodeEntity(std::string_view text, char32_t& code, std::size_t& length) {
    const std::size_t end = text.substr(0, 12).find(';');
    if (end == std::string_view::npos || end < 2 || end > 10) return false;
    const std::string_view body = text.substr(1, end - 1);
    length = end + 1;
    if (body[0] == '#') {
        const bool hex = body.size() > 1 && (body[1] == 'x' || body[1] == 'X');
        const std::string_view digits = body.substr(hex ? 2 : 1);
        if (digits.empty()) return false;
        std::uint32_t value = 0;
        for (char c : digits) {
            const int digit = std::isdigit(static_cast<unsigned char>(c)) ? c - '0'
                              : hex && std::isxdigit(static_cast<unsigned char>(c))
                                  ? std::tolower(static_cast<unsigned char>(c)) - 'a' + 10
                                  : -1;
            if (digit < 0) return false;
            value = value * (hex ? 16 : 10) + static_cast<std::uint32_t>(digit);
            if (value > 0x10FFFF) return false;
        }
        if (value == 0 || (value >= 0xD800 && value <= 0xDFFF)) return false;
        code = value;
        return true;
    }
    for (const NamedEntity& entity : kEntities)
        if (entity.name == body) {
            code = entity.code;
            return true;
        }
    return false;
}

}  // namespace

std::string HtmlToText(std::string_view html) {
    std::string out;
    out.reserve(html.size());
    bool blank = false;      // a blank is owed before the next text
    bool lineBreak = false;  // a break is owed before the next text
    const auto put = [&](std::string_view piece) {
        if (!out.empty()) {
            if (lineBreak)
                out += "; ";
            else if (blank)
                out += ' ';
        }
        blank = lineBreak = false;
        out += piece;
    };
    bool closes = true;  // false once no '>' follows: every '<' left is text
    for (std::size_t i = 0; i < html.size();) {
        const char c = html[i];
        if (c == '<') {
            const std::size_t close = closes ? html.find('>', i) : std::string_view::npos;
            closes = close != std::string_view::npos;
            if (close == std::string_view::npos) {  // a lone '<' is text
                put("<");
                ++i;
                continue;
            }
            const std::string name = TagName(html.substr(i + 1, close - i - 1));
            if (name == "style" || name == "script") {  // their content is no text
                const std::size_t end = html.find("</", close);
                i = end == std::string_view::npos ? html.size() : html.find('>', end) + 1;
                if (i == 0) i = html.size();
                continue;
            }
            if (IsBreakTag(name)) lineBreak = true;
            i = close + 1;
            continue;
        }
        if (c == ' ' || c == '\t' || c == '\n' || c == '\r') {
            blank = true;
            ++i;
            continue;
        }
        if (c == '&') {
            char32_t code = 0;
            std::size_t length = 0;
            if (DecodeEntity(html.substr(i), code, length)) {
                i += length;
                if (code == U' ' || code == U'\u00A0')
                    blank = true;
                else if (code != 0) {
                    std::string piece;
                    text::AppendUtf8(piece, code);
                    put(piece);
                }
                continue;
            }
        }
        const std::size_t start = i;
        while (i < html.size() && html[i] != '<' && html[i] != '&' && html[i] != ' ' &&
               html[i] != '\t' && html[i] != '\n' && html[i] != '\r')
            ++i;
        if (i == start) ++i;  // a '&' that starts no entity
        put(html.substr(start, i - start));
    }
    return out;
}

}  // namespace morvanta::foreign
