#include "LoopbackServer.h"
#include "MdWebCon.h"
#include "TestMain.h"

#include <QSignalSpy>
#include <QTcpServer>

class TestMdWebCon : public QObject
{
    Q_OBJECT

private slots:
    void answerArrivesAsResponse_data();
    void answerArrivesAsResponse();
    void requestCarriesQueryAsBuilt();
    void refusedConnectionIsAFailure();
    void tricklingServerTimesOut();
    void addressThatIsNoWebAddressFails_data();
    void addressThatIsNoWebAddressFails();
};

void TestMdWebCon::answerArrivesAsResponse_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("contentType");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<int>("response");
    QTest::addColumn<QString>("html");

    const QByteArray page = "<html><status><newversion>1</newversion></status></html>";
    QTest::newRow("200 whole body") << 200 << QByteArray("text/html") << page
                                    << int(MdWebCon::ResponseComplete) << QString::fromLatin1(page);
    QTest::newRow("server's own charset") << 200 << QByteArray("text/html; charset=\"windows-1252\"")
                                          << QByteArray("caf\xe9 \x80") << int(MdWebCon::ResponseComplete)
                                          << QStringLiteral("café €");
    QTest::newRow("404") << 404 << QByteArray("text/html") << QByteArray("not here")
                         << int(MdWebCon::ResponseHttpStatus) << QStringLiteral("not here");
}

void TestMdWebCon::answerArrivesAsResponse()
{
    QFETCH(int, status);
    QFETCH(QByteArray, contentType);
    QFETCH(QByteArray, body);
    QFETCH(int, response);
    QFETCH(QString, html);

    LoopbackServer server;
    server.setHandler([&](const LoopbackServer::Request &) {
        LoopbackServer::Reply reply;
        reply.status = status;
        reply.contentType = contentType;
        reply.body = body;
        return reply;
    });
    MdWebCon connection;
    QSignalSpy spy(&connection, &MdWebCon::AsynchResponse);
    QCOMPARE(connection.AsynchRequest(server.url(QStringLiteral("/version/versioncheck.asp"))), QString());
    QCOMPARE(spy.count(), 0); // never before the request has left

    QVERIFY(spy.wait(5000));
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toInt(), response);
    QCOMPARE(spy.at(0).at(1).toString(), html);
}

void TestMdWebCon::requestCarriesQueryAsBuilt()
{
    LoopbackServer server;
    MdWebCon connection;
    QSignalSpy spy(&connection, &MdWebCon::AsynchResponse);
    connection.AsynchRequest(QStringLiteral("http://") + server.hostPort()
                             + QStringLiteral("/version/versioncheck.asp?app=Talvex Bidbench"
                                              "&version=2.0.1&appclass=10&language="));
    QVERIFY(spy.wait(5000));
    QCOMPARE(server.requests.size(), 1);
    const LoopbackServer::Request &request = server.requests.first();
    QCOMPARE(request.method, QByteArray("GET"));
    QCOMPARE(request.path, QStringLiteral("/version/versioncheck.asp"));
    QCOMPARE(request.query, QStringLiteral("app=Talvex%20Bidbench&version=2.0.1&appclass=10&language="));
}

void TestMdWebCon::refusedConnectionIsAFailure()
{
    // A port that was free a moment ago: nothing listens there now.
    QTcpServer probe;
    QVERIFY(probe.listen(QHostAddress::LocalHost, 0));
    const quint16 port = probe.serverPort();
    probe.close();

    MdWebCon connection;
    QSignalSpy spy(&connection, &MdWebCon::AsynchResponse);
    connection.AsynchRequest(QStringLiteral("http://127.0.0.1:%1/version/versioncheck.asp").arg(port));
    QVERIFY(spy.wait(5000));
    QCOMPARE(spy.at(0).at(0).toInt(), int(MdWebCon::ResponseFailed));
    QCOMPARE(spy.at(0).at(1).toString(), QString());
}

// The time-out runs from the start to the last byte: bytes that keep coming do not extend it.
// The server would need a minute for the whole answer, the connection allows 300 ms.
void TestMdWebCon::tricklingServerTimesOut()
{
    LoopbackServer server;
    server.setHandler([](const LoopbackServer::Request &) {
        LoopbackServer::Reply reply;
        reply.body = QByteArray(3000, 'x');
        reply.byteIntervalMs = 20;
        return reply;
    });
    MdWebCon connection;
    QCOMPARE(connection.timeout(), 30000);
    connection.setTimeout(300);
    QSignalSpy spy(&connection, &MdWebCon::AsynchResponse);
    connection.AsynchRequest(server.url(QStringLiteral("/slow")));
    QVERIFY(spy.wait(5000));
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toInt(), int(MdWebCon::ResponseTimedOut));
    QCOMPARE(server.requests.size(), 1); // it did reach the server
}

void TestMdWebCon::addressThatIsNoWebAddressFails_data()
{
    QTest::addColumn<QString>("url");
    QTest::newRow("local file") << QStringLiteral("file:///etc/passwd");
}

void TestMdWebCon::addressThatIsNoWebAddressFails()
{
    QFETCH(QString, url);
    MdWebCon connection;
    QSignalSpy spy(&connection, &MdWebCon::AsynchResponse);
    QVERIFY(!connection.AsynchRequest(url).isEmpty());
    QCOMPARE(spy.count(), 0); // reported later, like an answer
    QVERIFY(spy.wait(2000));
    QCOMPARE(spy.at(0).at(0).toInt(), int(MdWebCon::ResponseFailed));
}

BIDBENCH_TEST_MAIN(TestMdWebCon)
#include "tst_mdwebcon.moc"
