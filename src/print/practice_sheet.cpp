#include "print/practice_sheet.h"

#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <algorithm>
#include <array>

#include "print/sheet_frame.h"
#include "print/wrapped_text.h"

namespace morvanta::print {

namespace {

// Shares of the page width: kanji, kana, Hepburn, translations, three practice cells.
constexpr std::array<qreal, 7> kColumns = {0.14, 0.15, 0.13, 0.25, 0.11, 0.11, 0.11};
constexpr int kTextColumns = 4;
constexpr qreal kPadMm = 1.5;
constexpr qreal kMinRowMm = 13;  // room to write a word by hand
constexpr int kMaxLines = 5;      // a longer text gets smaller type in the same height
constexpr qreal kSmallestPoints = 6;  // still readable on paper; below it "…" ends the text

class PracticeSheet : public RowSheet {
public:
    PracticeSheet(QPagedPaintDevice& device, const std::vector<PrintWord>& words)
        : device_(device), words_(words), mm_(PerMm(device)) {
        qreal x = 0;
        for (std::size_t c = 0; c < kColumns.size(); ++c) {
            left_[c] = x;
            x += kColumns[c] * device.width();
            width_[c] = kColumns[c] * device.width();
        }
    }

    std::size_t rowCount() const override { return words_.size(); }

    qreal rowHeight(std::size_t row) const override {
        qreal text = 0;
        const auto cells = Cells(words_[row]);
        for (int c = 0; c < kTextColumns; ++c) {
            const FittedText fitted = fit(cells[c], c);
            text = std::max(text, WrappedHeight(fitted.text, fitted.font, textWidth(c), fitted.maxLines,
                                                &device_));
        }
        return std::max(text + 2 * kPadMm * mm_, kMinRowMm * mm_);
    }

    void drawRow(QPainter& painter, std::size_t row, const QRectF& box) const override {
        const auto cells = Cells(words_[row]);
        painter.setPen(Qt::black);
        for (int c = 0; c < kTextColumns; ++c) {
            const FittedText fitted = fit(cells[c], c);
            DrawWrapped(painter, fitted.text, fitted.font, textWidth(c), fitted.maxLines,
                        QPointF(left_[c] + kPadMm * mm_, box.top() + kPadMm * mm_));
        }
        drawGrid(painter, box);
    }

    qreal headHeight() const override {
        return QFontMetricsF(SheetFont(8), &device_).height() + 2 * kPadMm * mm_;
    }

    void drawHead(QPainter& painter, const QRectF& box) const override {
        static const std::array<QString, 5> heads = {
            QStringLiteral("Kanji"), QStringLiteral("Kana"), QStringLiteral("Hepburn"),
            QStringLiteral("Übersetzung"), QStringLiteral("Übung")};
        painter.setFont(SheetFont(8, true));
        painter.setPen(Qt::darkGray);
        for (int c = 0; c <= kTextColumns; ++c) {
            const qreal width = c < kTextColumns ? width_[c] : box.width() - left_[c];
            painter.drawText(QRectF(left_[c] + kPadMm * mm_, box.top(), width, box.height()),
                             Qt::AlignLeft | Qt::AlignVCenter, heads[c]);
        }
    }

private:
    static std::array<QString, kTextColumns> Cells(const PrintWord& w) {
        return {w.kanji, w.kana, w.hepburn, w.translations.join(QStringLiteral("; "))};
    }
    static QFont FontOf(int column) { return SheetFont(column < 2 ? 14 : 10); }
    qreal textWidth(int column) const { return width_[column] - 2 * kPadMm * mm_; }
    // A long text gets smaller type rather than losing lines.
    FittedText fit(const QString& text, int column) const {
        return FitText(text, FontOf(column), textWidth(column), kMaxLines, kSmallestPoints, &device_);
    }

    void drawGrid(QPainter& painter, const QRectF& box) const {
        painter.setPen(QPen(QColor(90, 90, 90), 0.25 * mm_));
        painter.setBrush(Qt::NoBrush);
        for (std::size_t c = 0; c < kColumns.size(); ++c)
            painter.drawRect(QRectF(left_[c], box.top(), width_[c], box.height()));
    }

    QPagedPaintDevice& device_;
    const std::vector<PrintWord>& words_;
    qreal mm_;
    std::array<qreal, kColumns.size()> left_{};
    std::array<qreal, kColumns.size()> width_{};
};

}  // namespace

QPageLayout PracticeSheetLayout() { return A4Layout(QPageLayout::Landscape); }

QString PracticeSheetTitle() { return QStringLiteral("Übungsblatt"); }

bool DrawPracticeSheet(QPagedPaintDevice& device, const std::vector<PrintWord>& words,
                       const QString& date, const exchange::ProgressFn& progress) {
    const PracticeSheet sheet(device, words);
    return DrawSheet(device, sheet, {PracticeSheetTitle(), date, WordCount(words.size())},
                     progress);
}

}  // namespace morvanta::print
