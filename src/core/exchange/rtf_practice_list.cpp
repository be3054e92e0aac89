#include "core/exchange/rtf_practice_list.h"

#include <array>

#include "core/exchange/japanese_run.h"
#include "store/record_reader.h"
#include "text/codepage.h"

namespace morvanta::exchange {

namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kCellBorders =
    "\\clbrdrt\\brdrw15\\brdrs\\clbrdrl\\brdrw15\\brdrs\\clbrdrb\\brdrw15\\brdrs"
    "\\clbrdrr\\brdrw15\\brdrs ";
constexpr std::array<int, 9> kRightEdges = {1532, 3135, 4738, 6341, 7944,
                                            9547, 11150, 12753, 14356};

// Row definition P9: nine cells.
const std::string& RowDefinition() {
    static const std::string def = [] {
        std::string s =
            "\\f0\\trowd\\trgaph70\\trleft-70\\trbrdrt\\brdrs\\brdrw10\\trbrdrl\\brdrs\\brdrw10 "
            "\\trbrdrb\\brdrs\\brdrw10 \\trbrdrr\\brdrs\\brdrw10 ";
        for (int edge : kRightEdges) {
            s += kCellBorders;
            s += "\\cellx";
            s += std::to_string(edge);
        }
        return s;
    }();
    return def;
}

std::string RowBody(std::string_view kanji, std::string_view kana, std::string_view translation) {
    std::string s;
    s += kanji;
    s += "\\cell\\cell\\cell\\cell";
    s += kana;
    s += "\\cell\\cell\\cell\\cell\\f2 ";
    s += translation;
    s += "\\f1\\cell\\row";
    return s;
}

}  // namespace

std::string PracticeListHead() {
    return "{\\rtf1\\fbidis\\ansi\\ansicpg1252\\deff0\\deflang1031{\\fonttbl"
           "{\\f0\\froman\\fprq1\\fcharset128 MS PGothic;}"
           "{\\f1\\froman\\fprq2\\fcharset0 Times New Roman;}"
           "{\\f2\\froman\\fprq1\\fcharset0 MS PGothic;}"
           "{\\f3\\fswiss\\fcharset0 Arial;}}"
           // A4 landscape with 2 cm margins: the nine cells (14,356 twips from the
           // margin, starting 70 twips left of it) fit with 214 twips to spare.
           "\\paperw16838\\paperh11906\\landscape\\margl1134\\margr1134\\margt1134\\margb1134";
}

std::string MarkJapaneseRun(std::string_view run) {
    std::string s = "\\lang1041\\f0\\fs24";
    s += run;
    s += "\\lang1031\\f1";
    return s;
}

std::string EscapeUmlautsRtf(std::string_view translation) {
    std::string out;
    out.reserve(translation.size() + 8);
    for (char32_t cp : text::Utf8ToCodePoints(translation)) {
        switch (cp) {
            case U'ä': out += "\\'e4"; continue;
            case U'ü': out += "\\'fc"; continue;
            case U'ö': out += "\\'f6"; continue;
            case U'ß': out += "\\'df"; continue;
            case U'Ä': out += "\\'c4"; continue;
            case U'Ü': out += "\\'dc"; continue;
            case U'Ö': out += "\\'d6"; continue;
            case U'\\': out += "\\\\"; continue;
            case U'{': out += "\\{"; continue;
            case U'}': out += "\\}"; continue;
            default: break;
        }
        if (const auto byte = text::CodePointToCp1252(cp))
            out += static_cast<char>(*byte);
        else
            AppendUnicodeEscape(out, cp);
    }
    return out;
}

std::string FirstPracticeRow(std::string_view kanji, std::string_view kana,
                             std::string_view translation) {
    return RowDefinition() + "\\pard\\intbl\\ltrpar" + RowBody(kanji, kana, translation);
}

std::string PracticeRow(std::string_view kanji, std::string_view kana,
                        std::string_view translation) {
    return RowDefinition() + "\\intbl" + RowBody(kanji, kana, translation);
}

PracticeListWriter::PracticeListWriter(std::ostream& out) : out_(out) { out_ << PracticeListHead(); }

void PracticeListWriter::addWord(std::string_view kanjiRtf, std::string_view kanaRtf,
                                 std::string_view translation1) {
    const std::string t = EscapeUmlautsRtf(translation1);
    const std::string h = EscapeRunOf(kanaRtf);
    const std::string k = EscapeRunOf(kanjiRtf);
    if (!firstWritten_) {
        // The first row sets language, font and size; later rows carry them on.
        out_ << FirstPracticeRow(MarkJapaneseRun(k), MarkJapaneseRun(h), t) << kLineEnd;
        firstWritten_ = true;
    } else {
        out_ << PracticeRow(k, h, t) << kLineEnd;
    }
}

void PracticeListWriter::finish() {
    if (!firstWritten_) addWord({}, {}, {});
    out_ << "}" << kLineEnd;
}

bool WritePracticeList(std::ostream& out, store::DataSet& query, const ProgressFn& progress) {
    PracticeListWriter writer(out);
    store::RecordReader records(query, {"Kanji", "Hira-Kata", "Translation1"});
    std::int64_t done = 0;
    while (records.next()) {
        writer.addWord(records.text(0), records.text(1), records.text(2));
        if (!Proceed(progress, ++done)) return false;
    }
    writer.finish();
    return true;
}

}  // namespace morvanta::exchange
