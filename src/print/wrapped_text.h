#pragma once
// Text wrapped into a column of a printed sheet: measured and drawn by the same
// layout, so a row is exactly as tall as was counted when the pages were split.

#include <QFont>
#include <QString>

class QPainter;
class QPaintDevice;
class QPointF;

namespace morvanta::print {

// What a cell prints: the whole text in `font`, or, where even the smallest
// size leaves it too long, its beginning ending in "…".
struct FittedText {
    QString text;
    QFont font;
    int maxLines = 0;
};

// The text in `font` when it fits in `maxLines` lines; else in the largest
// smaller size, down to `smallestPoints`, at which it fits in the height of
// those lines; else at that size, cut to the lines that height holds, the last
// one ending in "…". Nothing of a text is dropped without the "…".
FittedText FitText(const QString& text, const QFont& font, qreal width, int maxLines,
                   qreal smallestPoints, QPaintDevice* device);

// Height of the text wrapped to `width` on `device`, at most `maxLines` lines.
qreal WrappedHeight(const QString& text, const QFont& font, qreal width, int maxLines,
                    QPaintDevice* device);
// Draws those lines with their top left at `at`.
void DrawWrapped(QPainter& painter, const QString& text, const QFont& font, qreal width,
                 int maxLines, const QPointF& at);

}  // namespace morvanta::print
