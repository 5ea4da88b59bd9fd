#include "FloatingToolbar.h"

#include "FToolbar.h"

#include <QWidget>

QString runFloatingToolbar(QWidget *mainWindow, const QIcon &snipeIcon)
{
    // Whatever the window manager would do with a window that shows again, it comes back
    // where it was and as it was (maximized, say).
    const QByteArray placement = mainWindow->saveGeometry();
    const Qt::WindowStates state = mainWindow->windowState();
    QString sItemNumber;
    bool bCancelled = true;
    {
        FToolbar toolbar(snipeIcon);
        mainWindow->hide();
        toolbar.exec();
        sItemNumber = toolbar.ItemNumber();
        bCancelled = toolbar.Cancelled();
    }
    mainWindow->restoreGeometry(placement);
    mainWindow->setWindowState(state);
    mainWindow->show();
    mainWindow->activateWindow();
    // Only Snipe! sets a number; a toolbar closed some other way, as when the session ends,
    // snipes nothing.
    return bCancelled ? QString() : sItemNumber;
}
