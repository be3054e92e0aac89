#pragma once
// The kanji list's known-character list built the literal way: a list of lines
// searched from the top for every kanji's escape text, letter case ignored.

#include <string>
#include <string_view>
#include <vector>

namespace morvanta::test {

// Lines of the kana file (split at CR LF, LF or CR), then every Kanji text's
// new kanji as their escapes.
std::vector<std::string> ReferenceKnownCharacters(std::string_view kanaFile,
                                                  const std::vector<std::string>& kanjiTexts);

}  // namespace morvanta::test
