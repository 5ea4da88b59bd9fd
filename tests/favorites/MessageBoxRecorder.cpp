#include "MessageBoxRecorder.h"

#include <QAbstractButton>
#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QTimer>

MessageBoxRecorder::MessageBoxRecorder(QMessageBox::StandardButton button)
    : m_button(button)
{
    qApp->installEventFilter(this);
}

MessageBoxRecorder::~MessageBoxRecorder()
{
    qApp->removeEventFilter(this);
}

bool MessageBoxRecorder::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Show) {
        if (auto *box = qobject_cast<QMessageBox *>(watched)) {
            titles.append(box->windowTitle());
            texts.append(box->text());
            QPointer<QMessageBox> guard(box);
            const QMessageBox::StandardButton button = m_button;
            QTimer::singleShot(0, box, [guard, button] {
                if (!guard)
                    return;
                if (QAbstractButton *b = guard->button(button))
                    b->click();
                else
                    guard->done(button);
            });
        }
    }
    return QObject::eventFilter(watched, event);
}
