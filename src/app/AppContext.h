#pragma once

#include "BrowserPane.h"
#include "Destinations.h"

#include <QString>

#include <functional>

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
    QString programDir;
    // Ends the program once the settings are written; empty means quitting the application.
    std::function<void()> endProgram;
};
