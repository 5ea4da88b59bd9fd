#include "LoopbackServer.h"
#include "TestFiles.h"
#include "TestMain.h"
#include "WebEnginePane.h"

// The panes' profiles: each keeps its own cookies, across runs, and shares them with its pop-ups.
class TestWebEnginePane : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        m_server.setHandler([](const LoopbackServer::Request &r) {
            LoopbackServer::Reply reply = LoopbackServer::page(r.path.mid(1));
            if (r.path == "/set-cookie")
                reply.headers.append(qMakePair(QByteArray("Set-Cookie"), QByteArray("session=abc123; Path=/; Max-Age=86400")));
            if (r.path == "/opener")
                reply.body = "<script>window.open('/popup','x')</script>";
            return reply;
        });
    }

    void cookiesArePerPaneAndPersist()
    {
        {
            WebEnginePane talvex(m_profiles.path(), "talvex");
            WebEnginePane auction(m_profiles.path(), "auction");
            QVERIFY(load(talvex, "/set-cookie") && load(talvex, "/talvex") && load(auction, "/auction"));
            QCOMPARE(cookieOf("/talvex"), QByteArray("session=abc123"));
            QCOMPARE(cookieOf("/auction"), QByteArray());
        }
        // The engine writes its cookie database in the background after the profile goes; a real
        // restart happens long after that, so wait for the write rather than race it.
        QTRY_VERIFY_WITH_TIMEOUT(readBytes(m_profiles.filePath("talvex/Cookies")).contains("session"), 20000);
        // A new profile on the same folder, as at the next start of the program.
        WebEnginePane again(m_profiles.path(), "talvex");
        QVERIFY(load(again, "/again"));
        QCOMPARE(cookieOf("/again"), QByteArray("session=abc123"));
    }

    void popupSharesThePaneProfile()
    {
        WebEnginePane pane(m_profiles.path(), "talvex");
        QVERIFY(load(pane, "/opener"));
        QTRY_COMPARE_WITH_TIMEOUT(pane.popups().size(), 1, 20000);
        QTRY_COMPARE_WITH_TIMEOUT(cookieOf("/popup"), QByteArray("session=abc123"), 20000);
    }

private:
    // Loads a page of the server and waits for its end.
    bool load(BrowserPane &pane, const QString &path)
    {
        QSignalSpy done(&pane, &BrowserPane::DownloadComplete);
        pane.Navigate(m_server.url(path));
        return done.wait(20000);
    }
    QByteArray cookieOf(const QString &path) const
    {
        for (const LoopbackServer::Request &r : m_server.requests) {
            if (r.path == path)
                return r.header("Cookie");
        }
        return "<no request>";
    }

    QTemporaryDir m_profiles;
    LoopbackServer m_server;
};

BIDBENCH_TEST_MAIN(TestWebEnginePane)
#include "tst_webenginepane.moc"
