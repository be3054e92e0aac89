#include "core/exchange/rtf_kanji_list.h"

#include <charconv>

#include <array>
#include <iterator>

#include "core/exchange/japanese_run.h"
#include "core/exchange/kanji_character.h"
#include "store/record_reader.h"
#include "text/rich_text.h"
#include "text/utf8_char.h"

namespace morvanta::exchange {

namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr std::array<int, 19> kRightEdges = {414,  898,  1382, 1867, 2352, 2837, 3322,
                                             3807, 4292, 4777, 5262, 5747, 6232, 6717,
                                             7202, 7687, 8172, 8657, 9142};
constexpr std::string_view kCellBorders =
    "\\clbrdrt\\brdrw15\\brdrs\\clbrdrl\\brdrw15\\brdrs\\clbrdrb\\brdrw15\\brdrs"
    "\\clbrdrr\\brdrw15\\brdrs";

std::string CellDefinitions(bool spaceAfterBorders) {
    std::string s;
    for (int edge : kRightEdges) {
        s += kCellBorders;
        if (spaceAfterBorders) s += ' ';
        s += "\\cellx";
        s += std::to_string(edge);
    }
    return s;
}

// Row definition R19.
const std::string& RowDefinition() {
    static const std::string def =
        "\\f0\\trowd\\trgaph70\\trleft-70\\trbrdrt\\brdrs\\brdrw10 \\trbrdrl\\brdrs\\brdrw10 "
        "\\trbrdrb\\brdrs\\brdrw10 \\trbrdrr\\brdrs\\brdrw10 " +
        CellDefinitions(true);
    return def;
}

std::string NineteenCells() {
    std::string s;
    for (int i = 0; i < 19; ++i) s += "\\cell";
    return s;
}

// A character past U+FFFF is written as two \u escapes; a word processor that
// finds its glyph wider than the box breaks the line between them and shows two
// boxes. A size the box holds keeps the two together.
std::string FittingTheBox(std::string_view character) {
    const std::size_t at = character.find("\\u-");
    if (at == std::string_view::npos) return std::string(character);
    int unit = 0;
    const std::string_view digits = character.substr(at + 2);  // from the sign
    std::from_chars(digits.data(), digits.data() + digits.size(), unit);
    const bool highSurrogate = unit >= 0xD800 - 0x10000 && unit <= 0xDBFF - 0x10000;
    return highSurrogate ? "{\\fs34" + std::string(character) + "}" : std::string(character);
}

}  // namespace

std::string KanjiListHead(std::string_view character) {
    std::string s =
        "{\\rtf1\\fbidis\\ansi\\ansicpg1252\\deff0\\deflang1031{\\fonttbl"
        "{\\f0\\froman\\fprq1\\fcharset128 MS PGothic;}"
        "{\\f1\\froman\\fprq2\\fcharset0 Times New Roman;}"
        "{\\f2\\fswiss\\fcharset0 Arial;}}"
        // A4 portrait with 2 cm margins: the nineteen boxes (9,142 twips from the
        // margin, starting 70 twips left of it) fit with 496 twips to spare.
        "\\paperw11906\\paperh16838\\margl1134\\margr1134\\margt1134\\margb1134"
        "\\viewkind4\\uc1";
    s += "\\trowd\\trgaph70\\trleft-70\\trbrdrt\\brdrs\\brdrw10 \\trbrdrl\\brdrs\\brdrw10 "
         "\\trbrdrb\\brdrs\\brdrw10\\trbrdrr\\brdrs\\brdrw10 ";
    s += CellDefinitions(false);
    s += "\\pard\\intbl\\ltrpar\\lang1041\\f0\\fs40";
    s += FittingTheBox(character);
    s += "\\lang1031\\f1";
    s += NineteenCells();
    s += "\\row";
    return s;
}

std::string KanjiRow(std::string_view character) {
    std::string s = RowDefinition();
    s += "\\intbl";
    s += FittingTheBox(character);
    s += "\\f1";
    s += NineteenCells();
    s += "\\row";
    return s;
}

std::string KanjiListTail() { return "\\pard\\ltrpar\\f2\\fs20\\par\r\n}\r\n"; }

std::vector<std::string> SplitLines(std::string_view bytes) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '\r' && bytes[i] != '\n') continue;
        lines.emplace_back(bytes.substr(start, i - start));
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < bytes.size()) lines.emplace_back(bytes.substr(start));
    return lines;
}

void KnownCharacters::clear() {
    lines_.clear();
    lineCharacters_.clear();
    characters_.clear();
}

void KnownCharacters::loadKanaList(std::istream& in) {
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    for (std::string& l : SplitLines(bytes)) {
        // The line read as the body of a document with a Shift-JIS font.
        const std::string shown = text::RtfToPlainText(
            "{\\rtf1\\ansi{\\fonttbl{\\f0\\fcharset128 ;}}\\f0\\uc1 " + l + "}");
        std::size_t pos = 0;
        char32_t character = 0;
        if (!shown.empty()) {
            const char32_t cp = text::DecodeUtf8At(shown, pos);
            if (pos == shown.size()) {
                characters_.insert(cp);
                character = cp;
            }
        }
        lines_.push_back(std::move(l));
        lineCharacters_.push_back(character);
    }
}

void KnownCharacters::addKanjiText(std::string_view kanjiRtf) { addKanji(KanjiOf(kanjiRtf)); }

void KnownCharacters::addKanji(std::u32string_view kanji) {
    for (const char32_t cp : kanji) {
        if (!characters_.insert(cp).second) continue;
        lines_.push_back(RtfCharacter(cp));
        lineCharacters_.push_back(cp);
    }
}

std::u32string KnownCharacters::listedCharacters() const {
    std::u32string listed;
    for (std::size_t n = kFirstListedLine; n <= lineCharacters_.size(); ++n)
        if (lineCharacters_[n - 1] != 0) listed += lineCharacters_[n - 1];
    return listed;
}

std::string KnownCharacters::line(std::size_t number) const {
    return number >= 1 && number <= lines_.size() ? lines_[number - 1] : std::string();
}

void WriteKanjiList(std::ostream& out, const KnownCharacters& known) {
    out << KanjiListHead(known.line(kFirstListedLine)) << kLineEnd;
    for (std::size_t n = kFirstListedLine + 1; n <= known.lines().size(); ++n)
        out << KanjiRow(known.lines()[n - 1]) << kLineEnd;
    out << KanjiListTail();
}

bool CollectKanji(KnownCharacters& known, store::DataSet& query, const ProgressFn& progress) {
    store::RecordReader records(query, {"Kanji"});
    std::int64_t done = 0;
    while (records.next()) {
        known.addKanjiText(records.text(0));
        if (!Proceed(progress, ++done)) return false;
    }
    return true;
}

}  // namespace morvanta::exchange
