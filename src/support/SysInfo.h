#pragma once

#include <QStringList>

class QWidget;
class Shell;

// The system-information tools tried, in order; the first one found on PATH is started.
QStringList sysInfoTools();

// Starts the first of the tools found on PATH; when none is there, or it cannot be started,
// tells the user "System Information Is Unavailable At This Time".
void StartSysInfo(Shell &shell, QWidget *parent, const QStringList &tools = sysInfoTools());
