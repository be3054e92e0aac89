#pragma once
// Word lists as comma-, semicolon- or tab-separated text: spreadsheets' CSV,
// TSV, and Anki's plain-text export with its "#separator:" and "#html:" lines.
//
// The encoding is UTF-8 (with or without byte order mark), UTF-16 with byte
// order mark, or Windows-1252 when the file is no UTF-8 at all; a file that is
// partly UTF-8 is refused. Fields may be quoted ("a ""b"", c") and then hold
// separators, quotes and line breaks. The separator is the one that splits the
// first records most evenly (a TSV always uses tabs); a first row of column
// names is recognised by its names, or by holding no Japanese where the rows
// below do.

#include <filesystem>
#include <string_view>

#include "core/foreign/source_sheet.h"

namespace morvanta::foreign {

enum class CsvKind { Csv, Tsv };

// No record may be longer than this; a longer one is taken for a damaged file.
inline constexpr std::size_t kMaxCsvRecordBytes = 1 << 20;
// Nor more columns than this: every row takes the width of the widest.
inline constexpr std::size_t kMaxCsvColumns = 1000;
// And no more cells (rows times the widest row's columns) than this.
inline constexpr std::size_t kMaxCsvCells = 20'000'000;

// The whole file's bytes as a sheet; throws ReadError naming the line.
SourceSheet ReadCsv(std::string_view bytes, CsvKind kind);

// The file read whole first; throws ReadError, also when it cannot be opened.
SourceSheet ReadCsvFile(const std::filesystem::path& file, CsvKind kind);

}  // namespace morvanta::foreign
