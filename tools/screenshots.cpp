// Takes the README's pictures of the real main window and the favourite sellers window, with
// the real browser engine, against pages served on 127.0.0.1. scripts/screenshots runs it under
// Xvfb in fresh HOME and XDG folders.
// Usage: bidbench_screenshots OUTPUT_FOLDER
#include "FFavorites.h"
#include "FMain.h"
#include "LoopbackServer.h"
#include "MenuNames.h"
#include "RecordingShell.h"
#include "SettingsStore.h"
#include "TestFiles.h"
#include "WebEnginePane.h"

#include <QAction>
#include <QApplication>
#include <QNetworkProxy>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>

namespace {

const QByteArray kStyle = "<style>body{font-family:sans-serif;margin:16px;color:#222}"
                          "h1{font-size:20px;margin:0 0 12px}.photo{float:left;width:180px;height:150px;"
                          "margin-right:18px;background:linear-gradient(#e8d9a8,#b08a3e);border-radius:6px}"
                          "td{padding:3px 10px 3px 0}.price{font-size:22px;font-weight:bold}</style>";

// Every host the program knows comes here through the proxy; the Host header says which.
LoopbackServer::Reply reply(const LoopbackServer::Request &r)
{
    if (r.path.startsWith(QLatin1String("/itm/")))
        return LoopbackServer::page("Brass desk lamp, 1950s", kStyle +
            "<h1>Brass desk lamp, 1950s, working, original shade</h1><div class='photo'></div><table>"
            "<tr><td>Current bid:</td><td class='price'>US $42.00</td></tr><tr><td>Bids:</td><td>7</td></tr>"
            "<tr><td>Time left:</td><td>2m 14s</td></tr><tr><td>Seller:</td><td>lampcollector (1,204)</td></tr>"
            "<tr><td>Item number:</td><td>123456789012</td></tr></table>");
    if (r.header("Host").startsWith("www.talvex"))
        return LoopbackServer::page("Talvex - My snipes", kStyle + "<h1>My snipes</h1><table>"
            "<tr><td>123456789012</td><td>Brass desk lamp</td><td>US $55.00</td><td>10 s before the end</td></tr>"
            "<tr><td>223456789013</td><td>Film camera, 35 mm</td><td>US $120.00</td><td>8 s before the end</td></tr></table>");
    return LoopbackServer::page("eBay", kStyle + "<h1>Welcome</h1>");
}

bool waitFor(const std::function<bool()> &done)
{
    return QTest::qWaitFor(done, 30000);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc != 2) {
        qWarning("usage: bidbench_screenshots OUTPUT_FOLDER");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    LoopbackServer web;
    web.setHandler(reply);
    QNetworkProxy::setApplicationProxy(QNetworkProxy(QNetworkProxy::HttpProxy, QStringLiteral("127.0.0.1"), web.port()));

    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + "/bidbench";
    SettingsStore settings(SettingsStore::defaultRoot());
    settings.SaveSetting("Talvex Bidbench", "Main", "User", "lamplover");
    settings.SaveSetting("Talvex Bidbench", "Main", "Password", "secret");
    writeBytes(data + "/Sellers.txt", "lampcollector\r\nretro-radios\r\ncameras_and_more\r\n");
    RecordingShell shell;
    AppContext context;
    context.destinations = Destinations::fromBuild();
    context.destinations.redirectBases.clear();
    context.settings = &settings;
    context.shell = &shell;
    context.paneFactory = WebEnginePane::factory();
    context.dataDir = data;
    context.programFilesDir = QCoreApplication::applicationDirPath();
    context.endProgram = [] {};
    FMain window(context, true);
    window.resize(860, 600);
    window.show();

    const QString item = "http://" + context.destinations.ebayHostUS + "/itm/Brass-desk-lamp/123456789012";
    const auto pane = [&](const char *name) { return window.findChild<BrowserPane *>(name); };
    bool ok = waitFor([&] { return pane("brwSnipe")->LocationName() == "Talvex - My snipes"; });
    window.OpenAddress(item);
    ok = ok && waitFor([&] { return pane("brwAuction")->LocationName().startsWith("Brass") && !pane("brwAuction")->Busy(); });
    QTest::qWait(500); // the engine paints a moment after the load
    ok = ok && window.grab().save(out + "/main-window.png");

    QTimer::singleShot(0, &window, [&] {
        waitFor([] { return QApplication::activeModalWidget(); });
        QWidget *favorites = QApplication::activeModalWidget();
        QTest::qWait(300);
        ok = ok && favorites->grab().save(out + "/favorites.png");
        favorites->close();
    });
    window.findChild<QAction *>(Menus::mnuFavoritesSellers)->trigger();
    return ok ? 0 : 1;
}
