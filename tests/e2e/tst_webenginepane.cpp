#include "LoopbackServer.h"
#include "PopupBrowserWindow.h"
#include "TestMain.h"
#include "WebEnginePane.h"

#include <QSignalSpy>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QWebEngineView>

#include <memory>

namespace {
constexpr int kLoadTimeout = 20000;

bool waitForLoad(BrowserPane *pane, const std::function<void()> &start)
{
    QSignalSpy done(pane, &BrowserPane::DownloadComplete);
    start();
    return done.wait(kLoadTimeout);
}

bool fileContains(const QString &path, const QByteArray &needle)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && file.readAll().contains(needle);
}

int closedPort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort(); // free again once probe goes
}
} // namespace

class TestWebEnginePane : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void postCarriesExactBodyAndHeader();
    void titleAddressAndBusyFollowLoads();
    void failedLoadEndsBusyWithErrorPage();
    void historyRaisesCommandStateChange();
    void cookiesArePerPaneAndPersist();
    void popupSharesThePaneProfile();

private:
    std::unique_ptr<QTemporaryDir> m_profiles;
    std::unique_ptr<LoopbackServer> m_server;
};

void TestWebEnginePane::init()
{
    m_profiles = std::make_unique<QTemporaryDir>();
    m_server = std::make_unique<LoopbackServer>();
    m_server->setHandler([](const LoopbackServer::Request &r) {
        if (r.path == QLatin1String("/untitled"))
            return LoopbackServer::Reply{200, "<html><body>no title</body></html>"};
        if (r.path == QLatin1String("/set-cookie")) {
            LoopbackServer::Reply reply = LoopbackServer::page(QStringLiteral("Set"));
            reply.headers.append(qMakePair(QByteArray("Set-Cookie"), QByteArray("session=abc123; Path=/; Max-Age=86400")));
            return reply;
        }
        if (r.path == QLatin1String("/opener"))
            return LoopbackServer::Reply{200, "<html><head><title>Opener</title></head><body>"
                                              "<script>window.open('/popup','x')</script></body></html>"};
        return LoopbackServer::page(r.path.mid(1));
    });
}

void TestWebEnginePane::cleanup()
{
    m_server.reset();
    m_profiles.reset();
}

void TestWebEnginePane::postCarriesExactBodyAndHeader()
{
    WebEnginePane pane(m_profiles->path(), QStringLiteral("talvex"));
    const QByteArray body("username=ann+lee&password=a%26b%3Dc");
    QVERIFY(waitForLoad(&pane, [&] {
        pane.Navigate(m_server->url(QStringLiteral("/secure/login.cfm")), body,
                      QStringLiteral("Content-Type: application/x-www-form-urlencoded\r\n"));
    }));

    QCOMPARE(m_server->requests.size(), 1);
    const LoopbackServer::Request &request = m_server->requests.first();
    QCOMPARE(request.method, QByteArray("POST"));
    QCOMPARE(request.path, QStringLiteral("/secure/login.cfm"));
    QCOMPARE(request.body, body);
    QCOMPARE(request.header("Content-Type"), QByteArray("application/x-www-form-urlencoded"));
}

void TestWebEnginePane::titleAddressAndBusyFollowLoads()
{
    WebEnginePane pane(m_profiles->path(), QStringLiteral("auction"));
    QCOMPARE(pane.LocationName(), QString());
    QCOMPARE(pane.LocationURL(), QString());
    QVERIFY(!pane.Busy());

    QSignalSpy committed(&pane, &BrowserPane::NavigateComplete2);
    QVERIFY(waitForLoad(&pane, [&] {
        pane.Navigate(m_server->hostPort() + QStringLiteral("/First")); // no scheme: http
        QVERIFY(pane.Busy());
    }));
    QVERIFY(!pane.Busy());
    QCOMPARE(pane.LocationName(), QStringLiteral("First"));
    QCOMPARE(pane.LocationURL(), m_server->url(QStringLiteral("/First")));
    QCOMPARE(committed.size(), 1);

    // A page without a title has an empty name, not its address.
    QVERIFY(waitForLoad(&pane, [&] { pane.Navigate(m_server->url(QStringLiteral("/untitled"))); }));
    QCOMPARE(pane.LocationName(), QString());
    QCOMPARE(pane.LocationURL(), m_server->url(QStringLiteral("/untitled")));

    // A title that happens to equal the last path segment is still the page's title.
    QVERIFY(waitForLoad(&pane, [&] { pane.Navigate(m_server->url(QStringLiteral("/Second"))); }));
    QCOMPARE(pane.LocationName(), QStringLiteral("Second"));
}

void TestWebEnginePane::failedLoadEndsBusyWithErrorPage()
{
    WebEnginePane pane(m_profiles->path(), QStringLiteral("auction"));
    QSignalSpy committed(&pane, &BrowserPane::NavigateComplete2);
    const QString refused = QStringLiteral("http://127.0.0.1:%1/nothing").arg(closedPort());
    QVERIFY(waitForLoad(&pane, [&] { pane.Navigate(refused); }));
    QVERIFY(!pane.Busy());
    QVERIFY(committed.size() >= 1);
}

void TestWebEnginePane::historyRaisesCommandStateChange()
{
    WebEnginePane pane(m_profiles->path(), QStringLiteral("auction"));
    QSignalSpy states(&pane, &BrowserPane::CommandStateChange);
    QVERIFY(waitForLoad(&pane, [&] { pane.Navigate(m_server->url(QStringLiteral("/one"))); }));
    QVERIFY(waitForLoad(&pane, [&] { pane.Navigate(m_server->url(QStringLiteral("/two"))); }));
    QVERIFY(states.contains(QVariantList{BrowserPane::CommandBack, true}));
    QVERIFY(pane.canGoBack());
    QVERIFY(!pane.canGoForward());

    states.clear();
    QVERIFY(waitForLoad(&pane, [&] { pane.GoBack(); }));
    QTRY_VERIFY(states.contains(QVariantList{BrowserPane::CommandForward, true}));
    QTRY_VERIFY(states.contains(QVariantList{BrowserPane::CommandBack, false}));
    QCOMPARE(pane.LocationURL(), m_server->url(QStringLiteral("/one")));

    states.clear();
    QVERIFY(waitForLoad(&pane, [&] { pane.GoForward(); }));
    QTRY_VERIFY(states.contains(QVariantList{BrowserPane::CommandForward, false}));
    QCOMPARE(pane.LocationURL(), m_server->url(QStringLiteral("/two")));
}

void TestWebEnginePane::cookiesArePerPaneAndPersist()
{
    const auto cookieOfLast = [this] { return m_server->requests.last().header("Cookie"); };
    {
        WebEnginePane talvex(m_profiles->path(), QStringLiteral("talvex"));
        WebEnginePane auction(m_profiles->path(), QStringLiteral("auction"));
        QVERIFY(waitForLoad(&talvex, [&] { talvex.Navigate(m_server->url(QStringLiteral("/set-cookie"))); }));
        QVERIFY(waitForLoad(&talvex, [&] { talvex.Navigate(m_server->url(QStringLiteral("/check"))); }));
        QCOMPARE(cookieOfLast(), QByteArray("session=abc123"));
        QVERIFY(waitForLoad(&auction, [&] { auction.Navigate(m_server->url(QStringLiteral("/check"))); }));
        QCOMPARE(cookieOfLast(), QByteArray());
    }
    // The engine writes its cookie database in the background after the profile goes; a real
    // restart happens long after that, so wait for the write rather than race it.
    const QString cookieDb = m_profiles->filePath(QStringLiteral("talvex/Cookies"));
    QTRY_VERIFY_WITH_TIMEOUT(fileContains(cookieDb, "abc123") || fileContains(cookieDb, "session"),
                             kLoadTimeout);
    // A new profile on the same folder, as at the next start of the program.
    WebEnginePane again(m_profiles->path(), QStringLiteral("talvex"));
    QVERIFY(waitForLoad(&again, [&] { again.Navigate(m_server->url(QStringLiteral("/check"))); }));
    QCOMPARE(cookieOfLast(), QByteArray("session=abc123"));
}

void TestWebEnginePane::popupSharesThePaneProfile()
{
    WebEnginePane pane(m_profiles->path(), QStringLiteral("talvex"));
    QVERIFY(waitForLoad(&pane, [&] { pane.Navigate(m_server->url(QStringLiteral("/set-cookie"))); }));
    QVERIFY(waitForLoad(&pane, [&] { pane.Navigate(m_server->url(QStringLiteral("/opener"))); }));
    QTRY_COMPARE_WITH_TIMEOUT(pane.popups().size(), 1, kLoadTimeout);
    const auto popupRequest = [this]() -> const LoopbackServer::Request * {
        for (const LoopbackServer::Request &r : std::as_const(m_server->requests))
            if (r.path == QLatin1String("/popup"))
                return &r;
        return nullptr;
    };
    QTRY_VERIFY_WITH_TIMEOUT(popupRequest(), kLoadTimeout);
    QCOMPARE(popupRequest()->header("Cookie"), QByteArray("session=abc123"));
}

BIDBENCH_TEST_MAIN(TestWebEnginePane)
#include "tst_webenginepane.moc"
