#pragma once

#include <QIcon>
#include <QPixmap>

// The "Snipe!" button's pictures, drawn rather than shipped: a cross-hair target in a cool
// colour at rest and a hot one under the mouse pointer.
namespace SnipeButtonImages {
QPixmap cold(int size);
QPixmap hot(int size);
// Normal mode shows the cold picture, Active (a raised tool button under the mouse) the hot one.
QIcon icon();
} // namespace SnipeButtonImages
