#include "AppFixture.h"
#include "FFavorites.h"
#include "FUpdateVersion.h"
#include "LoopbackServer.h"
#include "ProgramEnd.h"
#include "TestMain.h"

// One test only: ending for an update leaves every event loop of this process for good.
class TestUpdateEnd : public QObject
{
    Q_OBJECT

private slots:
    // The offer is accepted while a list window is open: its loop, the offer's and the main
    // loop all end, the list is saved, and the main window's exit steps do not run.
    void acceptedUpdateEndsWithoutTheExitSteps()
    {
        LoopbackServer server;
        server.setHandler([](const LoopbackServer::Request &) {
            LoopbackServer::Reply reply;
            reply.body = "<status><newversion>1</newversion><updateurl>http://maker.test/setup-3.0.exe</updateurl>"
                         "<message>Version 3.0</message></status>";
            reply.delayMs = 300; // the list window is open by then
            return reply;
        });
        AppFixture f;
        writeBytes(f.dataDir + "/Sellers.txt", "bob\nann\nbob\n");
        f.window = std::make_unique<FMain>(f.contextWithVersionCheck(server.hostPort()), true);
        const auto settingsFiles = [&f]() -> QByteArray {
            return readBytes(f.settings.fileFor("Mardell")) + readBytes(f.settings.fileFor("Talvex Bidbench"));
        };
        const QByteArray before = settingsFiles();
        bool listOpen = false;
        answerNextModal<FFavorites>([&listOpen](QWidget *) { listOpen = true; });
        answerNextModal<FUpdateVersion>([](FUpdateVersion *offer) { offer->findChild<QPushButton *>("cmdUpdate")->click(); });
        ShownWindows told; // the download's message
        QSignalSpy saving(&ProgramEnd::instance(), &ProgramEnd::savingBeforeEnd);
        QEventLoop mainLoop;
        bool listReturned = false;
        QTimer::singleShot(0, f.window.get(), [&] {
            f.window->show();
            f.trigger(Menus::mnuFavoritesSellers);
            listReturned = true;
        });
        QTimer::singleShot(10000, &mainLoop, [&] { mainLoop.exit(99); }); // a stuck loop fails, not hangs
        QCOMPARE(mainLoop.exec(), 0);
        QVERIFY(listOpen && listReturned && saving.count() == 1);
        QCOMPARE(f.shell.opened, QStringList{"http://maker.test/setup-3.0.exe"});
        QCOMPARE(readBytes(f.dataDir + "/Sellers.txt"), "bob\r\nann\r\n");

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
