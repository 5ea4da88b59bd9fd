#include "MainLayout.h"
#include "TestMain.h"

class TestLayout : public QObject
{
    Q_OBJECT

private slots:
    void layoutControls_data();
    void layoutControls();
};

void TestLayout::layoutControls_data()
{
    QTest::addColumn<int>("W");
    QTest::addColumn<int>("SW");
    QTest::addColumn<int>("SH");
    QTest::addColumn<bool>("text");
    // tab top, tab width, tab height, pane width, pane height, Go left, address width,
    // indicator left, link left
    QTest::addColumn<QList<int>>("expected");

    QTest::newRow("design size, text shown")
        << 10140 << 10020 << 6585 << true
        << QList<int>{660, 10090, 5635, 10060, 4805, 9120, 7870, 9470, 8890};
    QTest::newRow("design size, text hidden")
        << 10140 << 10020 << 6585 << false
        << QList<int>{500, 10090, 5805, 10060, 4975, 9120, 7870, 9470, 8890};
    QTest::newRow("lower than the reserve")
        << 3000 << 2880 << 600 << true
        << QList<int>{660, 2950, 350, 2920, 480, 1980, 730, 2330, 1750};
    QTest::newRow("tab just taller than its panes")
        << 6000 << 5900 << 1800 << true
        << QList<int>{660, 5950, 850, 5920, 20, 5000, 3750, 5350, 4750};
    QTest::newRow("minimized: client 0 x 0")
        << 2400 << 0 << 0 << false
        << QList<int>{500, 2350, 780, 2320, 50, 900, 2150, 550, 1150};
    QTest::newRow("outer width below the margins")
        << 30 << 0 << 0 << true
        << QList<int>{660, -20, 950, -50, 120, 900, 2150, 550, 1220};
}

void TestLayout::layoutControls()
{
    QFETCH(int, W);
    QFETCH(int, SW);
    QFETCH(int, SH);
    QFETCH(bool, text);
    QFETCH(QList<int>, expected);

    const MainLayout l = LayoutControls({W, SW, SH, text});
    const QList<int> actual{l.tabTop, l.tabWidth, l.tabHeight, l.paneWidth, l.paneHeight,
                            l.goLeft, l.addressWidth, l.picSnipeLeft, l.lblMardellLeft};
    QCOMPARE(actual, expected);
    // The toolbar always ends above the tab control.
    QVERIFY(l.toolbarHeight < l.tabTop);
}

BIDBENCH_TEST_MAIN(TestLayout)
#include "tst_layout.moc"
