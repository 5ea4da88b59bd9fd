#pragma once

#include "AppContext.h"
#include "FMain.h"
#include "LoopbackServer.h"
#include "RecordingShell.h"
#include "SettingsStore.h"

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
    // BIDBENCH_SCREENSHOTS names a folder for pictures of the window.
    void screenshot(const QString &name);

    QTemporaryDir folder;
    SettingsStore settings;
    RecordingShell shell;
    AppContext context;
    std::unique_ptr<FMain> window;
};
