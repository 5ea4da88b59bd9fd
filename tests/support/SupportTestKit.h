#pragma once

#include "FError.h"
#include "ModalAnswer.h"

#include <QApplication>
#include <QList>
#include <QTimer>
#include <QWidget>

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
