#pragma once
// What every word-list reader's sheet must hold, and what the column guess and
// the row preparation must make of it: shared by the readers' fuzz targets.

#include <algorithm>
#include <cstdint>
#include <string>

#include "core/foreign/column_mapping.h"
#include "core/foreign/foreign_import.h"
#include "fuzz_check.h"
#include "text/rich_text.h"

namespace morvanta::fuzz {

inline bool Utf8(const std::string& s) {
    return IsValidUtf8(reinterpret_cast<const unsigned char*>(s.data()), s.size());
}

// Every column named, every row one cell per column, all of it UTF-8; then the
// column guess and the row preparation account for every row.
inline void CheckSheet(const morvanta::foreign::SourceSheet& sheet) {
    using namespace morvanta;
    using namespace morvanta::foreign;
    for (const std::string& name : sheet.columns) FUZZ_CHECK(!name.empty() && Utf8(name));
    for (const auto& row : sheet.rows) {
        FUZZ_CHECK(row.size() == sheet.columns.size());
        for (const std::string& cell : row) FUZZ_CHECK(Utf8(cell));
    }
    const ColumnMapping mapping = GuessMapping(sheet);
    FUZZ_CHECK(mapping.size() == sheet.columns.size());
    for (Field field : kAllFields)
        if (field != Field::None) FUZZ_CHECK(std::count(mapping.begin(), mapping.end(), field) <= 1);
    const PreparedImport prepared = PrepareImport(sheet, mapping, 1);
    FUZZ_CHECK(prepared.unusable >= 0);
    FUZZ_CHECK(prepared.words.size() + std::size_t(prepared.unusable) == sheet.rows.size());
    FUZZ_CHECK(prepared.problems.size() == std::min(std::size_t(prepared.unusable), kListedProblems));
    std::int64_t next = 1;
    std::size_t named = 0;
    for (const NamedLesson& lesson : prepared.lessons) {
        FUZZ_CHECK(lesson.number == next++ && lesson.words > 0 && !lesson.name.empty());
        named += std::size_t(lesson.words);
    }
    FUZZ_CHECK(named <= prepared.words.size());
    for (const entry::NewWord& word : prepared.words) {
        FUZZ_CHECK(!word.translation1.empty());
        FUZZ_CHECK(!text::RtfToPlainText(word.kanjiRtf).empty());
        FUZZ_CHECK(word.lesson >= 0);
    }
}


}  // namespace morvanta::fuzz
