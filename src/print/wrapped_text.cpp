#include "print/wrapped_text.h"

#include <QPainter>
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

}  // namespace

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
