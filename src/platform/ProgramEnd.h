#pragma once

#include <QObject>

// Ending the program at once, without the main window's own exit steps (an accepted update).
// Windows that hold the user's unsaved data connect to savingBeforeEnd() with themselves as
// context and write it there, synchronously; the connection goes when the window goes. The
// main window asks isEnding() and leaves its own exit writes undone.
class ProgramEnd : public QObject
{
    Q_OBJECT

public:
    static ProgramEnd &instance();

    bool isEnding() const { return m_ending; }

    // Lets every connected window save, then leaves every running event loop, the nested
    // ones of modal windows included, so that main() returns with exitCode.
    void endNow(int exitCode = 0);

signals:
    void savingBeforeEnd();

private:
    using QObject::QObject;

    bool m_ending = false;
};
