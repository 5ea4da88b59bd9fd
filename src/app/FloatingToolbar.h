#pragma once

#include <QString>

class QIcon;
class QWidget;

// The floating toolbar stands in for the main window: the window hides while it shows and
// comes back where and as it was. Returns the item number to snipe, or the empty string.
QString runFloatingToolbar(QWidget *mainWindow, const QIcon &snipeIcon);
