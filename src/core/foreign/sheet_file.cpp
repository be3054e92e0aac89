#include "core/foreign/sheet_file.h"

#include <QString>

#include "core/foreign/anki_package_reader.h"
#include "core/foreign/csv_reader.h"
#include "core/foreign/kvtml_reader.h"

namespace morvanta::foreign {

std::optional<SheetFormat> FormatNamed(std::string_view name) {
    if (name == "csv") return SheetFormat::Csv;
    if (name == "tsv") return SheetFormat::Tsv;
    if (name == "kvtml") return SheetFormat::Kvtml;
    if (name == "apkg" || name == "colpkg") return SheetFormat::AnkiPackage;
    return std::nullopt;
}

std::optional<SheetFormat> FormatOfFile(const std::filesystem::path& file) {
    const std::string extension =
        QString::fromStdString(file.extension().string()).toLower().toStdString();
    if (extension == ".txt") return SheetFormat::Csv;
    return extension.empty() ? std::nullopt : FormatNamed(std::string_view(extension).substr(1));
}

SourceSheet ReadSheetFile(const std::filesystem::path& file, SheetFormat format,
                          const exchange::ProgressFn& progress) {
    switch (format) {
    case SheetFormat::Csv: return ReadCsvFile(file, CsvKind::Csv);
    case SheetFormat::Tsv: return ReadCsvFile(file, CsvKind::Tsv);
    case SheetFormat::Kvtml: return ReadKvtmlFile(file);
    case SheetFormat::AnkiPackage: return ReadAnkiPackage(file, progress);
    }
    throw ReadError("Unbekanntes Format.");
}

}  // namespace morvanta::foreign
