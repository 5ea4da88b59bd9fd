#pragma once

#include "AddressBox.h"
#include "AppContext.h"
#include "FakeBrowserPane.h"
#include "FMain.h"
#include "MenuNames.h"
#include "ModalAnswer.h"
#include "RecordingShell.h"
#include "SettingsStore.h"
#include "TabControl.h"
#include "TestFiles.h"

#include <QtTest>
#include <QtWidgets>

#include <memory>

// One main window over fake panes, a recording shell and a private settings store. The
// window's parts are found by their design names, as a user finds them by their captions.
struct AppFixture
{
    AppFixture();

    AppContext context();
    // With the error reporter and the version check against the maker's host given.
    AppContext contextWithVersionCheck(const QString &makerHost);
    FMain *create(bool hasAccount = true) { return (window = std::make_unique<FMain>(context(), hasAccount)).get(); }
    // Shown, and its start-up login over.
    FMain *start(bool hasAccount = true)
    {
        create(hasAccount)->show();
        if (!QTest::qWaitFor([this] { return window->isStartupLoginOver(); }, 5000)) qWarning("the start-up login did not end");
        return window.get();
    }

    template <typename T = QAction>
    T *part(const QString &name) const { return window->findChild<T *>(name); }
    void trigger(const QString &action) const { part(action)->trigger(); }
    QAction *button(int index) const { return part(QString("tbrNavigate.Buttons(%1)").arg(index)); }
    AddressBox *addressBox() const { return part<AddressBox>("cboAddress"); }
    TabControl *tabs() const { return part<TabControl>("SSTab1"); }
    void showTab(int tab) const { tabs()->setTab(tab); }
    QString panel(int index) const { return part<QLabel>(QString("sbStatusBar.Panels(%1)").arg(index))->text(); }
    FakeBrowserPane *talvex() const { return part<FakeBrowserPane>("brwSnipe"); }
    FakeBrowserPane *auction() const { return part<FakeBrowserPane>("brwAuction"); }
    // The window as the user sees it, in one line: the title, the status panels, the tab, the
    // commands enabled (Back, Forward, Snipe! button, Snipe menu item, Add to Favorites) and
    // whether Go! and the link show, e.g. "title|Talvex|Done|tab 0|-----|go- link+".
    QString look() const;
    QString setting(const QString &section, const QString &key) const { return settings.GetSetting("Talvex Bidbench", section, key); }
    void store(const QString &section, const QString &key, const QString &value) { settings.SaveSetting("Talvex Bidbench", section, key, value); }

    QTemporaryDir settingsDir;
    SettingsStore settings;
    RecordingShell shell;
    QString dataDir, programFilesDir;
    int ended = 0;
    QStringList settingsAtEnd; // the settings files' contents when the program ended
    std::unique_ptr<FMain> window;
};

inline const QString kStart = QStringLiteral("http://r.test/link-1?loc=http%3A//www.ebay.com");
inline const QString kTitle = QStringLiteral("Talvex Bidbench > ");
