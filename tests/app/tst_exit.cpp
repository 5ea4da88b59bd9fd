#include "AppFixture.h"
#include "TestMain.h"
#include "TitleBarClose.h"

#include <QTimer>

namespace {
const QString kStart = QStringLiteral("http://r.test/link-1?loc=http%3A//www.ebay.com");

using Write = FMain::SettingWrite;
} // namespace

// The delayed exit: File > Exit and the title-bar close, the two seconds, the settings written.
class TestExit : public QObject
{
    Q_OBJECT

private slots:
    void exitWaitsTwoSecondsThenStores();
    void closeFromTheTitleBarTakesTheSameRoad();
    void settingsWrittenInOrder_data();
    void settingsWrittenInOrder();
    void otherWindowsAreClosed();
};

void TestExit::exitWaitsTwoSecondsThenStores()
{
    AppFixture f;
    FMain *w = f.start();
    f.store("Settings", "Site", "untouched");
    const int before = f.auction()->requests.size();

    w->mnuFileExit->trigger();
    // Disabled, with the hourglass, and the auction pane reloads the start page.
    QVERIFY(!w->isEnabled());
    QVERIFY(QApplication::overrideCursor());
    QCOMPARE(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    QVERIFY(w->timAppEnd->remainingTime() > 1500);
    QCOMPARE(f.auction()->requests.size(), before + 1);
    QCOMPARE(f.auction()->requests.last().address, kStart);
    QVERIFY(w->isVisible());
    QCOMPARE(f.ended, 0);
    QCOMPARE(f.setting("Settings", "Site"), QString("untouched"));

    QTRY_COMPARE_WITH_TIMEOUT(f.ended, 1, 4000);
    QVERIFY(!w->isVisible());
    QVERIFY(!QApplication::overrideCursor());
    QCOMPARE(f.setting("Settings", "Site"), QString("1"));
    // The settings were complete when the program was told to end.
    QVERIFY(f.settingsAtEnd.value(1).contains("WindowHeight="));
}

void TestExit::closeFromTheTitleBarTakesTheSameRoad()
{
    AppFixture f;
    FMain *w = f.start();
    w->mnuOptionsSite(9)->trigger();
    const int before = f.auction()->requests.size();

    QVERIFY(!closeFromTitleBar(w)); // refused: the window stays for the delayed exit
    QVERIFY(w->isVisible());
    QVERIFY(!w->isEnabled());
    QCOMPARE(f.auction()->requests.last().address, QString("http://at.test"));

    // A second close while waiting neither ends early nor starts over.
    QVERIFY(!closeFromTitleBar(w));
    QCOMPARE(f.auction()->requests.size(), before + 1);
    QCOMPARE(f.ended, 0);

    w->timAppEnd->setInterval(1); // no need to wait the full two seconds again
    w->timAppEnd->start();
    QTRY_COMPARE(f.ended, 1);
    QVERIFY(!w->isVisible());
    QCOMPARE(f.setting("Settings", "Site"), QString("9"));
}

void TestExit::settingsWrittenInOrder_data()
{
    QTest::addColumn<bool>("textOff");
    QTest::addColumn<int>("site");
    QTest::addColumn<bool>("noSite");
    QTest::newRow("text shown, site 1") << false << 1 << false;
    QTest::newRow("text hidden, site 14") << true << 14 << false;
    QTest::newRow("no site checked") << false << 1 << true;
}

void TestExit::settingsWrittenInOrder()
{
    QFETCH(bool, textOff);
    QFETCH(int, site);
    QFETCH(bool, noSite);
    AppFixture f;
    FMain *w = f.start();
    w->mnuOptionsSite(site)->trigger();
    if (noSite)
        w->mnuOptionsSite(site)->setChecked(false);
    if (textOff)
        w->mnuButtonBarStatusViewLabels->trigger();
    w->resize(700, 500);
    const QSize outer = w->frameGeometry().size();

    const QString width = QString::number(outer.width() * 15);
    const QString height = QString::number(outer.height() * 15);
    const QString siteText = noSite ? "0" : QString::number(site);
    const QString labels = textOff ? "N" : "";
    const QList<Write> expected{
        {"Talvex Bidbench", "Settings", "Site", siteText},
        {"Talvex Bidbench", "Settings", "TextLabels", labels},
        {"Mardell", "Talvex Bidbench", "WindowState", "0"},
        {"Mardell", "Talvex Bidbench", "WindowWidth", width},
        {"Mardell", "Talvex Bidbench", "WindowHeight", height},
    };
    QCOMPARE(w->exitSettings(), expected);

    w->timAppEnd->setInterval(1);
    w->ExitProgram();
    QTRY_COMPARE(f.ended, 1);
    for (const Write &write : expected)
        QCOMPARE(f.settings.GetSetting(write.application, write.section, write.key), write.value);
    // An empty TextLabels is stored as a key with an empty value, not left out.
    QVERIFY(f.settingsAtEnd.value(0).contains(textOff ? "TextLabels=N" : "TextLabels="));
}

void TestExit::otherWindowsAreClosed()
{
    AppFixture f;
    FMain *w = f.start();
    QWidget other;
    other.setWindowTitle("a favourites window");
    other.show();
    QVERIFY(other.isVisible());
    w->timAppEnd->setInterval(1);
    w->ExitProgram();
    QTRY_COMPARE(f.ended, 1);
    QVERIFY(!other.isVisible());
}

BIDBENCH_TEST_MAIN(TestExit)
#include "tst_exit.moc"
