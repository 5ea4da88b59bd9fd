#pragma once

#include "AppContext.h"
#include "FakeBrowserPane.h"
#include "FMain.h"
#include "RecordingShell.h"
#include "SettingsStore.h"
#include "TestFiles.h"

#include <QStringList>
#include <QTemporaryDir>

#include <memory>

// One main window over fake panes, a recording shell and a private settings store.
struct AppFixture
{
    AppFixture();

    // Hosts that say which role they play, so a wrong choice shows in the address.
    static Destinations destinations();

    AppContext context();
    static void finishPleaseWaitPage(FakeBrowserPane *pane);
    // Creates the window (not yet shown, so not yet loaded).
    FMain *create(bool hasAccount = true);
    // Creates and shows it, which runs the load.
    FMain *start(bool hasAccount = true);

    FakeBrowserPane *talvex() const;
    FakeBrowserPane *auction() const;
    QString setting(const QString &section, const QString &key) const;
    void store(const QString &section, const QString &key, const QString &value);
    QString geometry(const QString &key) const;
    void storeGeometry(const QString &key, const QString &value);

    QTemporaryDir settingsDir;
    SettingsStore settings;
    RecordingShell shell;
    QString programDir;
    QList<FakeBrowserPane *> panes;
    int ended = 0;
    QStringList settingsAtEnd; // the settings files' contents when the program ended
    std::unique_ptr<FMain> window;
};
