#include "SysInfo.h"

#include "ProgramIdentity.h"
#include "Shell.h"

#include <QMessageBox>
#include <QStandardPaths>

QStringList sysInfoTools()
{
    // Desktop tools that show the hardware and system at a glance, most specific first.
    return {QStringLiteral("hardinfo2"), QStringLiteral("hardinfo"), QStringLiteral("kinfocenter"),
            QStringLiteral("cpu-x"), QStringLiteral("gnome-system-monitor"),
            QStringLiteral("mate-system-monitor")};
}

void StartSysInfo(Shell &shell, QWidget *parent, const QStringList &tools)
{
    for (const QString &tool : tools) {
        const QString path = QStandardPaths::findExecutable(tool);
        if (path.isEmpty())
            continue;
        if (shell.startProgram(path))
            return;
        break; // a tool that is there but does not start counts as no tool
    }
    QMessageBox box(QMessageBox::NoIcon, ProgramIdentity::title(),
                    QStringLiteral("System Information Is Unavailable At This Time"),
                    QMessageBox::Ok, parent);
    box.exec();
}
