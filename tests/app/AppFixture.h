#pragma once

#include "AppContext.h"
#include "FakeBrowserPane.h"
#include "FMain.h"
#include "ModalAnswer.h"
#include "RecordingShell.h"
#include "SettingsStore.h"
#include "TestFiles.h"

#include <QAction>
#include <QTemporaryDir>

#include <memory>

class AddressBox;
class TabControl;

// One main window over fake panes, a recording shell and a private settings store. The
// window's parts are found by their design names, as a user finds them by their captions.
struct AppFixture
{
    AppFixture();

    AppContext context();
    // With the error reporter and the version check against the maker's host given.
    AppContext contextWithVersionCheck(const QString &makerHost);
    FMain *create(bool hasAccount = true); // not yet shown, so not yet loaded
    FMain *start(bool hasAccount = true);  // shown, which runs the load

    template <typename T = QAction>
    T *part(const char *name) const
    {
        return window->findChild<T *>(QString::fromLatin1(name));
    }
    void trigger(const char *action) const { part(action)->trigger(); }
    QAction *button(int index) const; // the navigation toolbar's, 1 ... 7
    AddressBox *addressBox() const;
    TabControl *tabs() const;
    void showTab(int tab) const;
    QString panel(int index) const; // the status bar's, 1 ... 3

    FakeBrowserPane *talvex() const;
    FakeBrowserPane *auction() const;
    QStringList addresses(const FakeBrowserPane *pane) const; // every Navigate, in order
    QString setting(const QString &section, const QString &key) const;
    void store(const QString &section, const QString &key, const QString &value);
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

inline const QString kStart = QStringLiteral("http://r.test/link-1?loc=http%3A//www.ebay.com");
inline const QString kTitle = QStringLiteral("Talvex Bidbench > ");
