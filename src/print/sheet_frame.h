#pragma once
// What every printed sheet shares: A4 with 15 mm margins, a header line with
// the sheet's title, the date, the selection's size and "Seite X von Y", and
// rows that never split across pages. Drawn page by page, so a long selection
// never holds more than one page's drawing.

#include <QFont>
#include <QPageLayout>
#include <QString>
#include <cstddef>
#include <vector>

#include "core/exchange/run_progress.h"

class QPagedPaintDevice;
class QPainter;
class QPaintDevice;
class QRectF;

namespace morvanta::print {

QPageLayout A4Layout(QPageLayout::Orientation orientation);

// Latin letters and digits in Liberation Sans, Japanese in Noto Sans CJK JP
// (never a Chinese or Korean face). Qt's PDF writer cannot map the digits it
// shapes from Noto Sans CJK back to text, so they come from the Latin face.
QFont SheetFont(qreal points, bool bold = false);

// Device units per millimetre.
qreal PerMm(const QPaintDevice& device);

// The rows of a sheet, measured and drawn in device units.
class RowSheet {
public:
    virtual ~RowSheet() = default;
    virtual std::size_t rowCount() const = 0;
    virtual qreal rowHeight(std::size_t row) const = 0;
    virtual void drawRow(QPainter& painter, std::size_t row, const QRectF& box) const = 0;
    // Column heads under each page's header.
    virtual qreal headHeight() const { return 0; }
    virtual void drawHead(QPainter&, const QRectF&) const {}
};

struct SheetHeader {
    QString title;  // "Übungsblatt"
    QString date;   // dd.MM.yyyy
    QString size;   // "12 Vokabeln"
};

// The first row of each page for rows of these heights, on pages `pageHeight`
// tall. A row taller than a page gets a page of its own.
std::vector<std::size_t> PageStarts(const std::vector<qreal>& heights, qreal pageHeight);

// Draws every page; false when the progress callback (rows drawn) cancelled.
// Throws std::runtime_error when the device cannot be drawn on.
bool DrawSheet(QPagedPaintDevice& device, const RowSheet& sheet, const SheetHeader& header,
               const exchange::ProgressFn& progress);

}  // namespace morvanta::print
