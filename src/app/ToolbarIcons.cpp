#include "ToolbarIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QtMath>

namespace ToolbarIcons {

namespace {

// Every picture is drawn on a 20 x 20 grid and scaled to the size asked for.
constexpr qreal kGrid = 20.0;

struct Canvas
{
    explicit Canvas(int size)
        : pixmap(size, size)
    {
        pixmap.fill(Qt::transparent);
        painter.begin(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(size / kGrid, size / kGrid);
    }
    QPixmap finish()
    {
        painter.end();
        return pixmap;
    }
    QPixmap pixmap;
    QPainter painter;
};

struct Palette
{
    QColor fill, edge, accent;
};

Palette paletteFor(Look look, const QColor &hotFill, const QColor &hotEdge, const QColor &hotAccent)
{
    if (look == Look::Hot)
        return {hotFill, hotEdge, hotAccent};
    // Resting buttons are drawn in muted greys so the hot one stands out.
    return {QColor(150, 156, 166), QColor(86, 92, 102), QColor(120, 126, 136)};
}

QPolygonF arrow(bool pointsLeft)
{
    QPolygonF p;
    p << QPointF(2, 10) << QPointF(10, 2.5) << QPointF(10, 6.5) << QPointF(18, 6.5)
      << QPointF(18, 13.5) << QPointF(10, 13.5) << QPointF(10, 17.5);
    if (!pointsLeft) {
        for (QPointF &pt : p)
            pt.setX(kGrid - pt.x());
    }
    return p;
}

QPixmap drawArrow(Look look, int size, bool pointsLeft)
{
    Canvas c(size);
    const Palette pal = paletteFor(look, QColor(70, 160, 70), QColor(30, 100, 30), {});
    c.painter.setPen(QPen(pal.edge, 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    c.painter.setBrush(pal.fill);
    c.painter.drawPolygon(arrow(pointsLeft));
    return c.finish();
}

QPixmap drawStop(Look look, int size)
{
    Canvas c(size);
    const Palette pal = paletteFor(look, QColor(214, 48, 40), QColor(140, 20, 16), Qt::white);
    QPolygonF octagon;
    for (int i = 0; i < 8; ++i) {
        const qreal a = qDegreesToRadians(22.5 + 45.0 * i);
        octagon << QPointF(10 + 8.5 * qCos(a), 10 + 8.5 * qSin(a));
    }
    c.painter.setPen(QPen(pal.edge, 1.2));
    c.painter.setBrush(pal.fill);
    c.painter.drawPolygon(octagon);
    c.painter.setPen(QPen(look == Look::Hot ? pal.accent : QColor(235, 235, 235), 2.2, Qt::SolidLine,
                          Qt::RoundCap));
    c.painter.drawLine(QPointF(6.5, 6.5), QPointF(13.5, 13.5));
    c.painter.drawLine(QPointF(13.5, 6.5), QPointF(6.5, 13.5));
    return c.finish();
}

QPixmap drawRefresh(Look look, int size)
{
    Canvas c(size);
    const Palette pal = paletteFor(look, QColor(40, 120, 210), QColor(20, 70, 140), {});
    c.painter.setPen(QPen(pal.fill, 2.6, Qt::SolidLine, Qt::FlatCap));
    c.painter.setBrush(Qt::NoBrush);
    const QRectF ring(3.5, 3.5, 13, 13);
    c.painter.drawArc(ring, 100 * 16, 150 * 16);
    c.painter.drawArc(ring, 280 * 16, 150 * 16);
    c.painter.setPen(Qt::NoPen);
    c.painter.setBrush(pal.edge);
    QPolygonF head1, head2;
    head1 << QPointF(8.0, 0.8) << QPointF(12.5, 3.4) << QPointF(8.0, 6.2);
    head2 << QPointF(12.0, 19.2) << QPointF(7.5, 16.6) << QPointF(12.0, 13.8);
    c.painter.drawPolygon(head1);
    c.painter.drawPolygon(head2);
    return c.finish();
}

QPixmap drawHome(Look look, int size)
{
    Canvas c(size);
    const Palette pal = paletteFor(look, QColor(240, 200, 90), QColor(120, 70, 20), QColor(190, 50, 40));
    QPolygonF roof;
    roof << QPointF(1.5, 10) << QPointF(10, 2) << QPointF(18.5, 10);
    c.painter.setPen(QPen(pal.edge, 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    c.painter.setBrush(pal.fill);
    c.painter.drawRect(QRectF(4.5, 9, 11, 9));
    c.painter.setBrush(pal.accent);
    c.painter.drawPolygon(roof);
    c.painter.setBrush(pal.edge);
    c.painter.drawRect(QRectF(8.5, 12.5, 3, 5.5));
    return c.finish();
}

QPolygonF starShape(const QPointF &centre, qreal outer, qreal inner, qreal rotationDegrees)
{
    QPolygonF star;
    for (int i = 0; i < 10; ++i) {
        const qreal r = (i % 2 == 0) ? outer : inner;
        const qreal a = qDegreesToRadians(rotationDegrees - 90.0 + 36.0 * i);
        star << QPointF(centre.x() + r * qCos(a), centre.y() + r * qSin(a));
    }
    return star;
}

QPixmap drawFavorites(Look look, int size)
{
    Canvas c(size);
    const Palette pal = paletteFor(look, QColor(250, 205, 60), QColor(170, 120, 10), QColor(230, 170, 20));
    c.painter.setPen(QPen(pal.edge, 1.1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    c.painter.setBrush(pal.fill);
    c.painter.drawPolygon(starShape(QPointF(10, 10.8), 9.2, 3.8, 0));
    return c.finish();
}

QPixmap drawToolbar(Look look, int size)
{
    Canvas c(size);
    const Palette pal = paletteFor(look, QColor(245, 245, 250), QColor(50, 70, 120), QColor(60, 110, 200));
    c.painter.setPen(QPen(pal.edge, 1.2));
    c.painter.setBrush(pal.fill);
    c.painter.drawRoundedRect(QRectF(1.5, 5, 17, 10), 1.5, 1.5);
    c.painter.setPen(Qt::NoPen);
    c.painter.setBrush(pal.accent);
    c.painter.drawRect(QRectF(2.1, 5.6, 15.8, 3));
    c.painter.setBrush(pal.edge);
    c.painter.drawRect(QRectF(4, 10.5, 8, 2.5));
    return c.finish();
}

QPixmap drawSnipe(Look look, int size)
{
    Canvas c(size);
    const Palette pal = paletteFor(look, QColor(210, 40, 40), QColor(120, 10, 10), Qt::white);
    c.painter.setPen(QPen(pal.fill, 1.8));
    c.painter.setBrush(Qt::NoBrush);
    c.painter.drawEllipse(QPointF(10, 10), 7.5, 7.5);
    c.painter.drawEllipse(QPointF(10, 10), 3.5, 3.5);
    c.painter.setPen(QPen(pal.edge, 1.4));
    c.painter.drawLine(QPointF(10, 0.5), QPointF(10, 6));
    c.painter.drawLine(QPointF(10, 14), QPointF(10, 19.5));
    c.painter.drawLine(QPointF(0.5, 10), QPointF(6, 10));
    c.painter.drawLine(QPointF(14, 10), QPointF(19.5, 10));
    return c.finish();
}

} // namespace

ImageList navigationImages(Look look, int size)
{
    ImageList list;
    list.add(drawArrow(look, size, true));
    list.add(drawArrow(look, size, false));
    list.add(drawStop(look, size));
    list.add(drawRefresh(look, size));
    list.add(drawHome(look, size));
    list.add(drawFavorites(look, size));
    list.add(drawToolbar(look, size));
    return list;
}

ImageList snipeImages(Look look, int size)
{
    ImageList list;
    list.add(drawSnipe(look, size));
    return list;
}

QIcon coldHotIcon(const QPixmap &cold, const QPixmap &hot)
{
    QIcon icon;
    icon.addPixmap(cold, QIcon::Normal);
    icon.addPixmap(hot, QIcon::Active);
    return icon;
}

} // namespace ToolbarIcons
