#include "ShortcutPriority.h"

#include <QApplication>
#include <QKeyEvent>

ShortcutPriority::ShortcutPriority(QWidget *window, const QKeySequence &keys)
    : QObject(window)
    , m_window(window)
    , m_keys(keys)
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
    if (event->type() != QEvent::ShortcutOverride || !m_window)
        return false;
    auto *widget = qobject_cast<QWidget *>(watched);
    if (!widget || widget->window() != m_window)
        return false;
    auto *key = static_cast<QKeyEvent *>(event);
    if (QKeySequence(key->keyCombination()) != m_keys)
        return false;
    // Handled but not accepted: no control claims the keys, so the shortcut map takes them.
    event->ignore();
    return true;
}
