// "Extras": word lists of other trainers in ("Vokabeln importieren …", with its
// preview) and out (CSV, KVTML, Anki package).

#include <QFileInfo>

#include "core/exchange/file_names.h"
#include "core/exchange/query_walk.h"
#include "core/foreign/anki_package_reader.h"
#include "core/foreign/sheet_file.h"
#include "core/foreign/word_list_export.h"
#include "exchange/export_page.h"
#include "exchange/foreign_import_dialog.h"
#include "exchange/progress_dialog.h"
#include "platform/guard.h"
#include "store/file_saver.h"

namespace morvanta::exchange {

namespace {

std::runtime_error NotImported(const QString& name, const std::string& reason) {
    return std::runtime_error("Die Datei „" + QFileInfo(name).fileName().toStdString() +
                              "“ wurde nicht importiert.\n" + reason);
}

}  // namespace

void ExportPage::ImportWordListClick() {
    platform::Guarded(context_.dialogs, [this] {
        const auto name = context_.dialogs.askFileName(context_.fileDialogs.DialogWordListOpen);
        if (!name) return;
        const std::filesystem::path path = ToPath(*name);
        const auto format = foreign::FormatOfFile(path);
        if (!format)
            throw NotImported(*name, "Gelesen werden Dateien mit der Endung .csv, .tsv, .txt, .kvtml, "
                                     ".apkg und .colpkg.");
        foreign::SourceSheet sheet;
        try {
            const QString label = QStringLiteral("Datei lesen");
            RunProgress progress(context_.dialogs, this, label, 0);
            sheet = foreign::ReadSheetFile(path, *format, [&](std::int64_t done) {
                progress.setLabel(label + QStringLiteral(": %L1 Vokabeln").arg(done));
                return progress.callback()(done);
            });
        } catch (const foreign::ReadCancelled&) {
            return;
        } catch (const foreign::ReadError& e) {
            throw NotImported(*name, e.what());
        }
        ForeignImportDialog preview(sheet, QFileInfo(*name).fileName(), context_.Table1, this);
        if (!(showPreview ? showPreview(preview) : preview.exec() == QDialog::Accepted)) return;

        foreign::ForeignImportResult result;
        {
            const QString label = QStringLiteral("Vokabeln importieren");
            RunProgress progress(context_.dialogs, this, label,
                                 static_cast<std::int64_t>(preview.prepared().words.size()));
            result = foreign::RunForeignImport(
                preview.prepared(), context_.Table1, context_.clock, progress.callback(),
                [&](const ImportCounts& counts) {
                    progress.setLabel(label + QStringLiteral(": %L1 gespeichert").arg(counts.stored));
                });
        }
        QString message = QString::fromStdString(foreign::ForeignImportMessage(result));
        for (const std::string& problem : preview.prepared().problems)
            message += QStringLiteral("\n") + QString::fromStdString(problem);
        context_.dialogs.showInfo(message);
        if (result.error) std::rethrow_exception(result.error);
    });
}

void ExportPage::ExportWordListClick(foreign::ListFormat format) {
    const platform::FileDialogSpec& dialog = format == foreign::ListFormat::Csv ? context_.fileDialogs.DialogCsvExport
                                             : format == foreign::ListFormat::Kvtml
                                                 ? context_.fileDialogs.DialogKvtmlExport
                                                 : context_.fileDialogs.DialogAnkiExport;
    platform::Guarded(context_.dialogs, [&] {
        const auto name = context_.dialogs.askFileName(dialog);
        if (!name) return;
        QueryWalk walk(context_.Query1);
        store::FileSaver file(ToPath(*name));
        RunProgress progress(context_.dialogs, this, QStringLiteral("Export"),
                             2 * std::int64_t{context_.Query1.recordCount()});
        if (!foreign::WriteWordList(file.stream(), context_.Query1, format, progress.callback())) return;
        file.commit();
    });
}

}  // namespace morvanta::exchange
