#include "burnet_icon.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace burnet {
namespace {

QPixmap drawn(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 32.0, size / 32.0);
    // The chip with its pins.
    p.setPen(QPen(QColor(150, 150, 150), 1.5));
    for (int i = 0; i < 4; ++i) {
        const double y = 11 + i * 4.5;
        p.drawLine(QPointF(4, y), QPointF(8, y));
        p.drawLine(QPointF(24, y), QPointF(28, y));
    }
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 40, 48));
    p.drawRoundedRect(QRectF(8, 8, 16, 20), 2, 2);
    // The arrow that burns the program in.
    QPainterPath arrow;
    arrow.moveTo(16, 20);
    arrow.lineTo(22, 12);
    arrow.lineTo(18.5, 12);
    arrow.lineTo(18.5, 2);
    arrow.lineTo(13.5, 2);
    arrow.lineTo(13.5, 12);
    arrow.lineTo(10, 12);
    arrow.closeSubpath();
    p.setBrush(QColor(230, 90, 30));
    p.drawPath(arrow);
    return pixmap;
}

}  // namespace

QIcon burnetIcon() {
    QIcon icon;
    for (int size : {16, 32, 48, 64}) icon.addPixmap(drawn(size));
    return icon;
}

}  // namespace burnet
