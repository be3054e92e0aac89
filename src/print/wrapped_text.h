#pragma once
// Text wrapped into a column of a printed sheet: measured and drawn by the same
// layout, so a row is exactly as tall as was counted when the pages were split.

#include <QFont>
#include <QString>

class QPainter;
class QPaintDevice;
class QPointF;

namespace morvanta::print {

// Height of the text wrapped to `width` on `device`, at most `maxLines` lines.
qreal WrappedHeight(const QString& text, const QFont& font, qreal width, int maxLines,
                    QPaintDevice* device);
// Draws those lines with their top left at `at`.
void DrawWrapped(QPainter& painter, const QString& text, const QFont& font, qreal width,
                 int maxLines, const QPointF& at);

}  // namespace morvanta::print
