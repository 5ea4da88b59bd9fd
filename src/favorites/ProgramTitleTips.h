#pragma once

#include "ProgramIdentity.h"

#include <QWidget>

// A Designer file cannot call ProgramIdentity, so its tool tips say "%1" where the program's
// title belongs; the window fills it in after setupUi.
inline void insertProgramTitle(QWidget *window)
{
    for (QWidget *child : window->findChildren<QWidget *>()) {
        if (child->toolTip().contains(u"%1"))
            child->setToolTip(child->toolTip().arg(ProgramIdentity::title()));
    }
}
