#pragma once

#include "BrowserPane.h"
#include "Destinations.h"

#include <QString>

#include <functional>
#include <memory>

class CError;
class CStartStatus;
class SettingsStore;
class Shell;

// What the main window and the start-up need from the outside world. Production builds it
// from the build's destinations and the desktop; tests hand in loopback hosts and fakes.
struct AppContext
{
    Destinations destinations;
    SettingsStore *settings = nullptr;
    Shell *shell = nullptr;
    BrowserPaneFactory paneFactory;
    // The folder the program writes the user's files into (the lists, PleaseWait.html),
    // and the one it reads its own files from (help/).
    QString dataDir;
    QString programFilesDir;
    // Ends the program once the settings are written; empty means quitting the application.
    std::function<void()> endProgram;

    // Made by Sub Main before anything else and kept by the main window for the whole run:
    // the error reporter, and the start-status object that runs the version check.
    // Without them the main window makes no version check.
    std::shared_ptr<CError> errors;
    std::shared_ptr<CStartStatus> startStatus;
};
