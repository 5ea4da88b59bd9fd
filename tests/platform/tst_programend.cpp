#include "ProgramEnd.h"
#include "TestMain.h"

// One test only: ending the program leaves every event loop of this process for good.
class TestProgramEnd : public QObject
{
    Q_OBJECT

private slots:
    void endingSavesOpenWindowsThenLeavesEveryLoop()
    {
        ProgramEnd &end = ProgramEnd::instance();
        QVERIFY(!end.isEnding());

        QStringList saved;
        auto *open = new QDialog;
        connect(&end, &ProgramEnd::savingBeforeEnd, open, [&] { saved.append("open"); });
        {
            QDialog closedEarlier;
            connect(&end, &ProgramEnd::savingBeforeEnd, &closedEarlier, [&] { saved.append("closed"); });
        }

        // The main loop, and a modal window's loop nested inside it, as when the update is
        // accepted while a favourites window is up.
        QEventLoop mainLoop;
        int modalResult = -2;
        bool endingSeenBySaver = false;
        connect(&end, &ProgramEnd::savingBeforeEnd, this, [&] { endingSeenBySaver = end.isEnding(); });
        QTimer::singleShot(0, open, [&] {
            QTimer::singleShot(0, &end, [&] { end.endNow(3); });
            modalResult = open->exec();
        });
        QTimer::singleShot(5000, &mainLoop, [&] { mainLoop.exit(99); }); // a stuck loop fails, not hangs

        QCOMPARE(mainLoop.exec(), 3);
        QCOMPARE(modalResult, 0); // the modal window gave no answer of its own
        QCOMPARE(saved, QStringList{"open"});
        QVERIFY(endingSeenBySaver);
        QVERIFY(end.isEnding());

        end.endNow(); // a second request changes nothing
        QCOMPARE(saved.size(), 1);
        delete open;
    }
};

BIDBENCH_TEST_MAIN(TestProgramEnd)
#include "tst_programend.moc"
