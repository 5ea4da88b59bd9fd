#include "SnipeButtonImages.h"

#include <QPainter>
#include <QPainterPath>

namespace {

QPixmap drawTarget(int size, const QColor &ring, const QColor &centre)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);

    const qreal s = size;
    const QPointF middle(s / 2, s / 2);
    const qreal pen = qMax<qreal>(1.0, s / 12);

    painter.setPen(QPen(ring, pen));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(middle, s * 0.36, s * 0.36);
    painter.drawEllipse(middle, s * 0.18, s * 0.18);

    // Cross-hair lines that stop short of the centre.
    const qreal inner = s * 0.10;
    const qreal outer = s * 0.48;
    painter.drawLine(QPointF(middle.x(), middle.y() - outer), QPointF(middle.x(), middle.y() - inner));
    painter.drawLine(QPointF(middle.x(), middle.y() + inner), QPointF(middle.x(), middle.y() + outer));
    painter.drawLine(QPointF(middle.x() - outer, middle.y()), QPointF(middle.x() - inner, middle.y()));
    painter.drawLine(QPointF(middle.x() + inner, middle.y()), QPointF(middle.x() + outer, middle.y()));

    painter.setPen(Qt::NoPen);
    painter.setBrush(centre);
    painter.drawEllipse(middle, s * 0.07, s * 0.07);
    return pixmap;
}

} // namespace

namespace SnipeButtonImages {

QPixmap cold(int size)
{
    return drawTarget(size, QColor(0x3a, 0x55, 0x7a), QColor(0x3a, 0x55, 0x7a));
}

QPixmap hot(int size)
{
    return drawTarget(size, QColor(0xd8, 0x3a, 0x12), QColor(0xf5, 0xa6, 0x23));
}

QIcon icon()
{
    QIcon result;
    for (int size : {16, 24, 32}) {
        result.addPixmap(cold(size), QIcon::Normal);
        result.addPixmap(hot(size), QIcon::Active);
    }
    return result;
}

} // namespace SnipeButtonImages
