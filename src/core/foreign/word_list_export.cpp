#include "core/foreign/word_list_export.h"

#include "core/foreign/anki_package_writer.h"
#include "core/foreign/csv_writer.h"
#include "core/foreign/export_word.h"
#include "core/foreign/kvtml_writer.h"

namespace morvanta::foreign {

std::optional<ListFormat> ListFormatNamed(std::string_view name) {
    if (name == "csv") return ListFormat::Csv;
    if (name == "kvtml") return ListFormat::Kvtml;
    if (name == "apkg") return ListFormat::AnkiPackage;
    return std::nullopt;
}

bool WriteWordList(std::ostream& out, store::DataSet& words, ListFormat format,
                   const exchange::ProgressFn& progress) {
    std::vector<ExportWord> list;
    if (!ReadExportWords(words, list, progress)) return false;
    const auto count = static_cast<std::int64_t>(list.size());
    const exchange::ProgressFn writing = [&](std::int64_t done) {
        return exchange::Proceed(progress, count + done);
    };
    switch (format) {
    case ListFormat::Csv: return WriteWordCsv(out, list, writing);
    case ListFormat::Kvtml: return WriteKvtml(out, list, writing);
    case ListFormat::AnkiPackage: return WriteAnkiPackage(out, list, writing);
    }
    return false;
}

}  // namespace morvanta::foreign
