#include "ModalAnswer.h"

ShownWindows::ShownWindows(QMessageBox::StandardButton button)
    : m_button(button)
{
    qApp->installEventFilter(this);
}

ShownWindows::~ShownWindows()
{
    qApp->removeEventFilter(this);
}

bool ShownWindows::eventFilter(QObject *watched, QEvent *event)
{
    auto *window = qobject_cast<QWidget *>(watched);
    if (event->type() != QEvent::Show || !window || !window->isWindow())
        return false;
    shown.append(QString::fromLatin1(window->metaObject()->className()) + QLatin1Char(':')
                 + window->windowTitle());
    if (auto *box = qobject_cast<QMessageBox *>(window)) {
        titles.append(box->windowTitle());
        texts.append(box->text());
        // A box without that button is ended with it as its answer, as Esc would.
        QTimer::singleShot(0, box, [box, button = m_button] {
            QAbstractButton *pressed = box->button(button);
            pressed ? pressed->click() : box->done(button);
        });
    }
    return false;
}
