#include "ModalAnswer.h"

#include <QPointer>

ShownWindows::ShownWindows(QMessageBox::StandardButton button, bool closeOthers)
    : m_button(button)
    , m_closeOthers(closeOthers)
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
    QPointer<QWidget> guard(window);
    if (auto *box = qobject_cast<QMessageBox *>(window)) {
        titles.append(box->windowTitle());
        texts.append(box->text());
        QTimer::singleShot(0, box, [box, button = m_button] {
            if (QAbstractButton *b = box->button(button))
                b->click();
            else
                box->done(button);
        });
    } else if (m_closeOthers) {
        QTimer::singleShot(0, window, &QWidget::close);
    }
    return false;
}
