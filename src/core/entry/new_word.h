#pragma once
// The record a new word becomes: the entry page's values plus the defaults
// every new word starts with.

#include <cstdint>
#include <string>

#include "store/date_time.h"
#include "store/vocabulary.h"

namespace morvanta::entry {

struct NewWord {
    std::string translation1, translation2, translation3;
    std::string hepburn;
    std::string kanjiRtf, hiraKataRtf;
    std::int64_t accent = 0;
    std::string note;
    std::string type;  // empty when no type is chosen
    std::int64_t lesson = 1;
};

// The sixteen values in field order; both dates come from the clock, read twice.
store::Record NewWordRecord(const NewWord& word, const store::Clock& clock);

// The first line of a text (the Hepburn field stores one line).
std::string FirstLine(const std::string& text);

}  // namespace morvanta::entry
