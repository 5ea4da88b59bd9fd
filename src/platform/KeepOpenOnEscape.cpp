#include "KeepOpenOnEscape.h"

#include <QDialog>
#include <QKeyEvent>

namespace {
// Sees the key after the focused control passed it on, before QDialog would reject.
class EscapeFilter : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::KeyPress) {
            auto *key = static_cast<QKeyEvent *>(event);
            if (key->key() == Qt::Key_Escape && key->modifiers() == Qt::NoModifier) {
                key->accept();
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }
};
} // namespace

void keepOpenOnEscape(QDialog *dialog)
{
    dialog->installEventFilter(new EscapeFilter(dialog));
}
