#pragma once
// The dictionary's word class as one of the program's twelve type words.

#include <string_view>

namespace morvanta::dict {

// `wordClass` as the dictionary writes it ("Ichidan verb", "adverb (fukushi)", …);
// the reading decides for the question words, which have no class of their own.
std::string_view TypeWordFor(std::string_view wordClass, std::string_view reading);

}  // namespace morvanta::dict
