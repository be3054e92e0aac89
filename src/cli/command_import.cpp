// "import special|xml FILE": words from a file into the table.

#include <QFile>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iostream>

#include "cli/cli_error.h"
#include "cli/commands.h"
#include "cli/import_foreign.h"
#include "cli/messages.h"
#include "cli/table_access.h"
#include "cli/terminal_progress.h"
#include "core/exchange/special_import.h"
#include "core/exchange/xml_word_import.h"
#include "store/data_set.h"
#include "store/system_reason.h"

namespace morvanta::cli {

namespace {

// Why an import ended early, in German and with the file's control characters
// written out (the window keeps the engine's own words for a bad lesson number).
std::string EndedBecause(const std::exception_ptr& error) {
    try {
        std::rethrow_exception(error);
    } catch (const exchange::ConversionError& e) {
        std::string_view text = e.what();
        const std::size_t open = text.find('\''), close = text.rfind("' is not");
        if (open != std::string_view::npos && close != std::string_view::npos && close > open)
            return "Die Lektion " + Quoted(text.substr(open + 1, close - open - 1)) + " ist keine ganze Zahl.";
    } catch (...) {
    }
    return ErrorText(error);
}

int Finish(const std::string& message, bool cancelled, const std::exception_ptr& error) {
    std::cout << TerminalText(message) << "\n";
    if (error) throw Refusal("Der Import endete vorzeitig: " + TerminalText(EndedBecause(error)));
    if (cancelled)
        throw Refusal("Der Import wurde abgebrochen; es wurde keine Vokabel gespeichert.");
    return kExitOk;
}

int ImportSpecial(store::Table& table, const std::string& file) {
    std::ifstream in(std::filesystem::path(file), std::ios::binary);
    if (!in)
        throw Refusal("Die Datei " + Quoted(file) +
                      " kann nicht geöffnet werden: " + store::SystemReason(errno));
    std::error_code ec;
    const auto size = std::filesystem::file_size(file, ec);
    TerminalProgress progress("Import-Special", ec ? 0 : std::int64_t(size));
    store::SystemClock clock;
    const exchange::SpecialImportResult result =
        exchange::RunSpecialImport(in, table, clock, progress.callback());
    progress.finish();
    return Finish(exchange::SpecialImportMessage(result), result.cancelled, result.error);
}

int ImportXml(store::Table& table, const std::string& file) {
    QFile in(QString::fromStdString(file));
    if (!in.open(QIODevice::ReadOnly))
        throw Refusal("Die Datei " + Quoted(file) + " kann nicht geöffnet werden: " +
                      store::SystemReason(in.errorString().toStdString()));
    // A file that fails to load anywhere, even near its end, stores nothing.
    TerminalProgress progress("XML-Import", in.size());
    store::SystemClock clock;
    const exchange::XmlImportResult result =
        exchange::ImportWords(in, table, clock, progress.callback());
    progress.finish();
    if (!result.loadError.isEmpty())
        throw Refusal("Die Datei " + Quoted(file) + " ist keine lesbare XML-Wortliste.\n" +
                      TerminalText(result.loadError.toStdString()));
    return Finish(exchange::XmlImportMessage(result), result.cancelled, result.error);
}

}  // namespace

int RunImport(const Arguments& args) {
    WatchInterrupt();
    const std::string& kind = args.words.at(0);
    const bool foreign = IsForeignKind(kind);
    if (kind != "special" && kind != "xml" && !foreign)
        throw UsageError("„import“ kennt special, xml, csv, tsv, kvtml und apkg, nicht " + Quoted(kind) + ".");
    if (!foreign)
        for (std::string_view option : {"--preview", "--kanji", "--kana", "--translation", "--lesson", "--type", "--note"})
            if (args.has(option))
                throw UsageError(std::string(option) + " gilt nur für csv, tsv, kvtml und apkg.");
    TableAccess access(args.db);
    access.open();
    store::Table table(access.session(), store::kVocabularyAlias, "Vokabel.DB");
    table.open();
    if (foreign) return ImportForeign(table, kind, args.words.at(1), args);
    return kind == "special" ? ImportSpecial(table, args.words.at(1))
                             : ImportXml(table, args.words.at(1));
}

}  // namespace morvanta::cli
