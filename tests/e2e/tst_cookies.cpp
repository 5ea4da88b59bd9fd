#include "AppContext.h"
#include "FMain.h"
#include "LoopbackServer.h"
#include "RecordingShell.h"
#include "SettingsStore.h"
#include "TestMain.h"
#include "WebEnginePane.h"

#include <QTemporaryDir>
#include <QTimer>

#include <memory>

// A normal exit lets the browser engine keep the auction site's cookies for the next run.
class TestCookies : public QObject
{
    Q_OBJECT

private slots:
    void cookiesSurviveTheExit();
};

void TestCookies::cookiesSurviveTheExit()
{
    LoopbackServer site;
    site.setHandler([](const LoopbackServer::Request &r) {
        if (r.path.startsWith("/link-")) {
            const QString loc = r.query.mid(r.query.indexOf("loc=") + 4);
            return LoopbackServer::redirect(QUrl::fromPercentEncoding(loc.toUtf8()));
        }
        LoopbackServer::Reply reply = LoopbackServer::page("eBay");
        if (r.header("Cookie").isEmpty())
            reply.headers.append(qMakePair(QByteArray("Set-Cookie"), QByteArray("visitor=42; Max-Age=86400; Path=/")));
        return reply;
    });

    QTemporaryDir dir;
    SettingsStore settings(dir.path() + "/settings");
    settings.SaveSetting("Talvex Bidbench", "Settings", "StartScreen", "N");
    settings.SaveSetting("Talvex Bidbench", "Main", "User", "bob"); // no Talvex Password step at exit
    RecordingShell shell;
    int ended = 0;
    AppContext context;
    context.destinations.serviceHost = "127.0.0.1:1";
    context.destinations.redirectBases = {site.url("/link-1")};
    context.destinations.ebayHostUS = site.hostPort();
    context.settings = &settings;
    context.shell = &shell;
    context.paneFactory = WebEnginePane::factory(dir.path() + "/profiles");
    context.programDir = TestEnvironment::programDir();
    context.endProgram = [&ended] { ++ended; };

    const auto cookieOfLastPage = [&site]() {
        for (qsizetype i = site.requests.size() - 1; i >= 0; --i) {
            if (site.requests.at(i).path == "/")
                return site.requests.at(i).header("Cookie");
        }
        return QByteArray("<none>");
    };

    auto first = std::make_unique<FMain>(context, true);
    first->show();
    QTRY_COMPARE_WITH_TIMEOUT(first->windowTitle(), QString("Talvex Bidbench > "), 15000);
    QTRY_VERIFY_WITH_TIMEOUT(!first->brwAuction->Busy() && !site.requests.isEmpty(), 15000);
    QCOMPARE(cookieOfLastPage(), QByteArray());
    first->timAppEnd->setInterval(1);
    first->ExitProgram();
    QTRY_COMPARE_WITH_TIMEOUT(ended, 1, 10000);
    first.reset(); // as the program does after its event loop ends
    site.requests.clear();

    auto second = std::make_unique<FMain>(context, true);
    second->show();
    QTRY_VERIFY_WITH_TIMEOUT(cookieOfLastPage() != "<none>", 15000);
    QCOMPARE(cookieOfLastPage(), QByteArray("visitor=42"));
}

BIDBENCH_TEST_MAIN(TestCookies)
#include "tst_cookies.moc"
