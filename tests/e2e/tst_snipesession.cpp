#include "RealWindow.h"
#include "TestMain.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineView>

#include "StarFrames.h"

// The start-up login against a loopback service, an item page on a loopback eBay site,
// and the snipe that follows, with real panes.
class TestSnipeSession : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void loginPostFollowsThePleaseWaitPage();
    void itemPageEnablesSnipeAndSnipeCarriesTheCookie();
    void ctrlZInAPageFieldSnipes();
    void snipeTakesTheShownPageWhileItsPartsLoad();
    void movesWithinAPageLeaveTheWindowAtRest();
    void cleanupTestCase();

private:
    // Waits for the service's first request since its list was last cleared.
    bool serviceAsked(LoopbackServer::Request *first);

    LoopbackServer service;
    LoopbackServer ebay;
    std::unique_ptr<RealWindow> real;
    FMain *w = nullptr;

    // What the Talvex pane had finished loading when the login post arrived.
    QStringList talvexLoaded;
    QStringList talvexLoadedAtLogin;
    bool talvexBusyWhenPageEnded = true;
};

bool TestSnipeSession::serviceAsked(LoopbackServer::Request *first)
{
    if (!QTest::qWaitFor([this] { return !pageRequests(service).isEmpty(); }, 20000))
        return false;
    *first = pageRequests(service).first();
    return true;
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
            return LoopbackServer::page("Talvex item");
        return LoopbackServer::page("Talvex " + r.path);
    });
    ebay.setHandler(withRedirect([](const LoopbackServer::Request &r) {
        if (r.path == "/search")
            return LoopbackServer::page("Search", "<input id='q' autofocus>");
        if (r.path == "/itemA")
            return LoopbackServer::page("Item A", "<a id='next' href='/itemB?item=222'>B</a>");
        if (r.path == "/itemB")
            return LoopbackServer::page("Item B", "<img src='/slow.png'>");
        if (r.path == "/slow.png") {
            LoopbackServer::Reply held{200, QByteArray(), "image/png"};
            held.delayMs = 20000;
            return held;
        }
        return LoopbackServer::page("eBay " + r.path);
    }));

    real = std::make_unique<RealWindow>(ebay, service.hostPort());
    real->settings.SaveSetting("Talvex Bidbench", "Main", "User", "bob smith");
    real->settings.SaveSetting("Talvex Bidbench", "Main", "Password", "p&ss=w+rd%");
    // Watch the Talvex pane from its creation, before the load sends it anywhere.
    real->context.paneFactory = [this, make = real->context.paneFactory](PaneKind kind, QWidget *parent) {
        BrowserPane *pane = make(kind, parent);
        if (kind == PaneKind::Talvex) {
            connect(pane, &BrowserPane::DownloadComplete, this, [this, pane] {
                talvexLoaded.append(pane->LocationURL());
                talvexBusyWhenPageEnded = pane->Busy();
            });
        }
        return pane;
    };
    w = real->open();
}

void TestSnipeSession::loginPostFollowsThePleaseWaitPage()
{
    LoopbackServer::Request login;
    QVERIFY(serviceAsked(&login));
    QCOMPARE(login.method, QByteArray("POST"));
    QCOMPARE(login.path, QString("/secure/login.cfm"));
    QCOMPARE(login.header("Content-Type"), QByteArray("application/x-www-form-urlencoded"));
    QCOMPARE(login.body, QByteArray("username=bob+smith&temp_password=p%26ss%3Dw%2Brd%25"));

    // The please-wait page had been loaded, and nothing else, when the post went out.
    const QString pleaseWait = QUrl::fromLocalFile(real->context.programDir + "/PleaseWait.html").toString();
    QCOMPARE(talvexLoadedAtLogin, QStringList{pleaseWait});
    QVERIFY(!talvexBusyWhenPageEnded);

    QTRY_COMPARE_WITH_TIMEOUT(real->talvex()->LocationName(), QString("Talvex logged in"), 10000);
    int posts = 0;
    for (const LoopbackServer::Request &r : pageRequests(service))
        posts += r.method == "POST";
    QCOMPARE(posts, 1);
}

void TestSnipeSession::itemPageEnablesSnipeAndSnipeCarriesTheCookie()
{
    QTRY_VERIFY_WITH_TIMEOUT(!real->auction()->Busy() && !real->talvex()->Busy(), 10000);
    real->showTab(1);
    real->enterAddress(ebay.url("/"));
    QTRY_COMPARE_WITH_TIMEOUT(real->addressBox()->itemText(0), ebay.url("/"), 10000);
    QVERIFY(!real->part("tbrSnipe.Buttons(1)")->isEnabled());

    const QString item = ebay.url("/ws/eBayISAPI.dll?ViewItem&item=1234567890&category=12");
    real->auction()->Navigate(item);
    QTRY_COMPARE_WITH_TIMEOUT(real->addressBox()->currentText(), item, 10000);
    QTRY_VERIFY(real->part("tbrSnipe.Buttons(1)")->isEnabled());
    real->screenshot("snipe-enabled.png");

    service.requests.clear();
    real->part("tbrSnipe.Buttons(1)")->trigger();
    QCOMPARE(real->tab(), 0);
    LoopbackServer::Request snipe;
    QVERIFY(serviceAsked(&snipe));
    QCOMPARE(snipe.method, QByteArray("GET"));
    QCOMPARE(snipe.pathAndQuery(), QString("/secure/login.cfm?item_number=1234567890&category=12"));
    QVERIFY2(snipe.header("Cookie").contains("TALVEXSESSION=s3ss10n"), snipe.header("Cookie").constData());
    QTRY_COMPARE_WITH_TIMEOUT(w->windowTitle(), QString("Talvex Bidbench > Talvex item"), 10000);
    real->screenshot("sniped.png");
}

// With the focus in a text field of a page, Ctrl+Z still reaches the menu command.
void TestSnipeSession::ctrlZInAPageFieldSnipes()
{
    real->showTab(1);
    real->auction()->Navigate(ebay.url("/search"));
    QTRY_COMPARE_WITH_TIMEOUT(w->windowTitle(), QString("Talvex Bidbench > Search"), 10000);
    // An item address typed into the box (the page stays), then the focus goes into the page.
    real->addressBox()->setEditText(ebay.url("/itm/Some-Title/123456789012?hash=item1c"));
    w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w));
    auto *view = real->auction()->findChild<QWebEngineView *>();
    QVERIFY(view);
    view->setFocus();
    QTRY_VERIFY(QApplication::focusWidget() && view->isAncestorOf(QApplication::focusWidget()));

    service.requests.clear();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(real->tab(), 0);
    LoopbackServer::Request snipe;
    QVERIFY(serviceAsked(&snipe));
    QCOMPARE(snipe.pathAndQuery(), QString("/secure/login.cfm?item_number=123456789012"));
}

// Item page B shows at once but one of its pictures takes long: Snipe is for B meanwhile.
void TestSnipeSession::snipeTakesTheShownPageWhileItsPartsLoad()
{
    real->showTab(1);
    real->enterAddress(ebay.url("/itemA?item=111"));
    QTRY_COMPARE_WITH_TIMEOUT(w->windowTitle(), QString("Talvex Bidbench > Item A"), 10000);
    auto *view = real->auction()->findChild<QWebEngineView *>();
    view->page()->runJavaScript("document.getElementById('next').click()");
    QTRY_VERIFY_WITH_TIMEOUT(pagePaths(ebay).contains("/slow.png"), 10000);

    const QString itemB = ebay.url("/itemB?item=222");
    QTRY_COMPARE_WITH_TIMEOUT(real->addressBox()->currentText(), itemB, 5000);
    QCOMPARE(real->addressBox()->itemText(0), itemB);
    QVERIFY(real->auction()->Busy()); // the picture is still on its way
    service.requests.clear();
    real->part("tbrSnipe.Buttons(1)")->trigger();
    LoopbackServer::Request snipe;
    QVERIFY(serviceAsked(&snipe));
    QCOMPARE(snipe.pathAndQuery(), QString("/secure/login.cfm?item_number=222"));
}

void TestSnipeSession::movesWithinAPageLeaveTheWindowAtRest()
{
    real->showTab(1);
    const QString item = ebay.url("/itemA?item=333");
    real->enterAddress(item);
    QTRY_COMPARE_WITH_TIMEOUT(w->windowTitle(), QString("Talvex Bidbench > Item A"), 10000);
    QTRY_VERIFY(!real->part<QTimer>("timTimer")->isActive());

    real->enterAddress(item + "#description");
    QTRY_COMPARE(real->addressBox()->itemText(0), item + "#description");
    const QImage resting = StarFrames().large(StarFrames::kRestingFrame).toImage();
    QTRY_VERIFY(!real->auction()->Busy() && !real->part<QTimer>("timTimer")->isActive()
                && real->part<QLabel>("picSnipe")->pixmap().toImage() == resting);
    QCOMPARE(w->windowTitle(), QString("Talvex Bidbench > Item A"));

    // The next page typed is the one Snipe takes.
    const QString next = ebay.url("/itemA?item=444");
    real->enterAddress(next);
    QTRY_COMPARE_WITH_TIMEOUT(real->addressBox()->itemText(0), next, 10000);
    service.requests.clear();
    real->part("tbrSnipe.Buttons(1)")->trigger();
    LoopbackServer::Request snipe;
    QVERIFY(serviceAsked(&snipe));
    QCOMPARE(snipe.pathAndQuery(), QString("/secure/login.cfm?item_number=444"));
}

void TestSnipeSession::cleanupTestCase()
{
    real.reset();
}

BIDBENCH_TEST_MAIN(TestSnipeSession)
#include "tst_snipesession.moc"
