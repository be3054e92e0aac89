// "Drucken…": the practice sheet and the kanji grid of the selection in the
// print preview, from where the learner prints them or saves a PDF.

#include <QApplication>

#include "core/exchange/file_names.h"
#include "core/exchange/kana_list_file.h"
#include "core/setup/program_files.h"
#include "core/exchange/query_walk.h"
#include "exchange/export_page.h"
#include "exchange/progress_dialog.h"
#include "platform/guard.h"
#include "print/kanji_grid.h"
#include "print/practice_sheet.h"

namespace morvanta::exchange {

namespace {

// The words of the selection, read with progress and cancel; the walk ends on
// the first record, or where it started when cancelled.
bool ReadSelection(platform::Dialogs& dialogs, QWidget* page, store::Query& query,
                   const QString& label, std::vector<print::PrintWord>& words) {
    QueryWalk walk(query);
    RunProgress progress(dialogs, page, label, query.recordCount());
    if (print::GatherWords(query, words, progress.callback())) return true;
    walk.restoreStart();
    return false;
}

// The drawing's progress belongs over the preview, which is modal by then.
QWidget* ProgressParent(QWidget* page) {
    QWidget* modal = QApplication::activeModalWidget();
    return modal ? modal : page;
}

}  // namespace

void ExportPage::PrintPracticeClick() {
    platform::Guarded(context_.dialogs, [this] {
        const QString title = print::PracticeSheetTitle();
        std::vector<print::PrintWord> words;
        if (!ReadSelection(context_.dialogs, this, context_.Query1, title, words)) return;
        const QString date = QString::fromStdString(context_.clock.now().shortDate());
        context_.dialogs.previewPrint(
            {title, print::PracticeSheetLayout(), [&](QPagedPaintDevice& device) {
                 RunProgress progress(context_.dialogs, ProgressParent(this), title, std::int64_t(words.size()));
                 return print::DrawPracticeSheet(device, words, date, progress.callback());
             }});
    });
}

void ExportPage::PrintKanjiClick() {
    platform::Guarded(context_.dialogs, [this] {
        const QString title = print::KanjiGridTitle();
        KnownCharacters known;
        LoadKanaListFile(known, setup::ShippedFile(ToPath(programDir), kKanaListFileName));
        std::vector<print::PrintWord> words;
        if (!ReadSelection(context_.dialogs, this, context_.Query1, title, words)) return;
        const std::vector<print::KanjiUse> kanji = print::KanjiUses(known, words);
        const QString date = QString::fromStdString(context_.clock.now().shortDate());
        context_.dialogs.previewPrint(
            {title, print::KanjiGridLayout(), [&](QPagedPaintDevice& device) {
                 RunProgress progress(context_.dialogs, ProgressParent(this), title, std::int64_t(kanji.size()));
                 return print::DrawKanjiGrid(device, words, kanji, date, progress.callback());
             }});
    });
}

}  // namespace morvanta::exchange
