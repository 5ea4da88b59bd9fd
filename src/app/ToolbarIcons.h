#pragma once

#include <QIcon>

// The toolbar pictures, each with its hot image shown under the pointer.
namespace ToolbarIcons {

// Navigation button index 1-7 (Back ... Toolbar).
QIcon navigation(int index);
QIcon snipe();

} // namespace ToolbarIcons
