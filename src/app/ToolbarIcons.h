#pragma once

#include "ImageList.h"

#include <QIcon>

// The program's own pictures, drawn at run time so they scale with the screen.
namespace ToolbarIcons {

enum class Look { Cold, Hot };

// The seven navigation buttons, in button order (Back ... Toolbar).
ImageList navigationImages(Look look, int size);
ImageList snipeImages(Look look, int size);

// Normal image, with the hot one shown while the pointer is over the button.
QIcon coldHotIcon(const QPixmap &cold, const QPixmap &hot);

} // namespace ToolbarIcons
