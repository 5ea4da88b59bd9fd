#pragma once

#include <QObject>
#include <QPointer>

class QAction;
class QWidget;

// Lets a window's menu shortcut win over the focused control's own use of the same keys
// anywhere inside the window, as menu accelerators do on other desktops: a text box would
// otherwise take Ctrl+Z as its undo, and a web page as its editing command, and the menu item
// would never see the keys. While the item is disabled the control keeps the keys.
class ShortcutPriority : public QObject
{
    Q_OBJECT

public:
    ShortcutPriority(QWidget *window, QAction *action);
    ~ShortcutPriority() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QPointer<QWidget> m_window;
    QPointer<QAction> m_action;
};
