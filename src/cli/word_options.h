#pragma once
// Option values that name things of a word: its type, the field a search looks at.

#include <string>

namespace morvanta::cli {

// One of the twelve type words, as written; throws UsageError listing them.
std::string TypeOption(const std::string& text);

// The reading as kana: romaji typed for it become kana as on the entry page
// ("neko" -> ねこ, "TEREBI" -> テレビ); throws UsageError for what stays Latin.
std::string KanaOption(const std::string& typed);

// The browse page's field list entry for --field ("translation" -> "Translation",
// "lesson" -> "Lektion", ...); throws UsageError.
std::string SearchFieldEntry(const std::string& field);

}  // namespace morvanta::cli
