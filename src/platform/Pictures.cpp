#include "Pictures.h"

#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

// A static library's resources are registered only when something asks for them.
static void initPlatformPictures()
{
    Q_INIT_RESOURCE(platform_pictures);
}

namespace Pictures {

QPixmap pixmap(const QString &svgFile, int size, qreal devicePixelRatio)
{
    QImage image(QSize(size, size) * devicePixelRatio, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QSvgRenderer renderer(svgFile);
    QPainter painter(&image);
    renderer.render(&painter);
    painter.end();
    image.setDevicePixelRatio(devicePixelRatio);
    return QPixmap::fromImage(image);
}

QIcon icon(const QString &svgFile, const QString &otherFile, QIcon::Mode otherMode)
{
    // Qt's SVG icon engine draws each mode from its own file at whatever size is asked for.
    QIcon made;
    made.addFile(svgFile, QSize(), QIcon::Normal);
    if (!otherFile.isEmpty())
        made.addFile(otherFile, QSize(), otherMode);
    return made;
}

QIcon applicationIcon()
{
    static const bool registered = (initPlatformPictures(), true);
    Q_UNUSED(registered);
    return icon(QStringLiteral(":/icons/bidbench.svg"));
}

} // namespace Pictures
