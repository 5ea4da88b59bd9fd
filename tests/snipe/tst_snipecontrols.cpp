#include "BusyIndicator.h"
#include "ShortcutPriority.h"
#include "StarFrames.h"
#include "TestMain.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QSignalSpy>

namespace {

// Counts the label's paints, which is what an idle tick must not cause.
class PaintCounter : public QObject
{
public:
    int paints = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

qint64 shownKey(const QLabel &label)
{
    return label.pixmap().cacheKey();
}

} // namespace

class TestSnipeControls : public QObject
{
    Q_OBJECT

private slots:
    void framesAreDistinctAndSized();
    void busyTicksCycleFramesOneToSeven_data();
    void busyTicksCycleFramesOneToSeven();
    void listFollowsLabelsOptionOnNextTick();
    void idleShowsRestingOnceWithoutRepaint();
    void restingAtLoadIsTheLargeList();
    void ctrlZReachesMenuFromAddressBox_data();
    void ctrlZReachesMenuFromAddressBox();
    void otherWindowsKeepTheirUndo();
};

void TestSnipeControls::framesAreDistinctAndSized()
{
    const StarFrames frames;
    for (bool large : {true, false}) {
        const int size = large ? StarFrames::kLargeSize : StarFrames::kSmallSize;
        QList<QImage> images;
        for (int i = 1; i <= StarFrames::kFrameCount; ++i) {
            const QPixmap &pixmap = frames.frame(large, i);
            QCOMPARE(pixmap.size(), QSize(size, size));
            images.append(pixmap.toImage());
        }
        for (int a = 0; a < images.size(); ++a) {
            for (int b = a + 1; b < images.size(); ++b)
                QVERIFY2(images.at(a) != images.at(b), qPrintable(QStringLiteral("frames %1 and %2 look the same").arg(a + 1).arg(b + 1)));
        }
    }
    QVERIFY(frames.large(1).cacheKey() != frames.small(1).cacheKey());
}

void TestSnipeControls::busyTicksCycleFramesOneToSeven_data()
{
    QTest::addColumn<bool>("large");
    QTest::newRow("large list") << true;
    QTest::newRow("small list") << false;
}

void TestSnipeControls::busyTicksCycleFramesOneToSeven()
{
    QFETCH(bool, large);
    const StarFrames frames;
    QLabel picSnipe;
    BusyIndicator indicator(picSnipe, frames);
    QList<int> shown;
    for (int tick = 0; tick < 9; ++tick) {
        indicator.tick(true, large);
        for (int i = 1; i <= StarFrames::kFrameCount; ++i) {
            if (shownKey(picSnipe) == frames.frame(large, i).cacheKey())
                shown.append(i);
        }
    }
    QCOMPARE(shown, (QList<int>{1, 2, 3, 4, 5, 6, 7, 1, 2}));
}

void TestSnipeControls::listFollowsLabelsOptionOnNextTick()
{
    const StarFrames frames;
    QLabel picSnipe;
    BusyIndicator indicator(picSnipe, frames);
    indicator.tick(true, true);
    indicator.tick(true, true);
    QCOMPARE(shownKey(picSnipe), frames.large(2).cacheKey());
    indicator.tick(true, false);
    QCOMPARE(shownKey(picSnipe), frames.small(3).cacheKey());
    indicator.tick(false, false);
    QCOMPARE(shownKey(picSnipe), frames.small(8).cacheKey());
    indicator.tick(false, true);
    QCOMPARE(shownKey(picSnipe), frames.large(8).cacheKey());
}

void TestSnipeControls::idleShowsRestingOnceWithoutRepaint()
{
    const StarFrames frames;
    QLabel picSnipe;
    picSnipe.resize(40, 40);
    BusyIndicator indicator(picSnipe, frames);
    picSnipe.show();
    QVERIFY(QTest::qWaitForWindowExposed(&picSnipe));
    for (int tick = 0; tick < 3; ++tick)
        indicator.tick(true, true);
    QCOMPARE(shownKey(picSnipe), frames.large(3).cacheKey());

    indicator.tick(false, true);
    QCOMPARE(shownKey(picSnipe), frames.large(8).cacheKey());
    QCOMPARE(indicator.counter(), 4);
    QCoreApplication::processEvents();

    PaintCounter counter;
    picSnipe.installEventFilter(&counter);
    for (int tick = 0; tick < 10; ++tick) {
        indicator.tick(false, true);
        QCoreApplication::processEvents();
    }
    QCOMPARE(counter.paints, 0);
    // The counter advanced on every idle tick all the same: 4 + 10 wraps to 7.
    QCOMPARE(indicator.counter(), 7);
    QCOMPARE(shownKey(picSnipe), frames.large(8).cacheKey());

    // And a busy tick paints again.
    indicator.tick(true, true);
    QTRY_VERIFY(counter.paints > 0);
    QCOMPARE(shownKey(picSnipe), frames.large(1).cacheKey());
}

void TestSnipeControls::restingAtLoadIsTheLargeList()
{
    const StarFrames frames;
    QLabel picSnipe;
    BusyIndicator indicator(picSnipe, frames);
    indicator.showResting();
    QCOMPARE(shownKey(picSnipe), frames.large(8).cacheKey());
    QCOMPARE(indicator.counter(), 0);
}

void TestSnipeControls::ctrlZReachesMenuFromAddressBox_data()
{
    QTest::addColumn<bool>("withPriority");
    QTest::addColumn<bool>("itemEnabled");
    QTest::addColumn<bool>("snipes");
    QTest::newRow("menu shortcut wins") << true << true << true;
    QTest::newRow("disabled item leaves the box its undo") << true << false << false;
    QTest::newRow("without it the box undoes") << false << true << false;
}

void TestSnipeControls::ctrlZReachesMenuFromAddressBox()
{
    QFETCH(bool, withPriority);
    QFETCH(bool, itemEnabled);
    QFETCH(bool, snipes);
    QMainWindow window;
    QMenu *tools = window.menuBar()->addMenu(QStringLiteral("&Tools"));
    QAction *snipe = tools->addAction(QStringLiteral("Snipe &Current Auction"));
    snipe->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    snipe->setEnabled(itemEnabled);
    auto *address = new QComboBox;
    address->setEditable(true);
    window.setCentralWidget(address);
    if (withPriority)
        new ShortcutPriority(&window, snipe);
    QSignalSpy triggered(snipe, &QAction::triggered);

    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    address->setFocus();
    const QString typed = QStringLiteral("http://x.example/v?item=1234567890");
    QTest::keyClicks(address->lineEdit(), typed);
    QCOMPARE(address->currentText(), typed);

    QTest::keyClick(address->lineEdit(), Qt::Key_Z, Qt::ControlModifier);
    if (snipes) {
        QCOMPARE(triggered.count(), 1);
        QCOMPARE(address->currentText(), typed);
        // Other editing keys still belong to the box.
        QTest::keyClick(address->lineEdit(), Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(address->lineEdit()->selectedText(), typed);
    } else {
        QCOMPARE(triggered.count(), 0);
        QVERIFY(address->currentText() != typed);
    }
}

void TestSnipeControls::otherWindowsKeepTheirUndo()
{
    QMainWindow window;
    QAction *snipe = window.menuBar()->addMenu(QStringLiteral("&Tools"))->addAction(QStringLiteral("Snipe"));
    snipe->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    window.setCentralWidget(new QLineEdit);
    new ShortcutPriority(&window, snipe);
    QSignalSpy triggered(snipe, &QAction::triggered);
    window.show();

    QLineEdit elsewhere;
    elsewhere.show();
    elsewhere.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&elsewhere));
    QTest::keyClicks(&elsewhere, QStringLiteral("12345"));
    QTest::keyClick(&elsewhere, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(elsewhere.text(), QString());
    QCOMPARE(triggered.count(), 0);
}

BIDBENCH_TEST_MAIN(TestSnipeControls)
#include "tst_snipecontrols.moc"
