#include "LoopbackServer.h"
#include "TestFiles.h"
#include "TestMain.h"
#include "WebEnginePane.h"

#include <QLabel>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QWebEnginePage>
#include <QWebEngineView>

#include <memory>

#include <signal.h>

namespace {
constexpr int kLoadTimeout = 20000;

// Starts a load and waits for its end.
bool settle(BrowserPane &pane, const std::function<void()> &start)
{
    QSignalSpy done(&pane, &BrowserPane::DownloadComplete);
    start();
    return done.wait(kLoadTimeout);
}

} // namespace

class TestWebEnginePane : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void titleAddressAndBusyFollowLoads();
    void movesWithoutALoadLeaveThePaneAtRest();
    void endedRendererShowsAStoppedPageUntilRefresh();
    void cookiesArePerPaneAndPersist();
    void popupSharesThePaneProfile();

private:
    // Loads an address (on the server when it begins with "/") and waits for the end.
    bool load(BrowserPane &pane, const QString &address);
    QByteArray cookieOfLast() const { return m_server->requests.last().header("Cookie"); }

    std::unique_ptr<QTemporaryDir> m_profiles;
    std::unique_ptr<LoopbackServer> m_server;
};

bool TestWebEnginePane::load(BrowserPane &pane, const QString &address)
{
    return settle(pane, [&] { pane.Navigate(address.startsWith('/') ? m_server->url(address) : address); });
}

void TestWebEnginePane::init()
{
    m_profiles = std::make_unique<QTemporaryDir>();
    m_server = std::make_unique<LoopbackServer>();
    m_server->setHandler([](const LoopbackServer::Request &r) {
        if (r.path == "/untitled")
            return LoopbackServer::Reply{200, "<html><body>no title</body></html>"};
        if (r.path == "/set-cookie") {
            LoopbackServer::Reply reply = LoopbackServer::page("Set");
            reply.headers.append(qMakePair(QByteArray("Set-Cookie"), QByteArray("session=abc123; Path=/; Max-Age=86400")));
            return reply;
        }
        if (r.path == "/opener")
            return LoopbackServer::Reply{200, "<script>window.open('/popup','x')</script>"};
        if (r.path == "/held") {
            LoopbackServer::Reply reply = LoopbackServer::page("held");
            reply.delayMs = 20000;
            return reply;
        }
        return LoopbackServer::page(r.path.mid(1));
    });
}

void TestWebEnginePane::cleanup()
{
    m_server.reset();
    m_profiles.reset();
}

void TestWebEnginePane::titleAddressAndBusyFollowLoads()
{
    WebEnginePane pane(m_profiles->path(), "auction");
    QSignalSpy committed(&pane, &BrowserPane::NavigateComplete2);
    QVERIFY(settle(pane, [&] {
        pane.Navigate(m_server->hostPort() + "/First"); // no scheme: http
        QVERIFY(pane.Busy());
    }));
    QVERIFY(!pane.Busy());
    QCOMPARE(pane.LocationName(), QString("First"));
    QCOMPARE(pane.LocationURL(), m_server->url("/First"));
    QCOMPARE(committed.size(), 1);

    // Without a title the name is empty, not the address the engine shows instead.
    QVERIFY(load(pane, "/untitled"));
    QCOMPARE(pane.LocationName(), QString());
    QCOMPARE(pane.LocationURL(), m_server->url("/untitled"));
    // A title that happens to equal the last path segment is still the page's title.
    QVERIFY(load(pane, "/Second"));
    QCOMPARE(pane.LocationName(), QString("Second"));

    // A refused connection ends the load too, with the engine's error page.
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    const QString refused = QString("http://127.0.0.1:%1/nothing").arg(probe.serverPort());
    probe.close();
    committed.clear();
    QVERIFY(load(pane, refused));
    QVERIFY(!pane.Busy());
    QVERIFY(committed.size() >= 1);
}

void TestWebEnginePane::movesWithoutALoadLeaveThePaneAtRest()
{
    WebEnginePane pane(m_profiles->path(), "auction");
    QVERIFY(load(pane, "/page"));
    QSignalSpy committed(&pane, &BrowserPane::NavigateComplete2);

    // The same page with "#section" starts no load in the engine, yet it is a new address.
    pane.Navigate(m_server->url("/page#section"));
    QTRY_COMPARE(committed.size(), 1);
    QCOMPARE(pane.LocationURL(), m_server->url("/page#section"));
    QVERIFY(!pane.Busy());
    // So does a page's own history.pushState.
    pane.view()->page()->runJavaScript("history.pushState({}, '', '/page/moved')");
    QTRY_COMPARE(committed.size(), 2);
    QCOMPARE(pane.LocationURL(), m_server->url("/page/moved"));
    QVERIFY(!pane.Busy());

    pane.Navigate("javascript:void(0)");
    QVERIFY(!pane.Busy());

    // Stop during a load whose page never arrives.
    pane.Navigate(m_server->url("/held"));
    QVERIFY(pane.Busy());
    QTRY_VERIFY(!m_server->pagePaths().isEmpty() && m_server->pagePaths().last() == "/held");
    pane.Stop();
    QTRY_VERIFY(!pane.Busy());
    QCOMPARE(pane.LocationURL(), m_server->url("/page/moved"));
}

// A renderer that crashes or is killed leaves a page that says so; Refresh brings it back.
void TestWebEnginePane::endedRendererShowsAStoppedPageUntilRefresh()
{
    WebEnginePane pane(m_profiles->path(), "auction");
    pane.show();
    QVERIFY(load(pane, "/page"));
    QTRY_VERIFY(pane.view()->page()->renderProcessPid() > 0);
    ::kill(pid_t(pane.view()->page()->renderProcessPid()), SIGKILL);

    auto *stopped = pane.findChild<QLabel *>("stoppedPage");
    QVERIFY(stopped);
    QTRY_VERIFY_WITH_TIMEOUT(stopped->isVisible(), kLoadTimeout);
    QVERIFY(stopped->text().contains(m_server->url("/page")));
    QVERIFY(!pane.Busy());

    m_server->requests.clear();
    QVERIFY(settle(pane, [&] { pane.Refresh(); }));
    QVERIFY(!stopped->isVisible());
    QCOMPARE(m_server->pagePaths(), QStringList{"/page"});
    QCOMPARE(pane.LocationName(), QString("page"));
}

void TestWebEnginePane::cookiesArePerPaneAndPersist()
{
    {
        WebEnginePane talvex(m_profiles->path(), "talvex");
        WebEnginePane auction(m_profiles->path(), "auction");
        QVERIFY(load(talvex, "/set-cookie"));
        QVERIFY(load(talvex, "/check"));
        QCOMPARE(cookieOfLast(), QByteArray("session=abc123"));
        QVERIFY(load(auction, "/check"));
        QCOMPARE(cookieOfLast(), QByteArray());
    }
    // The engine writes its cookie database in the background after the profile goes; a real
    // restart happens long after that, so wait for the write rather than race it.
    const QString cookieDb = m_profiles->filePath("talvex/Cookies");
    QTRY_VERIFY_WITH_TIMEOUT(readBytes(cookieDb).contains("session"), kLoadTimeout);
    // A new profile on the same folder, as at the next start of the program.
    WebEnginePane again(m_profiles->path(), "talvex");
    QVERIFY(load(again, "/check"));
    QCOMPARE(cookieOfLast(), QByteArray("session=abc123"));
}

void TestWebEnginePane::popupSharesThePaneProfile()
{
    WebEnginePane pane(m_profiles->path(), "talvex");
    QVERIFY(load(pane, "/set-cookie"));
    QVERIFY(load(pane, "/opener"));
    QTRY_COMPARE_WITH_TIMEOUT(pane.popups().size(), 1, kLoadTimeout);
    const auto popupCookie = [this] {
        for (const LoopbackServer::Request &r : std::as_const(m_server->requests)) {
            if (r.path == "/popup")
                return r.header("Cookie");
        }
        return QByteArray("<no request>");
    };
    QTRY_COMPARE_WITH_TIMEOUT(popupCookie(), QByteArray("session=abc123"), kLoadTimeout);
}

BIDBENCH_TEST_MAIN(TestWebEnginePane)
#include "tst_webenginepane.moc"
