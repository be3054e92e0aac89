#pragma once
// The kanji writing grid: per kanji of the selection (the kanji list's set and
// order) a row of square boxes with faint cross guide lines, the kanji large in
// the first, light grey in the next few to trace, and the words of the
// selection that use it in small type beside the row; A4 portrait.

#include <QPageLayout>
#include <QString>
#include <vector>

#include "core/exchange/run_progress.h"
#include "print/print_words.h"

class QPagedPaintDevice;

namespace morvanta::print {

QPageLayout KanjiGridLayout();
QString KanjiGridTitle();

// Draws a row per kanji page by page; false when cancelled (progress: rows drawn).
bool DrawKanjiGrid(QPagedPaintDevice& device, const std::vector<PrintWord>& words,
                   const std::vector<KanjiUse>& kanji, const QString& date,
                   const exchange::ProgressFn& progress = {});

}  // namespace morvanta::print
