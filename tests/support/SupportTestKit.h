#pragma once

#include "FError.h"

#include <QApplication>
#include <QList>
#include <QTimer>
#include <QWidget>

#include <functional>

// Answers the next modal window of type T from a timer, waiting for it to show: a modal window
// of another type that is still closing does not count.
template <typename T>
void answerModalOfType(std::function<void(T *)> action, int attemptsLeft = 300)
{
    QTimer::singleShot(10, qApp, [action = std::move(action), attemptsLeft]() mutable {
        T *modal = qobject_cast<T *>(QApplication::activeModalWidget());
        if (modal && modal->isVisible()) {
            action(modal);
            return;
        }
        if (attemptsLeft > 0)
            answerModalOfType<T>(std::move(action), attemptsLeft - 1);
    });
}

// The error windows that are up now, oldest first.
inline QList<FError *> openErrorWindows()
{
    QList<FError *> windows;
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (auto *error = qobject_cast<FError *>(w); error && error->isVisible())
            windows.append(error);
    }
    return windows;
}

inline void closeAllErrorWindows()
{
    for (FError *w : openErrorWindows())
        w->close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Records every top-level window that shows while it exists ("Class:title"), and closes each
// one at once if asked, so that a window that should not appear neither hangs the test nor
// goes unnoticed.
class ShownWindows : public QObject
{
public:
    explicit ShownWindows(bool closeThem = false)
        : m_closeThem(closeThem)
    {
        qApp->installEventFilter(this);
    }
    ~ShownWindows() override { qApp->removeEventFilter(this); }

    QStringList shown;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show) {
            auto *w = qobject_cast<QWidget *>(watched);
            if (w && w->isWindow()) {
                shown.append(QString::fromLatin1(w->metaObject()->className()) + QLatin1Char(':')
                             + w->windowTitle());
                if (m_closeThem)
                    QTimer::singleShot(0, w, &QWidget::close);
            }
        }
        return false;
    }

private:
    bool m_closeThem;
};
