#include "StarFrames.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QtMath>

namespace {

QPainterPath starPath(QPointF centre, qreal outer, qreal inner)
{
    QPainterPath path;
    for (int i = 0; i < 10; ++i) {
        const qreal radius = (i % 2 == 0) ? outer : inner;
        const qreal angle = -M_PI / 2 + i * M_PI / 5;
        const QPointF point(centre.x() + radius * qCos(angle), centre.y() + radius * qSin(angle));
        if (i == 0)
            path.moveTo(point);
        else
            path.lineTo(point);
    }
    path.closeSubpath();
    return path;
}

} // namespace

StarFrames::StarFrames()
{
    for (int index = 1; index <= kFrameCount; ++index) {
        m_large.append(draw(kLargeSize, index));
        m_small.append(draw(kSmallSize, index));
    }
}

QPixmap StarFrames::draw(int size, int index)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);

    const QPointF centre(size / 2.0, size / 2.0);
    const qreal outer = size * 0.46;
    const QPainterPath star = starPath(centre, outer, outer * 0.42);

    const bool resting = index == kRestingFrame;
    painter.setPen(QPen(QColor(0x8a, 0x5a, 0x00), qMax<qreal>(1.0, size / 22.0)));
    painter.setBrush(resting ? QColor(0xf2, 0xb8, 0x1b) : QColor(0xff, 0xd8, 0x4a));
    painter.drawPath(star);

    if (!resting) {
        // A glint travels one seventh of the way round the star per frame.
        const qreal angle = -M_PI / 2 + (index - 1) * 2 * M_PI / 7;
        const qreal reach = outer * 0.6;
        const QPointF spot(centre.x() + reach * qCos(angle), centre.y() + reach * qSin(angle));
        const qreal glowRadius = size * 0.34;
        QRadialGradient glow(spot, glowRadius);
        glow.setColorAt(0.0, QColor(255, 255, 255, 255));
        glow.setColorAt(0.45, QColor(255, 250, 190, 170));
        glow.setColorAt(1.0, QColor(255, 255, 255, 0));
        painter.save();
        painter.setClipPath(star);
        painter.setPen(Qt::NoPen);
        painter.setBrush(glow);
        painter.drawEllipse(spot, glowRadius, glowRadius);
        painter.restore();

        const qreal arm = size * 0.2;
        const qreal waist = size * 0.035;
        QPainterPath twinkle;
        twinkle.moveTo(spot.x(), spot.y() - arm);
        twinkle.lineTo(spot.x() + waist, spot.y() - waist);
        twinkle.lineTo(spot.x() + arm, spot.y());
        twinkle.lineTo(spot.x() + waist, spot.y() + waist);
        twinkle.lineTo(spot.x(), spot.y() + arm);
        twinkle.lineTo(spot.x() - waist, spot.y() + waist);
        twinkle.lineTo(spot.x() - arm, spot.y());
        twinkle.lineTo(spot.x() - waist, spot.y() - waist);
        twinkle.closeSubpath();
        painter.setPen(QPen(QColor(200, 140, 0, 160), 0.6));
        painter.setBrush(Qt::white);
        painter.drawPath(twinkle);
    }
    painter.end();
    return QPixmap::fromImage(image);
}
