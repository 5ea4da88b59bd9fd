#pragma once

#include <QString>

class Shell;

// Opens a web page in the user's own browser.
class FWebBrowse
{
public:
    explicit FWebBrowse(Shell &shell) : m_shell(shell) {}

    // Hands sURL to the desktop when it is an http or https address; anything else (a local
    // file, a program, another scheme) is refused, since the address may come from a server.
    bool OpenBrower(const QString &sURL);

    // Whether OpenBrower would hand sURL on.
    static bool isWebAddress(const QString &sURL);

private:
    Shell &m_shell;
};
