#include "AppContext.h"
#include "FMain.h"
#include "LoopbackServer.h"
#include "RecordingShell.h"
#include "SettingsStore.h"
#include "TestMain.h"
#include "WebEnginePane.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QTemporaryDir>

#include <memory>

// The real main window with real browser panes, against loopback servers standing in for
// the redirect service and two eBay sites.
class TestBrowsing : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void startUpGoesThroughTheRedirect();
    void secondPageEnablesBack();
    void choosingASiteLoadsItAtOnce();
    void homeFollowsTheCheckedSite();
    void cleanupTestCase();

private:
    QStringList pathsOf(const LoopbackServer &server) const;

    LoopbackServer redirectAndUs; // the redirect service and the US site share one server
    LoopbackServer germany;
    QTemporaryDir dir;
    std::unique_ptr<SettingsStore> settings;
    RecordingShell shell;
    std::unique_ptr<FMain> window;
};

QStringList TestBrowsing::pathsOf(const LoopbackServer &server) const
{
    QStringList paths;
    for (const LoopbackServer::Request &r : server.requests) {
        if (r.path != "/favicon.ico") // the engine's own, whenever a page has none
            paths.append(r.pathAndQuery());
    }
    return paths;
}

void TestBrowsing::initTestCase()
{
    redirectAndUs.setHandler([](const LoopbackServer::Request &r) {
        if (r.path.startsWith("/link-")) {
            const QString loc = r.query.mid(r.query.indexOf("loc=") + 4);
            return LoopbackServer::redirect(QUrl::fromPercentEncoding(loc.toUtf8()));
        }
        if (r.path == "/")
            return LoopbackServer::page("eBay US", "<h1>eBay US</h1><p><a id='next' href='/second'>next</a></p>");
        return LoopbackServer::page("Page " + r.path);
    });
    germany.setHandler([](const LoopbackServer::Request &) { return LoopbackServer::page("eBay DE"); });

    Destinations d;
    d.serviceHost = "127.0.0.1:1"; // nothing listens there; the Talvex pane is not under test
    for (int i = 1; i <= 4; ++i)
        d.redirectBases.append(redirectAndUs.url(QStringLiteral("/link-%1").arg(i)));
    d.ebayHostUS = redirectAndUs.hostPort();
    d.ebayHostCA = d.ebayHostUK = d.ebayHostAU = redirectAndUs.hostPort();
    d.ebayHostDE = germany.hostPort();
    d.ebayPagesHost = redirectAndUs.hostPort();

    settings = std::make_unique<SettingsStore>(dir.path() + "/settings");
    settings->SaveSetting("Talvex Bidbench", "Settings", "StartScreen", "N");
    AppContext context;
    context.destinations = d;
    context.settings = settings.get();
    context.shell = &shell;
    context.paneFactory = WebEnginePane::factory(dir.path() + "/profiles");
    context.programDir = TestEnvironment::programDir();
    context.endProgram = [] {};
    window = std::make_unique<FMain>(context, true);
    window->show();
}

void TestBrowsing::startUpGoesThroughTheRedirect()
{
    FMain *w = window.get();
    const QString home = redirectAndUs.url("/");
    QTRY_COMPARE_WITH_TIMEOUT(w->cboAddress->itemText(0), home, 15000);
    QTRY_VERIFY(!w->brwAuction->Busy());
    const QString encodedHost = QString(redirectAndUs.hostPort()).replace(":", "%3A");
    QVERIFY2(pathsOf(redirectAndUs).contains("/link-1?loc=http%3A//" + encodedHost), qPrintable(pathsOf(redirectAndUs).join(' ')));
    QCOMPARE(w->cboAddress->currentText(), home);
    QCOMPARE(w->tabIndex(), FMain::kTalvexTab);
    QTRY_COMPARE(w->windowTitle(), QString("Talvex Bidbench > ")); // the Talvex pane shows nothing yet
    QVERIFY(!w->tbrNavigateButton(1)->isEnabled());
}

void TestBrowsing::secondPageEnablesBack()
{
    FMain *w = window.get();
    w->setTabIndex(FMain::kAuctionTab);
    QCOMPARE(w->windowTitle(), QString("Talvex Bidbench > eBay US"));
    w->cboAddress->setEditText(redirectAndUs.url("/second"));
    QTest::keyClick(w->cboAddress->lineEdit(), Qt::Key_Return);
    QTRY_COMPARE_WITH_TIMEOUT(w->windowTitle(), QString("Talvex Bidbench > Page /second"), 10000);
    QTRY_VERIFY(w->tbrNavigateButton(1)->isEnabled());
    QVERIFY(!w->tbrNavigateButton(2)->isEnabled());
    QTRY_COMPARE(w->cboAddress->itemText(0), redirectAndUs.url("/second"));

    w->tbrNavigateButton(1)->trigger();
    QTRY_COMPARE_WITH_TIMEOUT(w->windowTitle(), QString("Talvex Bidbench > eBay US"), 10000);
    QTRY_VERIFY(w->tbrNavigateButton(2)->isEnabled());
    QTRY_COMPARE(w->cboAddress->itemText(0), redirectAndUs.url("/"));
    QCOMPARE(w->cboAddress->itemText(1), redirectAndUs.url("/second"));

    // BIDBENCH_SCREENSHOTS: a folder for a picture of the window with a real page in it.
    const QString folder = qEnvironmentVariable("BIDBENCH_SCREENSHOTS");
    if (!folder.isEmpty()) {
        QTest::qWait(300);
        w->grab().save(folder + "/auction-real-page.png");
    }
}

void TestBrowsing::choosingASiteLoadsItAtOnce()
{
    FMain *w = window.get();
    w->setTabIndex(FMain::kTalvexTab);
    germany.requests.clear();
    w->mnuOptionsSite(8)->trigger();
    QCOMPARE(w->tabIndex(), FMain::kAuctionTab);
    QTRY_COMPARE_WITH_TIMEOUT(w->windowTitle(), QString("Talvex Bidbench > eBay DE"), 10000);
    QCOMPARE(pathsOf(germany), QStringList({"/"}));
    QTRY_COMPARE(w->cboAddress->itemText(0), germany.url("/"));
}

void TestBrowsing::homeFollowsTheCheckedSite()
{
    FMain *w = window.get();
    w->cboAddress->setEditText(redirectAndUs.url("/elsewhere"));
    QTest::keyClick(w->cboAddress->lineEdit(), Qt::Key_Return);
    QTRY_COMPARE_WITH_TIMEOUT(w->windowTitle(), QString("Talvex Bidbench > Page /elsewhere"), 10000);
    germany.requests.clear();
    w->tbrNavigateButton(5)->trigger();
    QTRY_COMPARE_WITH_TIMEOUT(w->windowTitle(), QString("Talvex Bidbench > eBay DE"), 10000);
    QCOMPARE(pathsOf(germany), QStringList({"/"}));
}

void TestBrowsing::cleanupTestCase()
{
    window.reset();
}

BIDBENCH_TEST_MAIN(TestBrowsing)
#include "tst_browsing.moc"
