#pragma once

#include <QKeySequence>
#include <QObject>
#include <QPointer>
#include <QWidget>

// Lets one window shortcut win over the focused control's own use of the same keys anywhere
// inside the window: a text box would otherwise take Ctrl+Z as its undo, and a web page its
// editing command, and the menu item would never see the keys.
class ShortcutPriority : public QObject
{
    Q_OBJECT

public:
    ShortcutPriority(QWidget *window, const QKeySequence &keys);
    ~ShortcutPriority() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QPointer<QWidget> m_window;
    QKeySequence m_keys;
};
