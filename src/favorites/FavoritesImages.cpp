#include "FavoritesImages.h"

#include <QHash>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace FavoritesImages {

namespace {
const QColor kFolderFill(0xF2, 0xC9, 0x4C);
const QColor kFolderEdge(0x9A, 0x74, 0x10);

void drawFolder(QPainter &p, bool open)
{
    p.setPen(kFolderEdge);
    p.setBrush(kFolderFill.darker(110));
    p.drawRect(QRectF(1.5, 3.5, 5, 2));  // tab
    p.drawRect(QRectF(1.5, 4.5, 13, 9)); // back
    if (open) {
        QPainterPath front;
        front.moveTo(1.5, 13.5);
        front.lineTo(4.5, 7.5);
        front.lineTo(15.5, 7.5);
        front.lineTo(12.5, 13.5);
        front.closeSubpath();
        p.setBrush(kFolderFill.lighter(115));
        p.drawPath(front);
    } else {
        p.setBrush(kFolderFill);
        p.drawRect(QRectF(1.5, 6.5, 13, 7));
    }
}

void drawStar(QPainter &p)
{
    QPainterPath star;
    const QPointF centre(8, 8.5);
    for (int i = 0; i < 10; ++i) {
        const double radius = i % 2 == 0 ? 7.2 : 3.0;
        const double angle = -M_PI / 2 + i * M_PI / 5;
        const QPointF point(centre.x() + radius * std::cos(angle), centre.y() + radius * std::sin(angle));
        i == 0 ? star.moveTo(point) : star.lineTo(point);
    }
    star.closeSubpath();
    p.setPen(QColor(0xB0, 0x80, 0x00));
    p.setBrush(QColor(0xFF, 0xD2, 0x2E));
    p.drawPath(star);
}

void drawShortcut(QPainter &p)
{
    p.setPen(QColor(0x70, 0x70, 0x70));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(2.5, 0.5, 10, 14)); // page
    p.setPen(QColor(0x1C, 0x5F, 0xB8));
    p.setBrush(QColor(0x5A, 0x9B, 0xE8));
    p.drawEllipse(QRectF(5.5, 5.5, 9, 9)); // globe
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(8, 5.5, 4, 9));
    p.drawLine(QPointF(5.5, 10), QPointF(14.5, 10));
}
} // namespace

QPixmap pixmap(int index)
{
    QPixmap pix(16, 16);
    pix.fill(Qt::transparent);
    QPainter p(&pix);
    p.setRenderHint(QPainter::Antialiasing);
    switch (index) {
    case 1: drawFolder(p, false); break;
    case 2: drawFolder(p, true); break;
    case 3: drawStar(p); break;
    case 4: drawShortcut(p); break;
    default: break;
    }
    return pix;
}

QIcon icon(int image, int selectedImage)
{
    static QHash<int, QIcon> cache;
    const int key = image * 16 + selectedImage;
    auto it = cache.find(key);
    if (it == cache.end()) {
        QIcon made;
        made.addPixmap(pixmap(image), QIcon::Normal);
        made.addPixmap(pixmap(selectedImage), QIcon::Selected);
        it = cache.insert(key, made);
    }
    return *it;
}

} // namespace FavoritesImages
