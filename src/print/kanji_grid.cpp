#include "print/kanji_grid.h"

#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <algorithm>

#include "print/sheet_frame.h"

namespace morvanta::print {

namespace {

constexpr qreal kBoxMm = 15;
constexpr qreal kRowGapMm = 3;
constexpr qreal kWordsMinMm = 45;  // the column of words beside the boxes
constexpr qreal kWordsGapMm = 3;
constexpr int kTraceBoxes = 3;
const QColor kTraceGrey(200, 200, 200);
const QColor kGuideGrey(190, 190, 190);
const QColor kBoxGrey(80, 80, 80);

QString CharacterText(char32_t cp) { return QString::fromUcs4(&cp, 1); }

class KanjiGrid : public RowSheet {
public:
    KanjiGrid(QPagedPaintDevice& device, const std::vector<PrintWord>& words,
              const std::vector<KanjiUse>& kanji)
        : device_(device), words_(words), kanji_(kanji), mm_(PerMm(device)) {
        box_ = kBoxMm * mm_;
        boxes_ = std::max(kTraceBoxes + 2,
                          int((device.width() - (kWordsMinMm + kWordsGapMm) * mm_) / box_));
        wordsLeft_ = boxes_ * box_ + kWordsGapMm * mm_;
        model_ = SheetFont(10);
        model_.setFamilies({QStringLiteral("Noto Sans CJK JP")});
        model_.setPixelSize(std::max(1, int(box_ * 0.72)));
        small_ = SheetFont(7);
    }

    std::size_t rowCount() const override { return kanji_.size(); }
    qreal rowHeight(std::size_t) const override { return box_ + kRowGapMm * mm_; }

    void drawRow(QPainter& painter, std::size_t row, const QRectF& area) const override {
        const QString character = CharacterText(kanji_[row].kanji);
        painter.setFont(model_);
        for (int b = 0; b < boxes_; ++b) {
            const QRectF box(b * box_, area.top(), box_, box_);
            drawBox(painter, box);
            if (b > kTraceBoxes) continue;
            painter.setPen(b == 0 ? QColor(Qt::black) : kTraceGrey);
            painter.drawText(box, Qt::AlignCenter, character);
        }
        drawWords(painter, kanji_[row],
                  QRectF(wordsLeft_, area.top(), area.width() - wordsLeft_, box_));
    }

private:
    void drawBox(QPainter& painter, const QRectF& box) const {
        QPen guide(kGuideGrey, 0.15 * mm_, Qt::DashLine);
        painter.setPen(guide);
        painter.drawLine(QPointF(box.center().x(), box.top()), QPointF(box.center().x(), box.bottom()));
        painter.drawLine(QPointF(box.left(), box.center().y()), QPointF(box.right(), box.center().y()));
        painter.setPen(QPen(kBoxGrey, 0.3 * mm_));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(box);
    }

    // One word a line as far as the box's height goes; the rest counted.
    void drawWords(QPainter& painter, const KanjiUse& use, const QRectF& column) const {
        painter.setFont(small_);
        painter.setPen(Qt::black);
        const QFontMetricsF metrics(small_, &device_);
        const int fit = std::max(1, int(column.height() / metrics.lineSpacing()));
        const std::size_t count = use.words.size();
        const std::size_t shown = count <= std::size_t(fit) ? count : std::size_t(fit - 1);
        qreal y = column.top();
        for (std::size_t i = 0; i < shown; ++i, y += metrics.lineSpacing())
            painter.drawText(QPointF(column.left(), y + metrics.ascent()),
                             metrics.elidedText(WordLine(words_[use.words[i]]), Qt::ElideRight,
                                                column.width()));
        if (shown < count)
            painter.drawText(QPointF(column.left(), y + metrics.ascent()),
                             QStringLiteral("… und %1 weitere").arg(count - shown));
    }

    static QString WordLine(const PrintWord& w) {
        QString line = w.kanji;
        if (!w.kana.isEmpty()) line += QStringLiteral(" (") + w.kana + QLatin1Char(')');
        if (!w.translations.isEmpty()) line += QStringLiteral(" – ") + w.translations.first();
        return line;
    }

    QPagedPaintDevice& device_;
    const std::vector<PrintWord>& words_;
    const std::vector<KanjiUse>& kanji_;
    qreal mm_;
    qreal box_ = 0;
    int boxes_ = 0;
    qreal wordsLeft_ = 0;
    QFont model_;
    QFont small_;
};

}  // namespace

QPageLayout KanjiGridLayout() { return A4Layout(QPageLayout::Portrait); }

QString KanjiGridTitle() { return QStringLiteral("Kanji-Schreibblatt"); }

bool DrawKanjiGrid(QPagedPaintDevice& device, const std::vector<PrintWord>& words,
                   const std::vector<KanjiUse>& kanji, const QString& date,
                   const exchange::ProgressFn& progress) {
    const KanjiGrid grid(device, words, kanji);
    return DrawSheet(device, grid,
                     {KanjiGridTitle(), date,
                      WordCount(words.size()) + QStringLiteral(", %1 Kanji").arg(kanji.size())},
                     progress);
}

}  // namespace morvanta::print
