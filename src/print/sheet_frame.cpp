#include "print/sheet_frame.h"

#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPageSize>
#include <stdexcept>

namespace morvanta::print {

namespace {

constexpr qreal kMarginMm = 15;
constexpr qreal kHeaderGapMm = 3;  // between the header's rule and the first row

qreal HeaderHeight(const QPaintDevice& device) {
    return QFontMetricsF(SheetFont(9), const_cast<QPaintDevice*>(&device)).height() +
           kHeaderGapMm * PerMm(device);
}

void DrawHeader(QPainter& painter, const SheetHeader& header, int page, int pages) {
    const QPaintDevice& device = *painter.device();
    const QFont font = SheetFont(9);
    const qreal lineHeight = QFontMetricsF(font, painter.device()).height();
    const QRectF line(0, 0, device.width(), lineHeight);
    painter.setPen(Qt::black);
    painter.setFont(SheetFont(9, true));
    painter.drawText(line, Qt::AlignLeft | Qt::AlignVCenter, header.title);
    painter.setFont(font);
    painter.drawText(line, Qt::AlignHCenter | Qt::AlignVCenter,
                     header.date + QStringLiteral("  \u00B7  ") + header.size);
    painter.drawText(line, Qt::AlignRight | Qt::AlignVCenter,
                     QStringLiteral("Seite %1 von %2").arg(page).arg(pages));
    painter.setPen(QPen(Qt::gray, 0.2 * PerMm(device)));
    const qreal rule = lineHeight + 0.8 * PerMm(device);
    painter.drawLine(QPointF(0, rule), QPointF(device.width(), rule));
}

}  // namespace

QPageLayout A4Layout(QPageLayout::Orientation orientation) {
    return QPageLayout(QPageSize(QPageSize::A4), orientation,
                       QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm),
                       QPageLayout::Millimeter);
}

QFont SheetFont(qreal points, bool bold) {
    QFont font;
    font.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("Noto Sans CJK JP")});
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

qreal PerMm(const QPaintDevice& device) { return device.logicalDpiX() / 25.4; }

std::vector<std::size_t> PageStarts(const std::vector<qreal>& heights, qreal pageHeight) {
    std::vector<std::size_t> starts{0};
    qreal used = 0;
    for (std::size_t row = 0; row < heights.size(); ++row) {
        const qreal height = heights[row];
        if (used > 0 && used + height > pageHeight) {
            starts.push_back(row);
            used = 0;
        }
        used += height;
    }
    return starts;
}

bool DrawSheet(QPagedPaintDevice& device, const RowSheet& sheet, const SheetHeader& header,
               const exchange::ProgressFn& progress) {
    const qreal top = HeaderHeight(device) + sheet.headHeight();
    // A first pass measures every row, so that each page knows the page count.
    std::vector<qreal> heights(sheet.rowCount());
    for (std::size_t row = 0; row < heights.size(); ++row) heights[row] = sheet.rowHeight(row);
    const std::vector<std::size_t> starts = PageStarts(heights, device.height() - top);
    QPainter painter;
    if (!painter.begin(&device))
        throw std::runtime_error("Die Seiten können nicht gezeichnet werden: Der Drucker oder "
                                 "die Datei nimmt sie nicht an.");
    painter.setRenderHint(QPainter::Antialiasing);
    const int pages = int(starts.size());
    for (int page = 0; page < pages; ++page) {
        if (page > 0) device.newPage();
        DrawHeader(painter, header, page + 1, pages);
        painter.save();
        sheet.drawHead(painter, QRectF(0, HeaderHeight(device), device.width(), sheet.headHeight()));
        painter.restore();
        const std::size_t end = page + 1 < pages ? starts[page + 1] : sheet.rowCount();
        qreal y = top;
        for (std::size_t row = starts[page]; row < end; ++row) {
            const QRectF box(0, y, device.width(), heights[row]);
            painter.save();
            // The rules on the row's edges stay whole; nothing else leaves the row.
            const qreal edge = 0.5 * PerMm(device);
            painter.setClipRect(box.adjusted(-edge, -edge, edge, edge));
            sheet.drawRow(painter, row, box);
            painter.restore();
            y += box.height();
            if (!exchange::Proceed(progress, std::int64_t(row + 1))) {
                painter.end();
                return false;
            }
        }
    }
    painter.end();
    return true;
}

}  // namespace morvanta::print
