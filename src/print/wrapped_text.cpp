#include "print/wrapped_text.h"

#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>
#include <limits>
#include <QTextLayout>
#include <QTextOption>

namespace morvanta::print {

namespace {

// Lays out at most maxLines lines; a word wider than the column breaks anywhere.
qreal Layout(QTextLayout& layout, qreal width, int maxLines) {
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.setCacheEnabled(true);
    layout.beginLayout();
    qreal y = 0;
    for (int n = 0; n < maxLines; ++n) {
        QTextLine line = layout.createLine();
        if (!line.isValid()) break;
        line.setLineWidth(width);
        line.setPosition(QPointF(0, y));
        y += line.height();
    }
    layout.endLayout();
    return y;
}

struct Laid {
    qreal height = 0;
    int lines = 0;
    int end = 0;  // where the text laid out ends
};

// Lays the whole text out, however many lines it takes.
Laid LayAll(const QString& text, const QFont& font, qreal width, QPaintDevice* device) {
    QTextLayout layout(text, font, device);
    Laid laid;
    laid.height = Layout(layout, width, std::numeric_limits<int>::max());
    laid.lines = layout.lineCount();
    if (laid.lines > 0) {
        const QTextLine last = layout.lineAt(laid.lines - 1);
        laid.end = last.textStart() + last.textLength();
    }
    return laid;
}

}  // namespace

FittedText FitText(const QString& text, const QFont& font, qreal width, int maxLines,
                   qreal smallestPoints, QPaintDevice* device) {
    Laid laid = LayAll(text, font, width, device);
    if (laid.lines <= maxLines) return {text, font, maxLines};
    const qreal room = WrappedHeight(text, font, width, maxLines, device);
    QFont smaller = font;
    for (qreal points = font.pointSizeF() - 0.5; points >= smallestPoints; points -= 0.5) {
        smaller.setPointSizeF(points);
        laid = LayAll(text, smaller, width, device);
        if (laid.height <= room) return {text, smaller, laid.lines};
    }
    // Still too long: as many lines as the height holds, the last ending in "…".
    smaller.setPointSizeF(smallestPoints);
    const QString ellipsis = QStringLiteral("…");
    int lines = std::max(1, static_cast<int>(room / QFontMetricsF(smaller, device).lineSpacing()));
    QString cut = text;
    for (int keep = static_cast<int>(text.size()); keep > 0; keep -= std::max(1, keep / 20)) {
        cut = text.left(keep).trimmed() + ellipsis;
        if (LayAll(cut, smaller, width, device).lines <= lines) break;
    }
    return {cut, smaller, lines};
}

qreal WrappedHeight(const QString& text, const QFont& font, qreal width, int maxLines,
                    QPaintDevice* device) {
    QTextLayout layout(text, font, device);
    return Layout(layout, width, maxLines);
}

void DrawWrapped(QPainter& painter, const QString& text, const QFont& font, qreal width,
                 int maxLines, const QPointF& at) {
    QTextLayout layout(text, font, painter.device());
    Layout(layout, width, maxLines);
    layout.draw(&painter, at);
}

}  // namespace morvanta::print
