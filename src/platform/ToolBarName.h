#pragma once

class QString;
class QToolBar;

// A screen reader names a tool bar, and the button Qt adds to it for the buttons that do not
// fit, by these names; neither has a caption of its own.
void nameToolBar(QToolBar *bar, const QString &name);
