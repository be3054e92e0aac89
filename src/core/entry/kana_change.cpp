#include "core/entry/kana_change.h"

#include <array>
#include <utility>

#include "text/escape_runs.h"

namespace morvanta::entry {

namespace {

// ゔ has no Shift-JIS code, so the document holds it as "\u12436?". It reads as
// ヴ does, and a small kana after it combines as after ヴ (ゔぁ is "va").
constexpr std::string_view kHiraganaVu = "\\u12436?";
constexpr std::string_view kKatakanaVu = "\\'83\\'94";
constexpr std::array<std::pair<std::string_view, std::string_view>, 8> kSmallAfterVu{{
    {"\\'82\\'9f", "\\'83\\'40"},  // ぁ ァ
    {"\\'82\\'a1", "\\'83\\'42"},  // ぃ ィ
    {"\\'82\\'a3", "\\'83\\'44"},  // ぅ ゥ
    {"\\'82\\'a5", "\\'83\\'46"},  // ぇ ェ
    {"\\'82\\'a7", "\\'83\\'48"},  // ぉ ォ
    {"\\'82\\'e1", "\\'83\\'83"},  // ゃ ャ
    {"\\'82\\'e3", "\\'83\\'85"},  // ゅ ュ
    {"\\'82\\'e5", "\\'83\\'87"},  // ょ ョ
}};

std::string WithKatakanaVu(std::string_view rtf) {
    std::string out;
    out.reserve(rtf.size());
    for (std::size_t i = 0; i < rtf.size();) {
        if (!rtf.substr(i).starts_with(kHiraganaVu)) {
            out += rtf[i++];
            continue;
        }
        out += kKatakanaVu;
        i += kHiraganaVu.size();
        if (rtf.substr(i).starts_with("\\f0")) i += 3;  // the writer's switch back to the Japanese font
        for (const auto& [hiragana, katakana] : kSmallAfterVu)
            if (rtf.substr(i).starts_with(hiragana)) {
                out += katakana;
                i += hiragana.size();
                break;
            }
    }
    return out;
}

// ヴ before a small vowel is a row of the romanisation table (ヴァ "va"); alone
// it is none and would be lost, so the run is romanised around it.
std::string RomanisedAroundVu(std::string_view run) {
    std::string out;
    std::size_t start = 0;
    for (std::size_t at = run.find(kKatakanaVu); at != std::string_view::npos; at = run.find(kKatakanaVu, at + 1)) {
        const std::string_view next = run.substr(at + kKatakanaVu.size(), 8);
        const bool combines = next.starts_with("\\'83\\'") &&
                              std::string_view("40 42 46 48 85").find(next.substr(6, 2)) != std::string_view::npos;
        if (combines) continue;
        out += text::KanaToHepburn(run.substr(start, at - start));
        out += "vu";
        start = at + kKatakanaVu.size();
    }
    return out + text::KanaToHepburn(run.substr(start));
}

}  // namespace

std::string HepburnFromKanaRtf(std::string_view rtf) {
    rtf = rtf.substr(0, kKanaRtfLimit);
    const std::string run = text::IsolateRtfEscapes(
        rtf.find(kHiraganaVu) == std::string_view::npos ? std::string(rtf) : WithKatakanaVu(rtf));
    if (run.find("\\'") == std::string::npos) return {};
    return run.find(kKatakanaVu) == std::string::npos ? text::KanaToHepburn(run) : RomanisedAroundVu(run);
}

}  // namespace morvanta::entry
