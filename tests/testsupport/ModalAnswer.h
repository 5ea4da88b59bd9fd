#pragma once

#include <QtWidgets>

// Answers the next modal window of type T (any, by default) from a timer, since a modal exec()
// blocks the test; waits for it to show, so a modal of another type that is still closing does
// not count. Gives up after attemptsLeft tries of 10 ms. Deleting the answer it returns cancels
// it, so that an answer never needed does not answer a later test's window. (Each try passes
// the pending answer on; the first makes it.)
template <typename T = QWidget, typename Action>
QPointer<QObject> answerNextModal(Action action, int attemptsLeft = 300, QObject *pending = new QObject(qApp))
{
    QTimer::singleShot(10, pending, [pending, action = std::move(action), attemptsLeft]() mutable {
        T *modal = qobject_cast<T *>(QApplication::activeModalWidget());
        const bool shown = modal && modal->isVisible();
        if (!shown && attemptsLeft > 0) {
            answerNextModal<T>(std::move(action), attemptsLeft - 1, pending);
            return;
        }
        pending->deleteLater();
        if (shown)
            action(modal);
    });
    return pending;
}

// The top-level windows of type T on show now.
template <typename T>
QList<T *> windowsOnShow()
{
    QList<T *> found;
    for (QWidget *window : QApplication::topLevelWidgets())
        if (auto *t = qobject_cast<T *>(window); t && t->isVisible())
            found.append(t);
    return found;
}

// While alive, records every top-level window that shows ("Class:title"), and the title and
// text of each message box, which it answers at once with `button`. For tests that must also
// prove that nothing came up.
class ShownWindows : public QObject
{
public:
    explicit ShownWindows(QMessageBox::StandardButton button = QMessageBox::Ok);
    ~ShownWindows() override;

    QStringList shown;
    QStringList titles;
    QStringList texts;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QMessageBox::StandardButton m_button;
};
