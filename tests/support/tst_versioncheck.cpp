#include "CError.h"
#include "CStartStatus.h"
#include "FError.h"
#include "FUpdateVersion.h"
#include "LoopbackServer.h"
#include "MdWebCon.h"
#include "ModalAnswer.h"
#include "RecordingShell.h"
#include "TestFiles.h"
#include "TestMain.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>

namespace {
// Every window that shows and every page handed to the desktop, in order. A message box that
// would read the server's text as markup is marked.
class Seen : public ShownWindows
{
public:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *box = qobject_cast<QMessageBox *>(watched);
        if (box && event->type() == QEvent::Show && box->textFormat() != Qt::PlainText)
            shown.append(QStringLiteral("markup!"));
        return ShownWindows::eventFilter(watched, event);
    }
};

class LoggingShell : public RecordingShell
{
public:
    explicit LoggingShell(QStringList &log) : m_log(log) {}
    bool open(const QString &target) override
    {
        m_log.append(QStringLiteral("open:") + target);
        return RecordingShell::open(target);
    }

private:
    QStringList &m_log;
};
} // namespace

// Reading the server's answer, then the whole check from the request to what the user sees,
// against a loopback "maker's server".
class TestVersionCheck : public QObject
{
    Q_OBJECT

private slots:
    void readingTheAnswer_data();
    void readingTheAnswer();
    void answerAndUserAction_data();
    void answerAndUserAction();
    void checkThatCannotStartIsAnError();
};

void TestVersionCheck::readingTheAnswer_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<bool>("isNew");
    QTest::addColumn<QString>("url"); // "kept": the answer gave none
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("error");
    const QString invalid = QStringLiteral("5 Invalid procedure call or argument");
    QTest::newRow("no status") << "<html><newversion>1</newversion><message>hi</message></html>" << false
                               << "kept" << "" << "";
    // "<message>" and "</message>" take 19 characters of the status text.
    QTest::newRow("status of 20 characters") << "<status><message>a</message></status>" << false << "kept" << "" << "";
    QTest::newRow("status of 21 characters") << "<status><message>ab</message></status>" << false << "kept" << "ab" << "";
    QTest::newRow("any order, other tags")
        << "<status><message>m</message><updateurl>http://x/s.exe</updateurl><o>x</o><newversion>1</newversion></status>"
        << true << "http://x/s.exe" << "m" << "";
    QTest::newRow("\"true\" is not new") << "<status><newversion>true</newversion><message>Hello</message></status>"
                                         << false << "kept" << "Hello" << "";
    QTest::newRow("\" 1\" is not new") << "<status><newversion> 1</newversion><message>Hello</message></status>"
                                       << false << "kept" << "Hello" << "";
    QTest::newRow("items outside the status")
        << "<newversion>1</newversion><status><something>long enough text</something></status><message>x</message>"
        << false << "kept" << "" << "";
    QTest::newRow("untrimmed, undecoded") << "<status><newversion>1</newversion><message> a &amp; b\r\nc </message></status>"
                                          << true << "kept" << " a &amp; b\r\nc " << "";
    QTest::newRow("status not closed") << "<status><newversion>1</newversion>" << false << "kept" << "" << invalid;
    QTest::newRow("message not closed") << "<status><newversion>1</newversion><message>Hello</status>" << true << "kept"
                                        << "" << invalid;
    QTest::newRow("closed before it opens, again after")
        << "<status></message><newversion>1</newversion><message>hi</message></status>" << true << "kept" << ""
        << invalid;
}

void TestVersionCheck::readingTheAnswer()
{
    QFETCH(QString, answer);
    QFETCH(bool, isNew);
    QFETCH(QString, url);
    QFETCH(QString, message);
    QFETCH(QString, error);
    CStartStatus::VersionAnswer read;
    read.sUpdateURL = QStringLiteral("kept");
    const std::optional<RaisedError> raised = CStartStatus::ReadTaggedAnswer(answer, read);
    QCOMPARE(raised ? QString::number(raised->number()) + QLatin1Char(' ') + raised->description() : QString(), error);
    QCOMPARE(read.bIsNewVersion, isNew);
    QCOMPARE(read.sUpdateURL, url);
    QCOMPARE(read.sMessage, message);
}

void TestVersionCheck::answerAndUserAction_data()
{
    QTest::addColumn<QByteArray>("answer");
    QTest::addColumn<int>("httpStatus");
    QTest::addColumn<QString>("action"); // on the update offer
    QTest::addColumn<QStringList>("seen");
    QTest::addColumn<QStringList>("texts"); // "[offer's text]", then what boxes and error windows say
    QTest::addColumn<bool>("ends");
    QTest::addColumn<int>("done");

    const auto offer = [](const QByteArray &url, const QByteArray &message = "Version 3.0\r\nNew: all.") -> QByteArray {
        return "<status><newversion>1</newversion><updateurl>" + url + "</updateurl><message>" + message
               + "</message></status>";
    };
    const QString offered = QStringLiteral("FUpdateVersion:New Version Available.");
    const QString box = QStringLiteral("QMessageBox:Download update");
    const QString shown = QStringLiteral("[Version 3.0\nNew: all.]");
    const QString download = QStringLiteral("A setup file will now be retrieved from the internet.\r\n"
                                            "Please choose 'Open' when you are prompted.");
    QTest::newRow("no status") << QByteArray("<html><message>x</message></html>") << 200 << "" << QStringList()
                               << QStringList() << false << 1;
    QTest::newRow("nothing new") << QByteArray("<status><newversion>0</newversion><updateurl>http://x/</updateurl></status>")
                                 << 200 << "" << QStringList() << QStringList() << false << 1;
    QTest::newRow("404 is not read") << QByteArray("<status><newversion>1</newversion><message>x</status>") << 404 << ""
                                     << QStringList() << QStringList() << false << 0;
    QTest::newRow("message alone, as text")
        << QByteArray("<status><newversion>true</newversion><message>Hello <b>you</b></message></status>") << 200 << ""
        << QStringList{"QMessageBox:Mardell Message"} << QStringList{"Hello <b>you</b>"} << false << 1;
    QTest::newRow("Update Later") << offer("http://x/setup.exe") << 200 << "later" << QStringList{offered}
                                  << QStringList{shown} << false << 1;
    QTest::newRow("close box, empty message") << offer("http://x/setup.exe", "") << 200 << "close"
                                              << QStringList{offered} << QStringList{"[]"} << false << 1;
    QTest::newRow("Update Now") << offer("http://x/files/setup 3.0.exe") << 200 << "update"
                                << QStringList{offered, box, "open:http://x/files/setup 3.0.exe"}
                                << QStringList{shown, download} << true << 0;
    QTest::newRow("Update Now, address trimmed") << offer("\r\n  https://x/setup.exe\r\n") << 200 << "update"
                                                 << QStringList{offered, box, "open:https://x/setup.exe"}
                                                 << QStringList{shown, download} << true << 0;
    // Refused: the user is told which address, and the program goes on.
    QTest::newRow("file address refused") << offer("file:///usr/bin/xterm") << 200 << "update"
                                          << QStringList{offered, box} << QStringList{shown, "file:///usr/bin/xterm"}
                                          << false << 1;
    QTest::newRow("ftp refused") << offer("ftp://x/setup.exe") << 200 << "update" << QStringList{offered, box}
                                 << QStringList{shown, "ftp://x/setup.exe"} << false << 1;
    QTest::newRow("unreadable answer reported")
        << QByteArray("<html><status><newversion>1</newversion><message>no end") << 200 << "" << QStringList{"FError:"}
        << QStringList{"oStartStatus.OnVersionCheckAsynchResponse\n"
                       "oStartStatus.CheckVersionPage 5 Invalid procedure call or argument"}
        << false << 0;
}

void TestVersionCheck::answerAndUserAction()
{
    QFETCH(QByteArray, answer);
    QFETCH(int, httpStatus);
    QFETCH(QString, action);
    QFETCH(QStringList, seen);
    QFETCH(QStringList, texts);
    QFETCH(bool, ends);
    QFETCH(int, done);

    LoopbackServer server;
    server.setHandler([&](const LoopbackServer::Request &) {
        LoopbackServer::Reply reply;
        reply.status = httpStatus;
        reply.body = answer;
        return reply;
    });
    Seen windows;
    LoggingShell shell(windows.shown);
    CError errors(QStringLiteral("support@maker.test"), shell);
    Destinations d = testDestinations();
    d.makerWebHost = server.hostPort();
    CStartStatus status(errors, shell, d);
    status.Initialize(10, 1.2f);
    int endRequests = 0;
    status.setEndProgram([&] { ++endRequests; });
    QSignalSpy doneChecking(&status, &CStartStatus::DoneChecking);
    answerNextModal<FUpdateVersion>([&](FUpdateVersion *offer) {
        QTest::keyClick(offer, Qt::Key_Escape); // no cancel button: Esc declines nothing
        windows.texts.append('[' + offer->findChild<QPlainTextEdit *>("txtMessage")->toPlainText() + ']');
        if (action == QLatin1String("close"))
            offer->close();
        else
            offer->findChild<QPushButton *>(action == QLatin1String("update") ? "cmdUpdate" : "cmdDoNotUpgrade")->click();
    });

    QVERIFY(!status.CheckVersion());
    bool answered = false;
    // Queued behind the handler of the same response, so it runs once the result was shown.
    connect(status.connection(), &MdWebCon::AsynchResponse, this, [&] { answered = true; }, Qt::QueuedConnection);
    QVERIFY(QTest::qWaitFor([&] { return answered; }, 10000));
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (auto *error = qobject_cast<FError *>(w); error && error->isVisible()) {
            windows.texts.append(error->findChild<QPlainTextEdit *>("txtError")->toPlainText());
            error->close();
        }
    }

    QCOMPARE(server.requests.size(), 1);
    QCOMPARE(server.requests.first().pathAndQuery(),
             QStringLiteral("/version/versioncheck.asp?app=Talvex%20Bidbench&version=2.0.1&appclass=10&language="));
    QCOMPARE(windows.shown, seen);
    QCOMPARE(windows.texts.size(), texts.size());
    for (qsizetype i = 0; i < texts.size(); ++i)
        QVERIFY2(windows.texts.at(i).contains(texts.at(i)), qPrintable(windows.texts.at(i)));
    QCOMPARE(status.ShutDown(), ends);
    QCOMPARE(endRequests, ends ? 1 : 0);
    QCOMPARE(doneChecking.count(), done);
}

void TestVersionCheck::checkThatCannotStartIsAnError()
{
    RecordingShell shell;
    CError errors(QStringLiteral("support@maker.test"), shell);
    CStartStatus status(errors, shell, testDestinations());
    status.setConnectionFactory([](QObject *) -> MdWebCon * { return nullptr; });
    const std::optional<RaisedError> error = status.CheckVersion();
    QVERIFY(error);
    QCOMPARE(error->number(), RaisedError::kUserError);
    QCOMPARE(error->description(), QStringLiteral("oStartStatus.Check 429 Can't create object"));
}

BIDBENCH_TEST_MAIN(TestVersionCheck)
#include "tst_versioncheck.moc"
