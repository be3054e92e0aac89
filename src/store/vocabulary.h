#pragma once
// The vocabulary record: sixteen fields in their fixed order, and the table file.

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "store/date_time.h"

namespace morvanta::store {

enum class FieldKind { Text, Memo, Integer, DateTime, Logical };

struct FieldDef {
    std::string_view name;
    FieldKind kind;
};

inline constexpr std::string_view kTableFileName = "Vokabel.DB";
inline constexpr std::string_view kTableName = "Vokabel";

// Translation1, Translation2, Translation3, Hepburn, Kanji, Hira-Kata, Accent, Note,
// DateEntered, DateAsked, NumberAsked, NumberWrong, Marked, Type, CardPrinted, Lesson.
const std::array<FieldDef, 16>& VocabularyFields();
// Index of a field by name (case-insensitive, "type" finds "Type"), or -1.
int FieldIndex(std::string_view name);

// One field value; monostate is a field without value.
using Value = std::variant<std::monostate, std::string, std::int64_t, bool, DateTime, double>;
using Record = std::vector<Value>;  // sixteen values in field order

// The table file "Vokabel.DB": creates an empty one (used by the make_table tool).
// Never touches an existing file; returns false when the file was already there.
bool CreateVocabularyFile(const std::filesystem::path& file);

}  // namespace morvanta::store
