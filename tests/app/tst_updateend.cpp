#include "AppFixture.h"
#include "FUpdateVersion.h"
#include "LoopbackServer.h"
#include "TestMain.h"

// One test only: ending for an update leaves every event loop of this process for good.
class TestUpdateEnd : public QObject
{
    Q_OBJECT

private slots:
    void acceptedUpdateEndsWithoutTheExitSteps()
    {
        LoopbackServer server;
        server.setHandler([](const LoopbackServer::Request &) {
            LoopbackServer::Reply reply;
            reply.body = "<status><newversion>1</newversion><updateurl>http://maker.test/setup-3.0.exe</updateurl>"
                         "<message>Version 3.0</message></status>";
            return reply;
        });
        AppFixture f;
        f.window = std::make_unique<FMain>(f.contextWithVersionCheck(server.hostPort()), true);
        const auto settingsFiles = [&f]() -> QByteArray {
            return readBytes(f.settings.fileFor("Mardell")) + readBytes(f.settings.fileFor("Talvex Bidbench"));
        };
        const QByteArray before = settingsFiles();
        answerNextModal<FUpdateVersion>([](FUpdateVersion *offer) {
            answerNextMessageBox(QMessageBox::Ok);
            offer->findChild<QPushButton *>("cmdUpdate")->click();
        });
        // The program's main loop: the window loads, the check starts, the answer is accepted.
        QEventLoop mainLoop;
        QTimer::singleShot(0, f.window.get(), [&f] { f.window->show(); });
        QTimer::singleShot(10000, &mainLoop, [&] { mainLoop.exit(99); });
        QCOMPARE(mainLoop.exec(), 0);
        QCOMPARE(f.shell.opened, QStringList{"http://maker.test/setup-3.0.exe"});

        // The window's exit steps did not run, and do not run when it goes away now.
        f.window->close();
        QVERIFY(f.window->isEnabled()); // no delayed exit, no password question
        f.window.reset();
        QCOMPARE(f.ended, 0);
        QCOMPARE(settingsFiles(), before);
    }
};

BIDBENCH_TEST_MAIN(TestUpdateEnd)
#include "tst_updateend.moc"
