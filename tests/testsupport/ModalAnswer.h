#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <QWidget>

#include <functional>

// Answers the next modal window (message box or dialog) from a timer, since a modal exec()
// blocks the test. The action gets the modal widget; poll until one shows (or give up).
inline void answerNextModal(std::function<void(QWidget *)> action, int attemptsLeft = 200)
{
    QTimer::singleShot(10, qApp, [action = std::move(action), attemptsLeft]() mutable {
        if (QWidget *modal = QApplication::activeModalWidget()) {
            action(modal);
            return;
        }
        if (attemptsLeft > 0)
            answerNextModal(std::move(action), attemptsLeft - 1);
    });
}

// Presses a message box button by its standard role and remembers the box's text.
inline void answerNextMessageBox(QMessageBox::StandardButton button, QString *text = nullptr,
                                 QString *title = nullptr)
{
    answerNextModal([button, text, title](QWidget *modal) {
        auto *box = qobject_cast<QMessageBox *>(modal);
        if (!box)
            return;
        if (text)
            *text = box->text();
        if (title)
            *title = box->windowTitle();
        if (QAbstractButton *b = box->button(button))
            b->click();
        else
            box->done(button);
    });
}
