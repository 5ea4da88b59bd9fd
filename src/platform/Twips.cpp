#include "Twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <QtMath>

namespace Twips {

int toPixels(double twips, double dpi)
{
    return qRound(twips * dpi / kPerInch);
}

double fromPixels(int pixels, double dpi)
{
    return dpi > 0 ? pixels * kPerInch / dpi : 0.0;
}

QRect rect(int left, int top, int width, int height)
{
    return QRect(toPixelsX(left), toPixelsY(top), toPixelsX(qMax(0, width)), toPixelsY(qMax(0, height)));
}

static QScreen *primaryScreen()
{
    return qobject_cast<QGuiApplication *>(QCoreApplication::instance())
               ? QGuiApplication::primaryScreen()
               : nullptr;
}

double logicalDpiX()
{
    QScreen *screen = primaryScreen();
    return screen ? screen->logicalDotsPerInchX() : 96.0;
}

double logicalDpiY()
{
    QScreen *screen = primaryScreen();
    return screen ? screen->logicalDotsPerInchY() : 96.0;
}

} // namespace Twips
