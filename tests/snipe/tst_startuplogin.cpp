#include "FakeBrowserPane.h"
#include "StartupLogin.h"
#include "TestMain.h"

#include <QFile>
#include <QTimer>

namespace {

// A pane that takes the address but never shows any sign of loading it.
class SilentPane : public FakeBrowserPane
{
public:
    void Navigate(const QString &address) override { requests.append({address, {}, {}, false}); }
};

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

} // namespace

class TestStartupLogin : public QObject
{
    Q_OBJECT

private slots:
    void waitsForPleaseWaitBeforeTheLogin();
    void unwritableFolderGoesOnWithoutThePage();
    void stoppedLoadEndsTheWait();
    void paneThatNeverLoadsIsGivenUpOn();
    void paneGoneDuringTheWait();
};

// The choice of page is the window tests' business; here: the order, and events during the wait.
void TestStartupLogin::waitsForPleaseWaitBeforeTheLogin()
{
    const QString dir = TestEnvironment::programDir();
    QFile old(dir + QStringLiteral("/PleaseWait.html"));
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("an earlier, longer page that must not survive in part\r\n");
    old.close();
    FakeBrowserPane pane;
    FakeBrowserPane otherPane;
    int requestsWhenLoaded = -1;
    bool otherEventsRan = false;
    // Other events run during the wait; the please-wait page finishes later, as a real one does.
    QTimer::singleShot(30, &otherPane, [&] {
        otherPane.finishLoad(QStringLiteral("http://www.ebay.com/"));
        otherEventsRan = true;
    });
    QTimer::singleShot(80, &pane, [&] {
        requestsWhenLoaded = pane.requests.size();
        pane.finishLoad(dir + QStringLiteral("/PleaseWait.html"));
    });

    StartupLogin::run(pane, dir, true, QStringLiteral("bob"), QStringLiteral("a b&c"), QStringLiteral("127.0.0.1:9"));

    QCOMPARE(readAll(dir + QStringLiteral("/PleaseWait.html")), QByteArray("<b>Please wait . . .</b>\r\n"));
    QVERIFY(otherEventsRan);
    QCOMPARE(requestsWhenLoaded, 1);
    QCOMPARE(pane.requests.size(), 2);
    QCOMPARE(pane.requests.at(0).address, dir + QStringLiteral("/PleaseWait.html"));
    QVERIFY(!pane.requests.at(0).isPost);
    const FakeBrowserPane::Request &login = pane.requests.at(1);
    QCOMPARE(login.address, QStringLiteral("http://127.0.0.1:9/secure/login.cfm"));
    QVERIFY(login.isPost);
    QCOMPARE(login.postData, QByteArray("username=bob&temp_password=a+b%26c"));
    QCOMPARE(login.headerLine, QStringLiteral("Content-Type: application/x-www-form-urlencoded"));
}

void TestStartupLogin::unwritableFolderGoesOnWithoutThePage()
{
    // A "folder" that is a file cannot take the page, even for root.
    const QString dir = TestEnvironment::programDir() + QStringLiteral("/not-a-folder");
    QFile file(dir);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    QCOMPARE(StartupLogin::writePleaseWaitPage(dir), QString());

    FakeBrowserPane pane; // would stay busy forever if it were sent anywhere and waited for
    StartupLogin::run(pane, dir, true, QStringLiteral("bob"), QStringLiteral("pw"), QStringLiteral("svc.example"));
    QCOMPARE(pane.requests.size(), 1);
    QCOMPARE(pane.requests.at(0).address, QStringLiteral("http://svc.example/secure/login.cfm"));
    QVERIFY(pane.requests.at(0).isPost);
}

void TestStartupLogin::stoppedLoadEndsTheWait()
{
    FakeBrowserPane pane; // Stop ends the load without any event
    QTimer::singleShot(50, &pane, [&] { pane.Stop(); });
    StartupLogin::run(pane, TestEnvironment::programDir(), false, QString(), QString(), QStringLiteral("svc.example"));
    QCOMPARE(pane.requests.size(), 2);
    QCOMPARE(pane.requests.at(1).address, QStringLiteral("http://svc.example/secure/signup.cfm"));
}

void TestStartupLogin::paneThatNeverLoadsIsGivenUpOn()
{
    SilentPane pane;
    StartupLogin::PaneLoadWait wait(pane, 150);
    pane.Navigate(QStringLiteral("/nowhere/PleaseWait.html"));
    wait.exec();
    QVERIFY(wait.gaveUpWithoutStart());

    // One that does load is waited for to the end, however long it takes to start.
    FakeBrowserPane slow;
    StartupLogin::PaneLoadWait waitSlow(slow, 150);
    QTimer::singleShot(300, &slow, [&] { slow.finishLoad(QStringLiteral("/x/PleaseWait.html")); });
    slow.Navigate(QStringLiteral("/x/PleaseWait.html"));
    waitSlow.exec();
    QVERIFY(!waitSlow.gaveUpWithoutStart());
    QVERIFY(!slow.Busy());
}

void TestStartupLogin::paneGoneDuringTheWait()
{
    auto *pane = new FakeBrowserPane;
    QTimer::singleShot(30, qApp, [pane] { delete pane; });
    StartupLogin::run(*pane, TestEnvironment::programDir(), true, QStringLiteral("bob"), QString(),
                      QStringLiteral("svc.example"));
    // Returning at all is the point: nothing is sent to a pane that no longer exists.
}

BIDBENCH_TEST_MAIN(TestStartupLogin)
#include "tst_startuplogin.moc"
