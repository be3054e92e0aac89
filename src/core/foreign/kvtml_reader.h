#pragma once
// KVTML 2, the word lists of Parley and KWordQuiz: one column per language
// (identifier), with the pronunciation and comment where the file has them,
// then "Lektion" (the lesson container an entry sits in) and "Typ" (its word
// type where it is one of the program's type words: a noun is "Meishi").

#include <QIODevice>
#include <filesystem>

#include "core/foreign/source_sheet.h"

namespace morvanta::foreign {

// Throws ReadError naming the line: damaged XML, no KVTML 2, a translation of a
// language the file does not declare.
SourceSheet ReadKvtml(QIODevice& in);
SourceSheet ReadKvtmlFile(const std::filesystem::path& file);

}  // namespace morvanta::foreign
