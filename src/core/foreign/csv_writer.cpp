#include "core/foreign/csv_writer.h"

#include "text/csv_cell.h"

namespace morvanta::foreign {

bool WriteWordCsv(std::ostream& out, const std::vector<ExportWord>& words,
                  const exchange::ProgressFn& progress) {
    out << "\xEF\xBB\xBF";
    const char* heads[] = {"Kanji",         "Kana",    "Hepburn", "Übersetzung 1", "Übersetzung 2",
                           "Übersetzung 3", "Lektion", "Typ",     "Bemerkung"};
    for (const char* head : heads) text::WriteCsvCell(out, head, head == heads[8]);
    std::int64_t done = 0;
    for (const ExportWord& word : words) {
        if (!exchange::Proceed(progress, done++)) return false;
        for (const std::string* field : {&word.kanji, &word.kana, &word.hepburn, &word.translation1,
                                         &word.translation2, &word.translation3})
            text::WriteCsvCell(out, text::SpreadsheetInert(*field), false);
        text::WriteCsvCell(out, std::to_string(word.lesson), false);
        text::WriteCsvCell(out, text::SpreadsheetInert(word.type), false);
        text::WriteCsvCell(out, text::SpreadsheetInert(word.note), true);
    }
    return true;
}

}  // namespace morvanta::foreign
