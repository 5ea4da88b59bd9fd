#include "FMain.h"

#include "EditCommands.h"
#include "FToolbar.h"
#include "ToolbarIcons.h"

#include <QAction>

#include <memory>

void FMain::connectEditCommands()
{
    editCommands = new EditCommands(this, [this] { return tabIndex(); }, brwSnipe, brwAuction, this);
    connect(mnuFilePrint, &QAction::triggered, editCommands, &EditCommands::print);
    connect(mnuEditCut, &QAction::triggered, editCommands, &EditCommands::cut);
    connect(mnuEditCopy, &QAction::triggered, editCommands, &EditCommands::copy);
    connect(mnuEditPaste, &QAction::triggered, editCommands, &EditCommands::paste);
    connect(mnuEditFind, &QAction::triggered, editCommands, &EditCommands::find);
    connect(mnuToolsToolbar, &QAction::triggered, this, &FMain::ShowFloatingToolbar);
}

void FMain::ShowFloatingToolbar()
{
    auto toolbar = std::make_unique<FToolbar>(
        ToolbarIcons::coldHotIcon(imlSnipeCold.image(1), imlSnipeHot.image(1)));

    // The window comes back where it was and as it was (maximized, say), whatever the
    // window manager would do with a window that shows again.
    const QByteArray placement = saveGeometry();
    const Qt::WindowStates state = windowState();
    hide();
    toolbar->exec();
    QWidget::restoreGeometry(placement);
    setWindowState(state);
    show();
    activateWindow();

    const QString sItemNumber = toolbar->ItemNumber();
    const bool bCancelled = toolbar->Cancelled();
    toolbar.reset();
    // Only Snipe! sets a number (never an empty one); a toolbar closed some other way, as
    // when the session ends, snipes nothing.
    if (!bCancelled && !sItemNumber.isEmpty())
        SnipeItem(sItemNumber);
}
