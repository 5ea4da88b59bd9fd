#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>

// The program's pictures are SVG files compiled in. They are drawn at the size and scale
// they are shown at, so they stay sharp on any screen.
namespace Pictures {

// The picture drawn size x size logical pixels for a screen of the given pixel ratio.
QPixmap pixmap(const QString &svgFile, int size, qreal devicePixelRatio);

// Shows svgFile normally and otherFile in otherMode (Active: under the pointer, Selected).
QIcon icon(const QString &svgFile, const QString &otherFile = QString(),
           QIcon::Mode otherMode = QIcon::Active);

// The program's own icon: the windows' and the desktop entry's.
QIcon applicationIcon();

} // namespace Pictures
