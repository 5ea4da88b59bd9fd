#include "ShortcutPriority.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

ShortcutPriority::ShortcutPriority(QWidget *window, QAction *action)
    : QObject(window)
    , m_window(window)
    , m_action(action)
{
    // The override query goes to whatever has the focus, which may be a widget the window does
    // not know of (inside a web view), so it is caught on its way through the application.
    qApp->installEventFilter(this);
}

ShortcutPriority::~ShortcutPriority()
{
    qApp->removeEventFilter(this);
}

bool ShortcutPriority::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::ShortcutOverride || !m_window || !m_action || !m_action->isEnabled())
        return false;
    auto *widget = qobject_cast<QWidget *>(watched);
    if (!widget || widget->window() != m_window)
        return false;
    auto *key = static_cast<QKeyEvent *>(event);
    if (!m_action->shortcuts().contains(QKeySequence(key->keyCombination())))
        return false;
    // Handled but not accepted: no control claims the keys, so the shortcut map takes them.
    event->ignore();
    return true;
}
