#pragma once
// The practice sheet: one row per word with its kanji, kana, Hepburn and
// translations, then three empty cells to practise in; A4 landscape.

#include <QPageLayout>
#include <QString>
#include <vector>

#include "core/exchange/run_progress.h"
#include "print/print_words.h"

class QPagedPaintDevice;

namespace morvanta::print {

QPageLayout PracticeSheetLayout();
QString PracticeSheetTitle();

// Draws the words page by page; false when cancelled (progress: words drawn).
bool DrawPracticeSheet(QPagedPaintDevice& device, const std::vector<PrintWord>& words,
                       const QString& date, const exchange::ProgressFn& progress = {});

}  // namespace morvanta::print
