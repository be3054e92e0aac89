#include "platform/app_icon.h"

#include <QPainter>
#include <QPixmap>

#include "platform/fonts.h"

namespace morvanta::platform {

QIcon AppIcon() {
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(QColor(0xb0, 0x20, 0x30));
    painter.setPen(Qt::NoPen);
    painter.drawRoundedRect(QRectF(1, 1, 30, 30), 6, 6);
    painter.setPen(Qt::white);
    painter.setFont(JapaneseFont(22));
    painter.drawText(QRect(0, 0, 32, 32), Qt::AlignCenter, QString(QChar(0x8A9E)));  // 語
    painter.end();
    return QIcon(pixmap);
}

}  // namespace morvanta::platform
