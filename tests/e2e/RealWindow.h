#pragma once

#include "AppContext.h"
#include "FMain.h"
#include "LoopbackServer.h"
#include "RecordingShell.h"
#include "SettingsStore.h"

#include <QAction>
#include <QComboBox>
#include <QTemporaryDir>

#include <memory>

// Answers the affiliate redirect ("/link-N?loc=<address>") with a redirect to the address and
// hands every other request to `pages`.
LoopbackServer::Handler withRedirect(LoopbackServer::Handler pages);

// The server's requests without the engine's own favicon requests.
QList<LoopbackServer::Request> pageRequests(const LoopbackServer &server);
QStringList pagePaths(const LoopbackServer &server); // with their queries

// The main window with real browser panes. The redirect and every eBay site are `ebay`, the
// sniping service is `serviceHost`. Tests adjust settings and context before open().
struct RealWindow
{
    RealWindow(const LoopbackServer &ebay, const QString &serviceHost);

    FMain *open();
    // Types an address into the box and presses Enter.
    void enterAddress(const QString &url);

    // The window's parts by their design names.
    template <typename T = QAction>
    T *part(const char *name) const
    {
        return window->findChild<T *>(QString::fromLatin1(name));
    }
    QAction *button(int index) const; // the navigation toolbar's
    QComboBox *addressBox() const;
    BrowserPane *talvex() const;
    BrowserPane *auction() const;
    int tab() const;
    void showTab(int tab) const;
    // BIDBENCH_SCREENSHOTS names a folder for pictures of the window.
    void screenshot(const QString &name);

    QTemporaryDir folder;
    SettingsStore settings;
    RecordingShell shell;
    AppContext context;
    std::unique_ptr<FMain> window;
};
