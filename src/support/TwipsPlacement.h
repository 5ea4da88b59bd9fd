#pragma once

#include "Twips.h"

#include <QRect>
#include <QSize>

// Fixed-layout windows keep their controls at design places given in twips.
inline QRect twipsRect(int left, int top, int width, int height)
{
    return QRect(Twips::toPixelsX(left), Twips::toPixelsY(top), Twips::toPixelsX(width),
                 Twips::toPixelsY(height));
}

inline QSize twipsSize(int width, int height)
{
    return QSize(Twips::toPixelsX(width), Twips::toPixelsY(height));
}
