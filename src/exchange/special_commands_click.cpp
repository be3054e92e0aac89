// The hidden commands: special import (Button11), word dump (Button12) and
// the reading's romanisation into the entry page (Button13).

#include <QLineEdit>
#include <cerrno>
#include <filesystem>
#include <fstream>

#include "core/entry/kana_change.h"
#include "exchange/export_page.h"
#include "core/exchange/file_names.h"
#include "exchange/progress_dialog.h"
#include "core/exchange/query_walk.h"
#include "core/exchange/special_import.h"
#include "core/exchange/word_dump.h"
#include "platform/guard.h"
#include "store/engine_error.h"
#include "store/file_saver.h"
#include "store/system_reason.h"

namespace morvanta::exchange {

void ExportPage::Button11Click() {
    platform::Guarded(context_.dialogs, [this] {
        const auto name = context_.dialogs.askFileName(context_.fileDialogs.OpenDialog1);
        if (!name) return;
        const std::filesystem::path path = ToPath(*name);
        SpecialImportResult result;
        {
            std::ifstream in(path, std::ios::binary);
            if (!in)
                throw std::runtime_error(store::WithDetail(
                    "Die Datei " + store::QuotedPath(path) + " kann nicht geöffnet werden.",
                    store::SystemReason(errno)));
            std::error_code ec;
            const auto size = std::filesystem::file_size(path, ec);
            const QString label = QStringLiteral("Import-Special");
            RunProgress progress(context_.dialogs, this, label, ec ? 1 : static_cast<std::int64_t>(size));
            // The count shown is what the table holds: it moves when a batch is committed.
            result = RunSpecialImport(in, context_.Table1, context_.clock, progress.callback(),
                                      [&](const ImportCounts& counts) {
                                          progress.setLabel(label + QStringLiteral(": %L1 Vokabeln gespeichert")
                                                                        .arg(counts.stored));
                                      });
        }
        // The count comes first, also when a bad word ended the import.
        context_.dialogs.showInfo(QString::fromStdString(SpecialImportMessage(result)));
        if (result.error) std::rethrow_exception(result.error);
    });
}

void ExportPage::Button12Click() {
    writeSelection(QStringLiteral("Button12"),
                   [](std::ostream& out, store::DataSet& query, const ProgressFn& progress) {
                       return WriteWordDump(out, query, progress);
                   },
                   CancelledWalk::OnFirstRecord);
}

void ExportPage::Button13Click() {
    platform::Guarded(context_.dialogs, [this] {
        // The same chain as the kana field's: a reading without Japanese gives an
        // empty field, never RTF source.
        const std::string kana = context_.Table1.asString("Hira-Kata");
        entry_.setHepburn(QString::fromStdString(entry::HepburnFromKanaRtf(kana)));
    });
}

}  // namespace morvanta::exchange
