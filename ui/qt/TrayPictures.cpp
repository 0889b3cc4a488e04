#include "ui/qt/TrayPictures.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace brannock_qt {
namespace {

// Two arrows chasing each other round a disc: green while syncing, grey while it is off.
QPixmap DrawPicture(bool on, int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 16.0, size / 16.0);

    painter.setPen(QPen(QColor(0x20, 0x20, 0x20), 0.8));
    painter.setBrush(on ? QColor(0x2e, 0x9e, 0x44) : QColor(0x9a, 0x9a, 0x9a));
    painter.drawEllipse(QRectF(0.5, 0.5, 15, 15));

    painter.setPen(QPen(Qt::white, 1.6, Qt::SolidLine, Qt::RoundCap));
    painter.setBrush(Qt::NoBrush);
    const QRectF ring(4, 4, 8, 8);
    painter.drawArc(ring, 20 * 16, 140 * 16);
    painter.drawArc(ring, 200 * 16, 140 * 16);

    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    // The arrow heads at the ends of the two arcs.
    const auto drawHead = [&painter](QPointF a, QPointF b, QPointF c) {
        QPainterPath head;
        head.moveTo(a);
        head.lineTo(b);
        head.lineTo(c);
        head.closeSubpath();
        painter.drawPath(head);
    };
    drawHead({2.6, 7.0}, {5.6, 7.0}, {4.1, 9.2});
    drawHead({13.4, 9.0}, {10.4, 9.0}, {11.9, 6.8});
    return pixmap;
}

}  // namespace

QIcon SyncPicture(bool on) {
    QIcon icon;
    for (int size : {16, 32, 64}) {
        icon.addPixmap(DrawPicture(on, size));
    }
    return icon;
}

}  // namespace brannock_qt
