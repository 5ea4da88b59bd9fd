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
#include <QWebEngineView>

#include <memory>

// The real main window with real browser panes: the start-up login against a loopback
// service, an item page on a loopback eBay site, and the snipe that follows.
class TestSnipeSession : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void loginPostFollowsThePleaseWaitPage();
    void itemPageEnablesSnipeAndSnipeCarriesTheCookie();
    void ctrlZInAPageFieldSnipes();
    void homeOnTalvexTabOpensNews();
    void cleanupTestCase();

private:
    QList<LoopbackServer::Request> serviceRequests() const;

    LoopbackServer service;
    LoopbackServer ebay;
    QTemporaryDir dir;
    QString programDir;
    std::unique_ptr<SettingsStore> settings;
    RecordingShell shell;
    std::unique_ptr<FMain> window;

    // What the Talvex pane had finished loading when the login post arrived.
    QStringList talvexLoaded;
    QStringList talvexLoadedAtLogin;
    bool talvexBusyWhenPageEnded = true;
};

QList<LoopbackServer::Request> TestSnipeSession::serviceRequests() const
{
    QList<LoopbackServer::Request> seen;
    for (const LoopbackServer::Request &r : service.requests) {
        if (r.path != "/favicon.ico") // the engine's own, whenever a page has none
            seen.append(r);
    }
    return seen;
}

void TestSnipeSession::initTestCase()
{
    service.setHandler([this](const LoopbackServer::Request &r) {
        if (r.method == "POST" && r.path == "/secure/login.cfm") {
            talvexLoadedAtLogin = talvexLoaded;
            LoopbackServer::Reply reply = LoopbackServer::page("Talvex logged in");
            reply.headers.append(qMakePair(QByteArray("Set-Cookie"), QByteArray("TALVEXSESSION=s3ss10n; Path=/")));
            return reply;
        }
        if (r.path == "/secure/login.cfm")
            return LoopbackServer::page("Talvex item", "<input id='bid' autofocus>");
        return LoopbackServer::page("Talvex " + r.path);
    });
    ebay.setHandler([](const LoopbackServer::Request &r) {
        if (r.path.startsWith("/link-")) {
            const QString loc = r.query.mid(r.query.indexOf("loc=") + 4);
            return LoopbackServer::redirect(QUrl::fromPercentEncoding(loc.toUtf8()));
        }
        if (r.path == "/search")
            return LoopbackServer::page("Search", "<input id='q' autofocus>");
        return LoopbackServer::page("eBay " + r.path);
    });

    Destinations d;
    d.serviceHost = service.hostPort();
    for (int i = 1; i <= 4; ++i)
        d.redirectBases.append(ebay.url(QStringLiteral("/link-%1").arg(i)));
    d.ebayHostUS = d.ebayHostCA = d.ebayHostUK = d.ebayHostAU = ebay.hostPort();
    d.ebayPagesHost = ebay.hostPort();

    settings = std::make_unique<SettingsStore>(dir.path() + "/settings");
    settings->SaveSetting("Talvex Bidbench", "Main", "User", "bob smith");
    settings->SaveSetting("Talvex Bidbench", "Main", "Password", "p&ss=w+rd%");
    programDir = TestEnvironment::programDir();

    AppContext context;
    context.destinations = d;
    context.settings = settings.get();
    context.shell = &shell;
    const BrowserPaneFactory real = WebEnginePane::factory(dir.path() + "/profiles");
    // Watch the Talvex pane from its creation, before the load sends it anywhere.
    context.paneFactory = [this, real](PaneKind kind, QWidget *parent) {
        BrowserPane *pane = real(kind, parent);
        if (kind == PaneKind::Talvex) {
            connect(pane, &BrowserPane::DownloadComplete, this, [this, pane] {
                talvexLoaded.append(pane->LocationURL());
                talvexBusyWhenPageEnded = pane->Busy();
            });
        }
        return pane;
    };
    context.programDir = programDir;
    context.endProgram = [] {};
    window = std::make_unique<FMain>(context, true);
    window->show();
}

void TestSnipeSession::loginPostFollowsThePleaseWaitPage()
{
    QTRY_VERIFY_WITH_TIMEOUT(!serviceRequests().isEmpty(), 20000);
    const LoopbackServer::Request login = serviceRequests().first();
    QCOMPARE(login.method, QByteArray("POST"));
    QCOMPARE(login.path, QString("/secure/login.cfm"));
    QCOMPARE(login.header("Content-Type"), QByteArray("application/x-www-form-urlencoded"));
    QCOMPARE(login.body, QByteArray("username=bob+smith&temp_password=p%26ss%3Dw%2Brd%25"));

    // The please-wait page had been loaded, and nothing else, when the post went out.
    QCOMPARE(talvexLoadedAtLogin, QStringList{QUrl::fromLocalFile(programDir + "/PleaseWait.html").toString()});
    QVERIFY(!talvexBusyWhenPageEnded);

    QTRY_COMPARE_WITH_TIMEOUT(window->brwSnipe->LocationName(), QString("Talvex logged in"), 10000);
    int posts = 0;
    for (const LoopbackServer::Request &r : serviceRequests())
        posts += r.method == "POST";
    QCOMPARE(posts, 1);
}

void TestSnipeSession::itemPageEnablesSnipeAndSnipeCarriesTheCookie()
{
    FMain *w = window.get();
    QTRY_VERIFY_WITH_TIMEOUT(!w->brwAuction->Busy() && !w->brwSnipe->Busy(), 10000);
    w->setTabIndex(FMain::kAuctionTab);
    QVERIFY(!w->tbrSnipeButton->isEnabled());

    const QString item = ebay.url("/ws/eBayISAPI.dll?ViewItem&item=1234567890&category=12");
    w->cboAddress->setEditText(ebay.url("/"));
    QTest::keyClick(w->cboAddress->lineEdit(), Qt::Key_Return);
    QTRY_COMPARE_WITH_TIMEOUT(w->cboAddress->itemText(0), ebay.url("/"), 10000);
    QVERIFY(!w->tbrSnipeButton->isEnabled());
    w->brwAuction->Navigate(item);
    QTRY_COMPARE_WITH_TIMEOUT(w->cboAddress->currentText(), item, 10000);
    QTRY_VERIFY(w->tbrSnipeButton->isEnabled());
    QVERIFY(w->mnuNavigateSnipe->isEnabled());

    // BIDBENCH_SCREENSHOTS: a folder for pictures of the window before and after the snipe.
    const QString folder = qEnvironmentVariable("BIDBENCH_SCREENSHOTS");
    if (!folder.isEmpty()) {
        QTest::qWait(300);
        w->grab().save(folder + "/snipe-enabled.png");
    }

    service.requests.clear();
    w->tbrSnipeButton->trigger();
    QCOMPARE(w->tabIndex(), FMain::kTalvexTab);
    QTRY_VERIFY_WITH_TIMEOUT(!serviceRequests().isEmpty(), 10000);
    const LoopbackServer::Request snipe = serviceRequests().first();
    QCOMPARE(snipe.method, QByteArray("GET"));
    QCOMPARE(snipe.path, QString("/secure/login.cfm"));
    QCOMPARE(snipe.query, QString("item_number=1234567890&category=12"));
    QVERIFY(snipe.body.isEmpty());
    QVERIFY2(snipe.header("Cookie").contains("TALVEXSESSION=s3ss10n"), snipe.header("Cookie").constData());
    QTRY_COMPARE_WITH_TIMEOUT(w->windowTitle(), QString("Talvex Bidbench > Talvex item"), 10000);
    if (!folder.isEmpty()) {
        QTest::qWait(300);
        w->grab().save(folder + "/sniped.png");
    }
}

// The focus in a text field of a page: Ctrl+Z still reaches the menu command.
void TestSnipeSession::ctrlZInAPageFieldSnipes()
{
    FMain *w = window.get();
    w->setTabIndex(FMain::kAuctionTab);
    w->brwAuction->Navigate(ebay.url("/search"));
    QTRY_COMPARE_WITH_TIMEOUT(w->windowTitle(), QString("Talvex Bidbench > Search"), 10000);
    // An item address typed into the box (the page stays), then the focus goes into the page.
    w->cboAddress->setEditText(ebay.url("/itm/Some-Title/123456789012?hash=item1c"));
    QVERIFY(w->mnuNavigateSnipe->isEnabled());
    w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w));
    auto *view = w->brwAuction->findChild<QWebEngineView *>();
    QVERIFY(view);
    view->setFocus();
    QTRY_VERIFY(QApplication::focusWidget() && view->isAncestorOf(QApplication::focusWidget()));

    service.requests.clear();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(w->tabIndex(), FMain::kTalvexTab);
    QTRY_VERIFY_WITH_TIMEOUT(!serviceRequests().isEmpty(), 10000);
    QCOMPARE(serviceRequests().first().pathAndQuery(), QString("/secure/login.cfm?item_number=123456789012"));
}

void TestSnipeSession::homeOnTalvexTabOpensNews()
{
    FMain *w = window.get();
    QTRY_VERIFY_WITH_TIMEOUT(!w->brwSnipe->Busy(), 10000);
    w->setTabIndex(FMain::kTalvexTab);
    service.requests.clear();
    w->tbrNavigateButton(5)->trigger();
    QTRY_VERIFY_WITH_TIMEOUT(!serviceRequests().isEmpty(), 10000);
    const LoopbackServer::Request news = serviceRequests().first();
    QCOMPARE(news.method, QByteArray("GET"));
    QCOMPARE(news.path, QString("/secure/news.cfm"));
    QCOMPARE(news.query, QString());
    QTRY_VERIFY_WITH_TIMEOUT(w->brwSnipe->LocationURL().endsWith("/secure/news.cfm?"), 10000);
}

void TestSnipeSession::cleanupTestCase()
{
    window.reset();
}

BIDBENCH_TEST_MAIN(TestSnipeSession)
#include "tst_snipesession.moc"
