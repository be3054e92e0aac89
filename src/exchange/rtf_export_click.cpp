// "RTF Export": the practice list (Button3) and the kanji list (Button10).

#include <QPlainTextEdit>

#include "exchange/export_page.h"
#include "core/exchange/file_names.h"
#include "core/exchange/kana_list_file.h"
#include "core/setup/program_files.h"
#include "exchange/progress_dialog.h"
#include "core/exchange/query_walk.h"
#include "core/exchange/rtf_practice_list.h"
#include "platform/guard.h"
#include "store/file_saver.h"
#include "text/codepage.h"

namespace morvanta::exchange {

namespace {

QString JoinLines(const std::vector<std::string>& lines) {
    std::string all;
    for (const std::string& l : lines) {
        all += l;
        all += '\n';
    }
    return QString::fromStdString(text::Cp1252ToUtf8(all));
}

}  // namespace

void ExportPage::writeSelection(const QString& progressLabel, const SelectionWriter& writer,
                                CancelledWalk cancelled) {
    platform::Guarded(context_.dialogs, [&] {
        const auto name = context_.dialogs.askFileName(context_.fileDialogs.SaveDialog1);
        if (!name) return;
        QueryWalk walk(context_.Query1);
        store::FileSaver file(ToPath(*name));
        RunProgress progress(context_.dialogs, this, progressLabel, context_.Query1.recordCount());
        if (!writer(file.stream(), context_.Query1, progress.callback())) {
            if (cancelled == CancelledWalk::BackToStart) walk.restoreStart();
            return;
        }
        file.commit();
    });
}

void ExportPage::Button3Click() {
    writeSelection(QStringLiteral("Vokabel-Übungs Listen"),
                   [](std::ostream& out, store::DataSet& query, const ProgressFn& progress) {
                       return WritePracticeList(out, query, progress);
                   },
                   CancelledWalk::BackToStart);
}

void ExportPage::Button10Click() {
    platform::Guarded(context_.dialogs, [this] {
        const auto name = context_.dialogs.askFileName(context_.fileDialogs.SaveDialog1);
        if (!name) return;
        QueryWalk walk(context_.Query1);
        known_.clear();
        context_.Query1.first();
        LoadKanaListFile(known_, setup::ShippedFile(ToPath(programDir), kKanaListFileName));
        {
            RunProgress progress(context_.dialogs, this, QStringLiteral("Kanji isolieren"),
                                 context_.Query1.recordCount());
            if (!CollectKanji(known_, context_.Query1, progress.callback())) {
                walk.restoreStart();
                return;
            }
        }
        Memo2->setPlainText(JoinLines(known_.lines()));
        store::FileSaver file(ToPath(*name));
        WriteKanjiList(file.stream(), known_);
        file.commit();
    });
}

}  // namespace morvanta::exchange
