#pragma once
// The romanisation chain behind the kana field: its RTF document, cut to the
// escape run, turned into Hepburn romaji.

#include <string>
#include <string_view>

namespace morvanta::entry {

// Only this much of the kana field's document is romanised.
inline constexpr std::size_t kKanaRtfLimit = 32000;

// Romaji for the kana field's RTF document; empty when the document holds no
// Japanese character, so the Hepburn field never shows RTF source.
std::string HepburnFromKanaRtf(std::string_view rtf);

}  // namespace morvanta::entry
