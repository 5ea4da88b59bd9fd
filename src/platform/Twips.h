#pragma once

#include <QRect>

// Window geometry is stored and laid out in twips (1/1440 inch); widgets take pixels.
namespace Twips {

constexpr double kPerInch = 1440.0;

int toPixels(double twips, double dpi);
double fromPixels(int pixels, double dpi);

// The primary screen's logical DPI (96 when there is no screen).
double logicalDpiX();
double logicalDpiY();

inline int toPixelsX(double twips) { return toPixels(twips, logicalDpiX()); }
inline int toPixelsY(double twips) { return toPixels(twips, logicalDpiY()); }
inline double fromPixelsX(int pixels) { return fromPixels(pixels, logicalDpiX()); }
inline double fromPixelsY(int pixels) { return fromPixels(pixels, logicalDpiY()); }

// A place given in twips, in pixels; a negative width or height makes it empty.
QRect rect(int left, int top, int width, int height);

} // namespace Twips
