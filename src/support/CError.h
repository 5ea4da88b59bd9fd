#pragma once

#include <QString>

class Shell;

// The error reporter: every Alert opens one more independent error window.
class CError
{
public:
    CError(QString supportAddress, Shell &shell);

    // Opens a new, topmost, modeless error window with the report text and returns at once.
    void Alert(const QString &sDescription);

private:
    QString m_supportAddress;
    Shell &m_shell;
};
