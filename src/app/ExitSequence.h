#pragma once

#include <QObject>

#include <functional>

class QCloseEvent;
class QTimer;
class QWidget;

// The end of the program: File > Exit and the close box both keep the window on screen,
// disabled with the hourglass, for two seconds while the auction pane goes home; then the
// window unloads, closes every other window, stores the settings and ends the program.
class ExitSequence : public QObject
{
    Q_OBJECT

public:
    struct Steps
    {
        std::function<void()> beforeShutdown;  // the Talvex Password question, when it applies
        std::function<void()> sendAuctionHome;
        std::function<void()> saveSettings;
        std::function<void()> endProgram;      // empty: quit the application
    };

    ExitSequence(QWidget *window, Steps steps);

    // A logout, a shutdown or Ctrl+C (SIGTERM, SIGHUP, SIGINT) closes the window as the
    // program's own close: open windows save, the settings are stored, nothing is asked, and
    // the program ends with status 0.
    static void closeOnTerminationSignals(QWidget &window);

    void ExitProgram();
    void BeginShutdown();
    // The window's close event: refused while the user's close takes the delayed road,
    // accepted (and the unload done) otherwise.
    void handleClose(QCloseEvent *event);

private:
    // Why the window is being unloaded: only the user's close asks first.
    enum class UnloadMode { UserClose, ProgramUnload, SystemShutdown };
    static UnloadMode unloadModeOf(const QCloseEvent &event);
    void SaveSettingsAndEnd();
    void unloadOtherWindows();

    QWidget *m_window;
    Steps m_steps;
    QTimer *m_timAppEnd;
    bool m_bIsShuttingDown = false;
    bool m_bIsEnded = false;
};
