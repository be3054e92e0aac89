#pragma once
// A word-list file of another trainer, read by the reader its kind asks for.

#include <filesystem>
#include <optional>
#include <string_view>

#include "core/exchange/run_progress.h"
#include "core/foreign/source_sheet.h"

namespace morvanta::foreign {

enum class SheetFormat { Csv, Tsv, Kvtml, AnkiPackage };

// The kind a command names ("csv", "tsv", "kvtml", "apkg"), or nullopt.
std::optional<SheetFormat> FormatNamed(std::string_view name);
// The kind a file's extension says (.csv .txt .tsv .kvtml .apkg .colpkg), or nullopt.
std::optional<SheetFormat> FormatOfFile(const std::filesystem::path& file);

// Throws ReadError. Progress reaches only the package reader, which is the slow one.
SourceSheet ReadSheetFile(const std::filesystem::path& file, SheetFormat format,
                          const exchange::ProgressFn& progress = {});

}  // namespace morvanta::foreign
