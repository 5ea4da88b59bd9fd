#pragma once

#include "Shell.h"

#include <QtWidgets>

// Records what the program asked the desktop to open or start; opens nothing.
class RecordingShell : public Shell
{
public:
    bool open(const QString &target) override
    {
        opened.append(target);
        return result;
    }
    bool startProgram(const QString &program, const QStringList &arguments = {}) override
    {
        started.append({program, arguments});
        return result;
    }

    QStringList opened;
    QList<QPair<QString, QStringList>> started;
    bool result = true; // what the "desktop" answers
};
