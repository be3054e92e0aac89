#pragma once
// Which column of a source sheet becomes which field of a word. Guessed from the
// column names first ("Kana", "Deutsch", "Lektion", …) and then from what the
// columns hold: kana only is the reading, text with kanji the word, Latin text a
// translation. The learner can change every choice before the import.

#include <optional>
#include <string>
#include <vector>

#include "core/foreign/source_sheet.h"

namespace morvanta::foreign {

enum class Field { None, Kanji, Kana, Translation1, Translation2, Translation3, Lesson, Type, Note };

inline constexpr Field kAllFields[] = {Field::None,         Field::Kanji,        Field::Kana,
                                       Field::Translation1, Field::Translation2, Field::Translation3,
                                       Field::Lesson,       Field::Type,         Field::Note};

// The German name the preview and the messages use ("Übersetzung 2", "nicht übernehmen").
std::string FieldLabel(Field field);
// The field for a command-line option ("kanji", "kana", "translation", "lesson",
// "type", "note"); translation gives the first one.
std::optional<Field> FieldOfOption(const std::string& option);

// One entry per column of the sheet; each field but None at most once.
using ColumnMapping = std::vector<Field>;

ColumnMapping GuessMapping(const SourceSheet& sheet);

// The mapping with `field` on `column` and taken off any other column.
ColumnMapping WithField(ColumnMapping mapping, std::size_t column, Field field);

// The column of a field, if any.
std::optional<std::size_t> ColumnOf(const ColumnMapping& mapping, Field field);

}  // namespace morvanta::foreign
