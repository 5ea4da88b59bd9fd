#include "CError.h"
#include "CStartStatus.h"
#include "FUpdateVersion.h"
#include "LoopbackServer.h"
#include "MdWebCon.h"
#include "RecordingShell.h"
#include "SupportTestKit.h"
#include "TestMain.h"

#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>

// The version check from request to what the user sees, against a loopback "maker's server".
class TestVersionCheck : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void answerWithoutNewsShowsNothing_data();
    void answerWithoutNewsShowsNothing();
    void messageAloneShowsMardellMessage();
    void declinedUpdateLeavesProgramRunning_data();
    void declinedUpdateLeavesProgramRunning();
    void acceptedUpdateEndsOnlyForWebAddress_data();
    void acceptedUpdateEndsOnlyForWebAddress();
    void unreadableAnswerOpensErrorWindow();

private:
    void answerWith(const QByteArray &body, int status = 200);
    // Starts the check and waits until the server's answer has been handled.
    bool runCheck();

    LoopbackServer *server = nullptr;
    RecordingShell *shell = nullptr;
    CError *errors = nullptr;
    CStartStatus *status = nullptr;
    QSignalSpy *done = nullptr;
    int endRequests = 0;
    bool answered = false;
};

void TestVersionCheck::init()
{
    server = new LoopbackServer;
    shell = new RecordingShell;
    errors = new CError(QStringLiteral("support@mardell.example"), *shell);
    Destinations d;
    d.makerWebHost = server->hostPort();
    status = new CStartStatus(*errors, *shell, d);
    status->Initialize(10, 1.2f);
    endRequests = 0;
    status->setEndProgram([this] { ++endRequests; });
    done = new QSignalSpy(status, &CStartStatus::DoneChecking);
    answered = false;
}

void TestVersionCheck::cleanup()
{
    delete done;
    delete status;
    delete errors;
    delete shell;
    delete server;
    closeAllErrorWindows();
}

void TestVersionCheck::answerWith(const QByteArray &body, int httpStatus)
{
    server->setHandler([body, httpStatus](const LoopbackServer::Request &) {
        LoopbackServer::Reply reply;
        reply.status = httpStatus;
        reply.body = body;
        return reply;
    });
}

bool TestVersionCheck::runCheck()
{
    status->CheckVersion();
    MdWebCon *connection = status->connection();
    if (!connection)
        return false;
    // Queued behind the handler of the same response, so it fires once the result was shown.
    connect(connection, &MdWebCon::AsynchResponse, this, [this] { answered = true; }, Qt::QueuedConnection);
    return QTest::qWaitFor([this] { return answered; }, 10000);
}

void TestVersionCheck::answerWithoutNewsShowsNothing_data()
{
    QTest::addColumn<QByteArray>("answer");
    QTest::addColumn<int>("httpStatus");
    QTest::addColumn<int>("doneCount");
    QTest::newRow("no status") << QByteArray("<html><message>not in a status</message></html>") << 200 << 1;
    QTest::newRow("no version, no message")
        << QByteArray("<status><newversion>0</newversion><updateurl>http://x/</updateurl></status>") << 200 << 1;
    // A body that would fail if it were read; the program does not go on either.
    QTest::newRow("404 is ignored") << QByteArray("<status><newversion>1</newversion><message>x</status>") << 404
                                    << 0;
}

void TestVersionCheck::answerWithoutNewsShowsNothing()
{
    QFETCH(QByteArray, answer);
    QFETCH(int, httpStatus);
    QFETCH(int, doneCount);
    answerWith(answer, httpStatus);
    ShownWindows windows(QMessageBox::Ok, true);
    QVERIFY(runCheck());
    QCOMPARE(done->count(), doneCount);
    QCOMPARE(windows.shown, QStringList());
    QVERIFY(shell->opened.isEmpty());
}

// "true" is no new version: the message alone is shown, as text.
void TestVersionCheck::messageAloneShowsMardellMessage()
{
    answerWith("<status><newversion>true</newversion><message>Hello <b>you</b></message></status>");

    QString text, title;
    int doneWhileShown = -1;
    Qt::TextFormat format = Qt::AutoText;
    answerNextModal<QMessageBox>([&](QMessageBox *box) {
        text = box->text();
        title = box->windowTitle();
        format = box->textFormat();
        doneWhileShown = done->count();
        box->button(QMessageBox::Ok)->click();
    });
    QVERIFY(runCheck());
    QCOMPARE(title, QStringLiteral("Mardell Message"));
    QCOMPARE(text, QStringLiteral("Hello <b>you</b>"));
    QCOMPARE(format, Qt::PlainText); // a server's text is never markup
    QCOMPARE(doneWhileShown, 0);
    QCOMPARE(done->count(), 1);
    QVERIFY(!status->ShutDown());
    QCOMPARE(endRequests, 0);
}

void TestVersionCheck::declinedUpdateLeavesProgramRunning_data()
{
    QTest::addColumn<QByteArray>("answer");
    QTest::addColumn<QString>("shownMessage");
    QTest::addColumn<bool>("closeBox");
    const QByteArray full = "<status><newversion>1</newversion><updateurl>http://www.mardell.example/setup.exe"
                            "</updateurl><message>Version 3.0 is here.\r\nNew: everything.</message></status>";
    QTest::newRow("Update Later") << full << QStringLiteral("Version 3.0 is here.\nNew: everything.") << false;
    QTest::newRow("close box, empty message")
        << QByteArray("<status><newversion>1</newversion><message></message></status>") << QString() << true;
}

void TestVersionCheck::declinedUpdateLeavesProgramRunning()
{
    QFETCH(QByteArray, answer);
    QFETCH(QString, shownMessage);
    QFETCH(bool, closeBox);
    answerWith(answer);

    QString caption, shown;
    bool updateIsDefault = false, openAfterEsc = false;
    answerNextModal<FUpdateVersion>([&](FUpdateVersion *offer) {
        QTest::keyClick(offer, Qt::Key_Escape); // no cancel button: Esc declines nothing
        openAfterEsc = offer->isVisible();
        caption = offer->windowTitle();
        shown = offer->txtMessage->toPlainText();
        updateIsDefault = offer->cmdUpdate->isDefault();
        if (closeBox)
            offer->close();
        else
            offer->cmdDoNotUpgrade->click();
    });
    ShownWindows windows;
    QVERIFY(runCheck());
    QCOMPARE(windows.shown, QStringList{QStringLiteral("FUpdateVersion:New Version Available.")});
    QCOMPARE(caption, QStringLiteral("New Version Available."));
    QCOMPARE(shown, shownMessage);
    QVERIFY(updateIsDefault && openAfterEsc);
    QCOMPARE(done->count(), 1);
    QVERIFY(shell->opened.isEmpty());
    QVERIFY(!status->ShutDown());
    QCOMPARE(endRequests, 0);
}

void TestVersionCheck::acceptedUpdateEndsOnlyForWebAddress_data()
{
    QTest::addColumn<QByteArray>("updateUrl");
    QTest::addColumn<QStringList>("opened");
    QTest::newRow("http") << QByteArray("http://www.mardell.example/files/setup 3.0.exe")
                          << QStringList{QStringLiteral("http://www.mardell.example/files/setup 3.0.exe")};
    QTest::newRow("surrounding line breaks") << QByteArray("\r\n  http://www.mardell.example/setup.exe\r\n")
                                             << QStringList{QStringLiteral("http://www.mardell.example/setup.exe")};
    // Refused: the user is told so, and the program goes on.
    QTest::newRow("file url refused") << QByteArray("file:///usr/bin/xterm") << QStringList();
    QTest::newRow("other scheme refused") << QByteArray("ftp://www.mardell.example/setup.exe") << QStringList();
}

void TestVersionCheck::acceptedUpdateEndsOnlyForWebAddress()
{
    QFETCH(QByteArray, updateUrl);
    QFETCH(QStringList, opened);
    answerWith("<status><newversion>1</newversion><updateurl>" + updateUrl
               + "</updateurl><message>New!</message></status>");

    QString text, title;
    QStringList openedBeforeDownloadBox = {QStringLiteral("unset")};
    answerNextModal<FUpdateVersion>([&](FUpdateVersion *offer) {
        answerNextModal<QMessageBox>([&](QMessageBox *box) {
            text = box->text();
            title = box->windowTitle();
            openedBeforeDownloadBox = shell->opened;
            QCOMPARE(box->standardButtons(), QMessageBox::StandardButtons(QMessageBox::Ok));
            box->button(QMessageBox::Ok)->click();
        });
        QTest::keyClick(offer, Qt::Key_Return); // "Update Now" is the default button
    });

    QVERIFY(runCheck());
    const bool ends = !opened.isEmpty();
    QCOMPARE(title, QStringLiteral("Download update"));
    if (ends)
        QCOMPARE(text, QStringLiteral("A setup file will now be retrieved from the internet.\r\n"
                                      "Please choose 'Open' when you are prompted."));
    else
        QVERIFY2(text.contains("could not be used:\n" + QString::fromUtf8(updateUrl)), qPrintable(text));
    QVERIFY(openedBeforeDownloadBox.isEmpty());
    QCOMPARE(shell->opened, opened);
    QVERIFY(shell->started.isEmpty());
    QCOMPARE(status->ShutDown(), ends);
    QCOMPARE(endRequests, ends ? 1 : 0);
    QCOMPARE(done->count(), ends ? 0 : 1); // the program goes on only when it does not end
}

void TestVersionCheck::unreadableAnswerOpensErrorWindow()
{
    answerWith("<html><status><newversion>1</newversion><message>no end");
    ShownWindows shown;
    QVERIFY(runCheck());
    QCOMPARE(shown.shown, QStringList{QStringLiteral("FError:")}); // nothing else

    const QList<FError *> windows = openErrorWindows();
    QCOMPARE(windows.size(), 1);
    QCOMPARE(windows.first()->txtError->toPlainText(),
             QStringLiteral("oStartStatus.OnVersionCheckAsynchResponse\n"
                            "oStartStatus.CheckVersionPage 5 Invalid procedure call or argument"));
    QCOMPARE(done->count(), 0);
    QVERIFY(!status->ShutDown());

    // The report goes into the e-mail with its CR LF.
    windows.first()->cmdEmail->click();
    QCOMPARE(shell->opened.size(), 1);
    QVERIFY(shell->opened.first().endsWith(
        QStringLiteral("&body=oStartStatus.OnVersionCheckAsynchResponse\r\n"
                       "oStartStatus.CheckVersionPage 5 Invalid procedure call or argument")));
}

BIDBENCH_TEST_MAIN(TestVersionCheck)
#include "tst_versioncheck.moc"
