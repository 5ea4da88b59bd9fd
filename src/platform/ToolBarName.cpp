#include "ToolBarName.h"

#include <QToolBar>
#include <QToolButton>

void nameToolBar(QToolBar *bar, const QString &name)
{
    bar->setAccessibleName(name);
    if (auto *more = bar->findChild<QToolButton *>(QStringLiteral("qt_toolbar_ext_button")))
        more->setAccessibleName(QStringLiteral("More buttons"));
}
