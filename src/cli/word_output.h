#pragma once
// A word of the table as the terminal shows it: a line of text or a JSON object.

#include <string>
#include <string_view>

#include "store/data_set.h"

namespace morvanta::cli {

// Kanji and Hira-Kata as the plain text the pages show.
struct JapaneseText {
    std::string kanji, kana;
};
JapaneseText JapaneseOf(const store::DataSet& record);

// Translation1, Translation2, Translation3, Hepburn, lesson, type, separated by tabs.
std::string SearchLine(const store::DataSet& record);

// All sixteen fields in their order, named as in the table.
std::string WordJson(const store::DataSet& record);

// A JSON string literal of UTF-8 text.
std::string JsonString(std::string_view utf8);

}  // namespace morvanta::cli
