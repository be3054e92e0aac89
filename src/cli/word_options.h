#pragma once
// Option values that name things of a word: its type, the field a search looks at.

#include <string>

namespace morvanta::cli {

// One of the twelve type words, as written; throws UsageError listing them.
std::string TypeOption(const std::string& text);

// The browse page's field list entry for --field ("translation" -> "Translation",
// "lesson" -> "Lektion", ...); throws UsageError.
std::string SearchFieldEntry(const std::string& field);

}  // namespace morvanta::cli
