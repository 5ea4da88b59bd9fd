#pragma once

#include <QString>
#include <QStringList>

// The program's arguments: --help, --version, one http(s) address to open in the auction
// pane, or --snipe with an item number. Read before the application exists, so that --help
// and --version need neither a display nor the browser engine.
namespace CommandLine {

struct Parsed
{
    enum Action { Run, Print, Refuse };

    Action action = Run;
    QString url;  // Run: opened in the auction pane once the window is up
    QString item; // Run: sniped once the window is up
    QString text; // Print: for standard output; Refuse: the reason, for standard error
};

// arguments.first() is the program itself.
Parsed parse(const QStringList &arguments);

} // namespace CommandLine
