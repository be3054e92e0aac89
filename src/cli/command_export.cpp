// "export practice|kanji|xml|dump|practice-pdf|kanji-pdf OUT": the export
// page's files, written whole or not at all.

#include <QDate>
#include <QString>
#include <fstream>
#include <stdlib.h>
#include <unistd.h>
#include <iostream>

#include "cli/cli_error.h"
#include "cli/commands.h"
#include "cli/messages.h"
#include "cli/offscreen_gui.h"
#include "cli/program_folder.h"
#include "cli/selection.h"
#include "cli/table_access.h"
#include "cli/terminal_progress.h"
#include "core/exchange/kana_list_file.h"
#include "core/setup/program_files.h"
#include "core/exchange/rtf_kanji_list.h"
#include "core/exchange/rtf_practice_list.h"
#include "core/exchange/saver_device.h"
#include "core/exchange/word_dump.h"
#include "core/exchange/xml_word_source.h"
#include "core/foreign/word_list_export.h"
#include "print/kanji_grid.h"
#include "print/pdf_file.h"
#include "print/practice_sheet.h"
#include "store/data_set.h"
#include "store/file_saver.h"

namespace morvanta::cli {

namespace {

enum class Kind { Practice, Kanji, Xml, Dump, PracticePdf, KanjiPdf, Csv, Kvtml, AnkiPackage };

Kind KindOf(const std::string& word) {
    if (word == "practice") return Kind::Practice;
    if (word == "kanji") return Kind::Kanji;
    if (word == "xml") return Kind::Xml;
    if (word == "dump") return Kind::Dump;
    if (word == "practice-pdf") return Kind::PracticePdf;
    if (word == "kanji-pdf") return Kind::KanjiPdf;
    if (word == "csv") return Kind::Csv;
    if (word == "kvtml") return Kind::Kvtml;
    if (word == "apkg") return Kind::AnkiPackage;
    throw UsageError(
        "„export“ kennt practice, kanji, xml, dump, practice-pdf, kanji-pdf, csv, kvtml und apkg, nicht " +
        Quoted(word) + ".");
}

// The export dialog's options; its creator name has no place in the file.
exchange::XmlExportOptions XmlOptions(const Arguments& args) {
    exchange::XmlExportOptions options;
    options.description =
        QString::fromStdString(args.value("--description").value_or(std::string()));
    options.includeDates = args.has("--dates");
    options.includeStatistics = args.has("--stats");
    return options;
}

void RequireXmlOnly(const Arguments& args, Kind kind) {
    if (kind == Kind::Xml) return;
    for (std::string_view option : {"--description", "--dates", "--stats"})
        if (args.has(option)) throw UsageError(std::string(option) + " gilt nur für „export xml“.");
}

[[noreturn]] void Cancelled(const std::string& out) {
    throw Refusal("Abgebrochen; " + Quoted(out) + " wurde nicht geschrieben.");
}

void WriteWalk(store::Query& query, const std::string& out, const char* label,
               bool (*write)(std::ostream&, store::DataSet&, const exchange::ProgressFn&)) {
    store::FileSaver file{std::filesystem::path(out)};
    TerminalProgress progress(label, query.recordCount());
    if (!write(file.stream(), query, progress.callback())) Cancelled(out);
    file.commit();
}

void LoadKanaList(exchange::KnownCharacters& known) {
    const std::filesystem::path program = ProgramFolder();
    const std::filesystem::path kanaList = setup::ShippedFile(program, exchange::kKanaListFileName);
    try {
        exchange::LoadKanaListFile(known, kanaList);
    } catch (const exchange::KanaListFileError& e) {
        throw Refusal("Die Kana-Liste " + Quoted(e.file().string()) +
                      " kann nicht geöffnet werden: " + e.reason() +
                      ". Sie gehört neben das Programm oder nach " +
                      Quoted(setup::SharedDataFolder(program).string()) + ".");
    }
}

void WriteKanji(store::Query& query, const std::string& out) {
    exchange::KnownCharacters known;
    LoadKanaList(known);
    {
        TerminalProgress progress("Kanji isolieren", query.recordCount());
        if (!exchange::CollectKanji(known, query, progress.callback())) Cancelled(out);
    }
    store::FileSaver file{std::filesystem::path(out)};
    exchange::WriteKanjiList(file.stream(), known);
    file.commit();
}

void WriteXml(store::Query& query, const std::string& out,
              const exchange::XmlExportOptions& options) {
    store::FileSaver file{std::filesystem::path(out)};
    exchange::SaverDevice device(file);
    TerminalProgress progress("XML Export", query.recordCount());
    exchange::XmlWordListWriter writer(device);
    const bool walked = exchange::BuildWordList(query, options, writer, progress.callback());
    if (device.failure()) throw *device.failure();
    if (!walked) Cancelled(out);
    if (!writer.ok())
        throw Refusal("Die Datei " + Quoted(out) + " wurde nicht vollständig geschrieben.");
    file.commit();
}

std::vector<print::PrintWord> ReadWords(store::Query& query, const std::string& out,
                                        const char* label) {
    std::vector<print::PrintWord> words;
    TerminalProgress progress(label, query.recordCount());
    if (!print::GatherWords(query, words, progress.callback())) Cancelled(out);
    return words;
}

// The practice sheet or the kanji grid as a PDF file.
void WriteSheetPdf(store::Query& query, const std::string& out, Kind kind) {
    const OffscreenGui gui;
    exchange::KnownCharacters known;
    if (kind == Kind::KanjiPdf) LoadKanaList(known);
    const std::vector<print::PrintWord> words = ReadWords(query, out, "Vokabeln lesen");
    const QString date = QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy"));
    bool written = false;
    if (kind == Kind::PracticePdf) {
        TerminalProgress progress("Übungsblatt", std::int64_t(words.size()));
        written = print::WritePdf(out, print::PracticeSheetLayout(), print::PracticeSheetTitle(),
                                  [&](QPagedPaintDevice& device) {
                                      return print::DrawPracticeSheet(device, words, date,
                                                                      progress.callback());
                                  });
    } else {
        const std::vector<print::KanjiUse> kanji = print::KanjiUses(known, words);
        TerminalProgress progress("Kanji-Schreibblatt", std::int64_t(kanji.size()));
        written = print::WritePdf(out, print::KanjiGridLayout(), print::KanjiGridTitle(),
                                  [&](QPagedPaintDevice& device) {
                                      return print::DrawKanjiGrid(device, words, kanji, date,
                                                                  progress.callback());
                                  });
    }
    if (!written) Cancelled(out);
}

// A word list for another trainer.
void WriteForeignList(store::Query& query, const std::string& out, foreign::ListFormat format) {
    store::FileSaver file{std::filesystem::path(out)};
    TerminalProgress progress("Export", 2 * std::int64_t(query.recordCount()));
    if (!foreign::WriteWordList(file.stream(), query, format, progress.callback())) Cancelled(out);
    file.commit();
}

// "-" as the output: the export is written whole into a file of its own first,
// as to any file, and only then goes to stdout; the file goes in any case.
class StdoutExport {
public:
    explicit StdoutExport(bool wanted) {
        if (!wanted) return;
        char name[] = "/tmp/morvanta-export-XXXXXX";
        const int fd = ::mkstemp(name);
        if (fd < 0) throw Refusal("Für die Ausgabe nach stdout fehlt eine temporäre Datei.");
        ::close(fd);
        file_ = name;
    }
    ~StdoutExport() {
        std::error_code ignored;
        if (!file_.empty()) std::filesystem::remove(file_, ignored);
    }
    StdoutExport(const StdoutExport&) = delete;
    StdoutExport& operator=(const StdoutExport&) = delete;

    bool active() const { return !file_.empty(); }
    const std::filesystem::path& file() const { return file_; }
    void send() const {
        std::ifstream in(file_, std::ios::binary);
        std::cout << in.rdbuf();
        std::cout.flush();
    }

private:
    std::filesystem::path file_;
};

}  // namespace

int RunExport(const Arguments& args) {
    WatchInterrupt();
    const Kind kind = KindOf(args.words.at(0));
    const StdoutExport toStdout(args.words.at(1) == "-");
    const std::string out = toStdout.active() ? toStdout.file().string() : args.words.at(1);
    RequireXmlOnly(args, kind);
    const std::string statement = SelectionStatement(args);

    TableAccess access(args.db);
    access.open();
    store::Query query(access.session(), store::kVocabularyAlias);
    OpenSelection(query, statement);
    try {
        switch (kind) {
            case Kind::Practice:
                WriteWalk(query, out, "Vokabel-Übungs Listen", &exchange::WritePracticeList);
                break;
            case Kind::Dump:
                WriteWalk(query, out, "Abzug", &exchange::WriteWordDump);
                break;
            case Kind::Kanji:
                WriteKanji(query, out);
                break;
            case Kind::Xml:
                WriteXml(query, out, XmlOptions(args));
                break;
            case Kind::PracticePdf:
            case Kind::KanjiPdf:
                WriteSheetPdf(query, out, kind);
                break;
            case Kind::Csv:
                WriteForeignList(query, out, foreign::ListFormat::Csv);
                break;
            case Kind::Kvtml:
                WriteForeignList(query, out, foreign::ListFormat::Kvtml);
                break;
            case Kind::AnkiPackage:
                WriteForeignList(query, out, foreign::ListFormat::AnkiPackage);
                break;
        }
    } catch (const store::FileSaveError& e) {
        throw Refusal(NotSaved(out, e));
    }
    const int count = query.recordCount();
    if (toStdout.active()) {
        toStdout.send();
        std::cerr << "stdout: " << count << (count == 1 ? " Vokabel" : " Vokabeln") << " exportiert.\n";
        return kExitOk;
    }
    std::cout << out << ": " << count << (count == 1 ? " Vokabel" : " Vokabeln")
              << " exportiert.\n";
    return kExitOk;
}

}  // namespace morvanta::cli
