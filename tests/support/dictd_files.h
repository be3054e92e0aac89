#pragma once
// Writes a small dictd dictionary (index and dictzip data) into a folder, the
// data deflated in chunks of `chunkLength` bytes so an entry can straddle two.

#include <string>
#include <utility>
#include <vector>

#include "core/dictionary/dictionary.h"

namespace morvanta::testing {

// `entries`: the headwords each entry stands under, and its text.
dict::DictionaryFiles WriteDictd(const std::string& folder,
                                 const std::vector<std::pair<std::vector<std::string>, std::string>>& entries,
                                 unsigned chunkLength = 256);

// The dictd number digits of `value`.
std::string DictdNumber(unsigned long long value);

// A few words in the dictionary's own layout.
std::vector<std::pair<std::vector<std::string>, std::string>> SampleEntries();

}  // namespace morvanta::testing
