#pragma once

#include <QtWidgets>
#include <QtTest/qtestspontaneevent.h>

// Closes a top-level window the way its title bar's close box does: a spontaneous close event
// (the window system's), then hidden (and deleted, if it asks for that) unless it refused.
// Returns whether the window accepted the close.
inline bool closeFromTitleBar(QWidget *window)
{
    QPointer<QWidget> guard(window);
    QCloseEvent event;
    QSpontaneKeyEvent::setSpontaneous(&event);
    // notify() rather than sendEvent(), which would clear the spontaneous mark.
    qApp->notify(window, &event);
    if (!event.isAccepted() || !guard)
        return false;
    if (!guard->isHidden())
        guard->hide();
    if (guard->testAttribute(Qt::WA_DeleteOnClose))
        guard->deleteLater();
    return true;
}
