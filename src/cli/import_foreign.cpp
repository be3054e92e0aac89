// "import csv|tsv|kvtml|apkg FILE": another trainer's word list, read whole,
// its columns mapped onto the word's fields (guessed, or as the options say),
// then stored in one batch; --preview only shows what would happen.

#include "cli/import_foreign.h"

#include <QString>
#include <algorithm>
#include <iostream>

#include "cli/arguments.h"
#include "cli/cli_error.h"
#include "cli/messages.h"
#include "cli/terminal_progress.h"
#include "core/foreign/column_mapping.h"
#include "core/foreign/foreign_import.h"
#include "core/foreign/sheet_file.h"
#include "store/data_set.h"

namespace morvanta::cli {

namespace {

// The mapping the options ask for, on top of the guessed one.
foreign::ColumnMapping MappingFromOptions(const Arguments& args, const foreign::SourceSheet& sheet) {
    foreign::ColumnMapping mapping = foreign::GuessMapping(sheet);
    const int width = static_cast<int>(sheet.columns.size());
    const auto place = [&](std::string_view option, const std::string& value, foreign::Field field) {
        const int column = IntegerOption(option, value, 0, width);
        if (column == 0)
            std::replace(mapping.begin(), mapping.end(), field, foreign::Field::None);
        else
            mapping = foreign::WithField(std::move(mapping), static_cast<std::size_t>(column - 1), field);
    };
    for (const auto& [option, field] : {std::pair{"--kanji", foreign::Field::Kanji},
                                        {"--kana", foreign::Field::Kana},
                                        {"--lesson", foreign::Field::Lesson},
                                        {"--type", foreign::Field::Type},
                                        {"--note", foreign::Field::Note}})
        if (const auto value = args.value(option)) place(option, *value, field);
    const std::vector<std::string> translations = args.values("--translation");
    if (translations.size() > 3) throw UsageError("--translation gibt es höchstens dreimal.");
    const foreign::Field translationFields[] = {foreign::Field::Translation1, foreign::Field::Translation2,
                                                foreign::Field::Translation3};
    if (!translations.empty())
        for (foreign::Field field : translationFields)
            std::replace(mapping.begin(), mapping.end(), field, foreign::Field::None);
    for (std::size_t i = 0; i < translations.size(); ++i)
        place("--translation", translations[i], translationFields[i]);
    return mapping;
}

std::string Count(long long n) { return GermanCount(n); }

void PrintPreview(const foreign::SourceSheet& sheet, const foreign::ColumnMapping& mapping,
                  const foreign::PreparedImport& prepared, const foreign::ImportPreview& preview) {
    std::cout << sheet.format << ": " << Count(static_cast<int>(sheet.rows.size())) << " Zeilen, "
              << sheet.columns.size() << " Spalten\n";
    for (std::size_t column = 0; column < sheet.columns.size(); ++column) {
        std::string example;
        for (const auto& row : sheet.rows)
            if (!row[column].empty()) {
                example = row[column];
                break;
            }
        std::cout << "  " << column + 1 << " " << TerminalText(Quoted(sheet.columns[column])) << " → "
                  << foreign::FieldLabel(mapping[column]);
        if (!example.empty()) std::cout << "  (z. B. " << TerminalText(OneLineField(QString::fromStdString(example).left(30).toStdString())) << ")";
        std::cout << "\n";
    }
    for (const foreign::NamedLesson& lesson : prepared.lessons)
        std::cout << "Lektion " << lesson.number << " ← " << TerminalText(Quoted(lesson.name)) << " ("
                  << Count(lesson.words) << " Vokabeln)\n";
    for (const std::string& remark : sheet.remarks) std::cout << TerminalText(remark) << "\n";
    std::cout << "Neu: " << Count(preview.newWords) << ", schon vorhanden: " << Count(preview.duplicates)
              << ", nicht speicherbar: " << Count(preview.unusable) << "\n";
    for (const std::string& problem : prepared.problems) std::cout << "  " << TerminalText(problem) << "\n";
    if (static_cast<std::size_t>(prepared.unusable) > prepared.problems.size())
        std::cout << "  … und " << Count(prepared.unusable - static_cast<int>(prepared.problems.size()))
                  << " weitere\n";
}

}  // namespace

bool IsForeignKind(const std::string& kind) { return foreign::FormatNamed(kind).has_value(); }

int ImportForeign(store::Table& table, const std::string& kind, const std::string& file,
                  const Arguments& args) {
    const foreign::SheetFormat format = *foreign::FormatNamed(kind);
    foreign::SourceSheet sheet;
    try {
        TerminalProgress progress("Datei lesen", 0);
        sheet = foreign::ReadSheetFile(std::filesystem::path(file), format, progress.callback());
    } catch (const foreign::ReadError& e) {
        throw Refusal("Die Datei " + Quoted(file) + " wurde nicht importiert.\n" + TerminalText(e.what()));
    }
    const foreign::ColumnMapping mapping = MappingFromOptions(args, sheet);
    const foreign::PreparedImport prepared =
        foreign::PrepareImport(sheet, mapping, foreign::FirstFreeLesson(table));
    if (args.has("--preview")) {
        PrintPreview(sheet, mapping, prepared, foreign::CountPreview(prepared, table));
        return kExitOk;
    }
    if (!foreign::ColumnOf(mapping, foreign::Field::Translation1))
        throw Refusal("Keine Spalte ist als Übersetzung zugeordnet; geben Sie --translation N an "
                      "(--preview zeigt die Spalten).");
    store::SystemClock clock;
    TerminalProgress progress("Import", static_cast<std::int64_t>(prepared.words.size()));
    const foreign::ForeignImportResult result =
        foreign::RunForeignImport(prepared, table, clock, progress.callback());
    progress.finish();
    std::cout << foreign::ForeignImportMessage(result) << "\n";
    for (const std::string& problem : prepared.problems) std::cout << "  " << TerminalText(problem) << "\n";
    if (result.error) throw Refusal("Der Import endete vorzeitig: " + TerminalText(ErrorText(result.error)));
    if (result.cancelled)
        throw Refusal("Der Import wurde abgebrochen; die Vokabeln bis dahin sind gespeichert.");
    return kExitOk;
}

}  // namespace morvanta::cli
