#include "platform/link_label.h"

#include <QEvent>
#include <QMouseEvent>
#include <utility>

#include "platform/fonts.h"

namespace morvanta::platform {

LinkLabel::LinkLabel(const QString& address, QWidget* page) : QLabel(address, page) {
    QFont font = UiFont(12);
    font.setUnderline(true);
    setFont(font);
    QPalette pal = palette();
    pal.setColor(QPalette::WindowText, Qt::blue);
    setPalette(pal);
    setCursor(Qt::PointingHandCursor);
    adjustSize();
    page->installEventFilter(this);
    place();
}

bool LinkLabel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == parentWidget() && (event->type() == QEvent::Resize || event->type() == QEvent::Show))
        place();
    return QLabel::eventFilter(watched, event);
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    // A double click is one action: its first release acted already.
    if (std::exchange(swallowRelease_, false)) return;
    emit clicked();
}

void LinkLabel::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) swallowRelease_ = true;
}

void LinkLabel::place() {
    const QWidget* page = parentWidget();
    move(page->width() - width() - kRightGap, page->height() - height() - kBottomGap);
}

}  // namespace morvanta::platform
