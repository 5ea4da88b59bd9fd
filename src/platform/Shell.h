#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>

// The desktop's "open" verb and program start. Production uses DesktopShell; tests record.
class Shell
{
public:
    virtual ~Shell() = default;

    // Opens a URL, a mailto: link or a local file with the desktop's handler for it.
    virtual bool open(const QString &target) = 0;
    // Starts a program by path, detached from this one.
    virtual bool startProgram(const QString &program, const QStringList &arguments = {}) = 0;

    // How a target built by plain concatenation becomes a URL the desktop accepts: blanks,
    // line breaks and non-ASCII in a mailto: link are percent-encoded so they reach the draft.
    static QUrl targetToUrl(const QString &target);
};

class DesktopShell : public Shell
{
public:
    bool open(const QString &target) override;
    bool startProgram(const QString &program, const QStringList &arguments = {}) override;
};
