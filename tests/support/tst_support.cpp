#include "CError.h"
#include "CStartStatus.h"
#include "FError.h"
#include "FUpdateVersion.h"
#include "LoopbackServer.h"
#include "MdWebCon.h"
#include "ProgramIdentity.h"
#include "ModalAnswer.h"
#include "RecordingShell.h"
#include "TestFiles.h"
#include "TestMain.h"
#include "TitleBarClose.h"

namespace {
template <typename T = QPushButton>
T *control(QWidget *window, const char *name)
{
    return window->findChild<T *>(QLatin1String(name));
}

// What the user sees and what goes to the desktop, in order: each window ("Class:title"), the
// text of each message box ("markup!" if it would read the server's text as markup) and each
// page handed to the browser ("open:address").
class Seen : public ShownWindows, public RecordingShell
{
public:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        const bool handled = ShownWindows::eventFilter(watched, event);
        if (auto *box = qobject_cast<QMessageBox *>(watched); box && event->type() == QEvent::Show)
            shown.append(box->textFormat() == Qt::PlainText ? box->text() : QStringLiteral("markup!"));
        return handled;
    }
    bool open(const QString &target) override
    {
        if (target.contains(QLatin1String("out-of-memory")))
            throw std::bad_alloc();
        return shown.append(QStringLiteral("open:") + target), true;
    }
};
} // namespace

// The version check from the server's answer to what the user sees (against a loopback
// "maker's server") and the error window. (The About box: the desktop journeys, which open it,
// read its controls and leave it by keys.)
class TestSupport : public QObject
{
    Q_OBJECT

private slots:
    void readingTheAnswer_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("read"); // new version | update address ("kept": none given) | message | error
        const QString invalid = QStringLiteral("|5 Invalid procedure call or argument");
        QTest::newRow("no status") << "<html><newversion>1</newversion><message>hi</message></html>" << "0|kept||";
        // "<message>" and "</message>" take 19 characters of the status text.
        QTest::newRow("status of 20 characters") << "<status><message>a</message></status>" << "0|kept||";
        QTest::newRow("status of 21 characters") << "<status><message>ab</message></status>" << "0|kept|ab|";
        QTest::newRow("any order, other tags")
            << "<status><message>m</message><updateurl>http://x/s</updateurl><o>x</o><newversion>1</newversion></status>"
            << "1|http://x/s|m|";
        QTest::newRow("\" 1\" is not new") << "<status><newversion> 1</newversion><message>Hi</message></status>" << "0|kept|Hi|";
        QTest::newRow("outside the status") << "<newversion>1</newversion><status><x>long enough text</x></status>" << "0|kept||";
        QTest::newRow("untrimmed, undecoded") << "<status><newversion>1</newversion><message> a &amp; b\r\nc </message></status>"
                                              << "1|kept| a &amp; b\r\nc |";
        QTest::newRow("status not closed") << "<status><newversion>1</newversion>" << "0|kept|" + invalid;
    }

    void readingTheAnswer()
    {
        QFETCH(QString, answer);
        QFETCH(QString, read);
        CStartStatus::VersionAnswer into;
        into.sUpdateURL = QStringLiteral("kept");
        const std::optional<RaisedError> error = CStartStatus::ReadTaggedAnswer(answer, into);
        const QString raised = error ? QString::number(error->number()) + ' ' + error->description() : QString();
        QCOMPARE(QStringList({QString::number(into.bIsNewVersion), into.sUpdateURL, into.sMessage, raised}).join('|'), read);
    }

    void answerAndUserAction_data()
    {
        QTest::addColumn<QByteArray>("answer");
        QTest::addColumn<int>("httpStatus");
        QTest::addColumn<QStringList>("seen"); // each entry found in what was seen at its place
        QTest::addColumn<QString>("after"); // shut down? end requests, DoneChecking signals

        const auto offer = [](const QByteArray &url, const QByteArray &message = "Version 3.0\r\nNew: all.") -> QByteArray {
            return "<status><newversion>1</newversion><updateurl>" + url + "</updateurl><message>" + message + "</message></status>";
        };
        const QStringList offered{"FUpdateVersion:New Version Available.", "[Version 3.0\nNew: all.]"};
        const QStringList download = offered + QStringList{"QMessageBox:Download update", "A setup file will now be retrieved"};
        QTest::newRow("404 is not read") << QByteArray("<status><newversion>1</newversion><message>x</status>") << 404
                                         << QStringList() << "0 0 0";
        QTest::newRow("message alone, as text")
            << QByteArray("<status><newversion>true</newversion><message>Hello <b>you</b></message></status>") << 200
            << QStringList{"QMessageBox:Mardell Message", "Hello <b>you</b>"} << "0 0 1";
        QTest::newRow("Update Now, https") << offer("\r\n https://x/setup 3.0.exe\r\n") << 200
                                           << download + QStringList{"open:https://x/setup 3.0.exe"} << "1 1 0";
        // Refused: the user is told which address, and the program goes on. ("true" is no new version
        // either; Update Later, and the error window for an answer that cannot be read, are the
        // desktop journeys'.)
        QTest::newRow("file address refused") << offer("file:///usr/bin/xterm") << 200
                                              << offered + QStringList{"QMessageBox:Download update", "file:///usr/bin/xterm"}
                                              << "0 0 1";
        QTest::newRow("over 1 MiB is a failed check") << offer("http://x/setup.exe") + QByteArray(1 << 20, ' ') << 200
                                                      << QStringList() << "0 0 0";
        QTest::newRow("a failure while showing it is reported") << offer("http://x/out-of-memory.exe") << 200
            << download + QStringList{"FError:", "oStartStatus.OnVersionCheckAsynchResponse\n"
                                                 "oStartStatus.CheckVersionPage 51 std::bad_alloc"} << "0 0 0";
    }

    void answerAndUserAction()
    {
        QFETCH(QByteArray, answer);
        QFETCH(int, httpStatus);
        QFETCH(QStringList, seen);
        QFETCH(QString, after);

        LoopbackServer server;
        server.setHandler([&](const LoopbackServer::Request &) { return LoopbackServer::Reply{httpStatus, answer}; });
        Seen user;
        CError errors(QStringLiteral("support@maker.test"), user);
        Destinations d = testDestinations();
        d.makerWebHost = server.hostPort();
        CStartStatus status(errors, user, d);
        status.Initialize(10, 1.2f);
        int endRequests = 0;
        status.setEndProgram([&] { ++endRequests; });
        QSignalSpy done(&status, &CStartStatus::DoneChecking);
        // A row without an offer must not leave its answer to the next row's offer.
        const QPointer<QObject> offerAnswer = answerNextModal<FUpdateVersion>([&](FUpdateVersion *offer) {
            QVERIFY(keyToFocus(offer, Qt::Key_Escape)); // no cancel button: Esc declines nothing
            user.shown.append('[' + control<QPlainTextEdit>(offer, "txtMessage")->toPlainText() + ']');
            control(offer, "cmdUpdate")->click();
        });
        const auto cancel = qScopeGuard([&] { delete offerAnswer.data(); });

        QVERIFY(!status.CheckVersion());
        // Connected after the handler of the same response, so it sees the response once the result was shown.
        QVERIFY(QSignalSpy(status.connection(), &MdWebCon::AsynchResponse).wait(10000));
        for (FError *error : windowsOnShow<FError>()) {
            user.shown.append(control<QPlainTextEdit>(error, "txtError")->toPlainText());
            error->close();
        }

        QCOMPARE(server.pagePaths(), QStringList{"/version/versioncheck.asp?app=Talvex%20Bidbench&version=" + ProgramIdentity::versionText()
                                                  + "&appclass=10&language="});
        QCOMPARE(user.shown.size(), seen.size());
        for (qsizetype i = 0; i < seen.size(); ++i)
            QVERIFY2(user.shown.at(i).contains(seen.at(i)), qPrintable(user.shown.join(" | ")));
        QCOMPARE(QString("%1 %2 %3").arg(status.ShutDown()).arg(endRequests).arg(done.count()), after);
    }

    void errorWindowsStandAlone()
    {
        RecordingShell shell;
        shell.result = false; // no mail program: the window closes all the same
        CError errors(QStringLiteral("help@maker.test"), shell);
        const QString report = QStringLiteral("50% & more?\r\nline two");
        for (const QString &text : {report, QStringLiteral("x")})
            errors.Alert(text);
        QMap<QString, FError *> byText;
        for (FError *w : windowsOnShow<FError>()) {
            QVERIFY(w->windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint) && !w->isModal() && !w->parentWidget());
            // Whatever font stands in for Tahoma, the label is not cut off.
            auto *label = control<QLabel>(w, "lblError");
            QVERIFY(label->height() >= label->heightForWidth(label->width()));
            byText.insert(control<QPlainTextEdit>(w, "txtError")->toPlainText(), w);
        }
        QCOMPARE(byText.keys(), (QStringList{"50% & more?\nline two", "x"})); // Continue: the desktop journeys
        QVERIFY(closeFromTitleBar(byText.value("x")));
        control(byText.value("50% & more?\nline two"), "cmdEmail")->click();
        QCOMPARE(shell.opened, QStringList{"mailto:help@maker.test?subject=Talvex Bidbench " + ProgramIdentity::versionText() + " Error&body=" + report});
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(windowsOnShow<FError>().isEmpty());
    }
};

BIDBENCH_TEST_MAIN(TestSupport)
#include "tst_support.moc"
