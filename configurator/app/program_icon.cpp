#include "program_icon.h"

#include <QPainter>
#include <QPixmap>

namespace veldar {
namespace {

QPixmap drawn(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 32.0, size / 32.0);
    const QRectF tank(5, 3, 22, 26);
    p.setPen(QPen(QColor(40, 60, 110), 2));
    p.setBrush(QColor(235, 240, 250));
    p.drawRoundedRect(tank, 4, 4);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(70, 130, 200));
    p.drawRoundedRect(QRectF(6.5, 14, 19, 13.5), 3, 3);
    p.setPen(QPen(QColor(200, 40, 40), 2));
    p.drawLine(QPointF(16, 6), QPointF(16, 24));
    return pixmap;
}

}  // namespace

QIcon programIcon() {
    QIcon icon;
    for (int size : {16, 32, 48, 64}) icon.addPixmap(drawn(size));
    return icon;
}

}  // namespace veldar
