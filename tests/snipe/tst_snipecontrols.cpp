#include "BusyIndicator.h"
#include "StarFrames.h"
#include "TestMain.h"

#include <QLabel>
#include <QSet>

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

// "L3" / "S8": which list and frame the label shows.
QString shownFrame(const QLabel &label, const StarFrames &frames)
{
    for (bool large : {true, false}) {
        for (int i = 1; i <= 8; ++i) {
            if (label.pixmap().cacheKey() == frames.frame(large, i).cacheKey())
                return (large ? QLatin1Char('L') : QLatin1Char('S')) + QString::number(i);
        }
    }
    return QStringLiteral("?");
}

} // namespace

class TestSnipeControls : public QObject
{
    Q_OBJECT

private slots:
    void framesAreDistinctAndSized();
    void ticks_data();
    void ticks();
    void idleTicksDoNotRepaint();
};

void TestSnipeControls::framesAreDistinctAndSized()
{
    const StarFrames frames;
    for (bool large : {true, false}) {
        const int size = large ? StarFrames::kLargeSize : StarFrames::kSmallSize;
        QSet<QByteArray> looks;
        for (int i = 1; i <= StarFrames::kFrameCount; ++i) {
            const QImage image = frames.frame(large, i).toImage();
            QCOMPARE(image.size(), QSize(size, size));
            looks.insert(QByteArray(reinterpret_cast<const char *>(image.constBits()), image.sizeInBytes()));
        }
        QCOMPARE(looks.size(), StarFrames::kFrameCount);
    }
}

void TestSnipeControls::ticks_data()
{
    // Ticks: L/S busy with the large/small list, l/s idle, R the resting picture at load.
    QTest::addColumn<QString>("ticks");
    QTest::addColumn<QString>("shown");
    QTest::newRow("large list wraps after seven") << "L L L L L L L L L" << "L1 L2 L3 L4 L5 L6 L7 L1 L2";
    QTest::newRow("small list") << "S S S" << "S1 S2 S3";
    QTest::newRow("list follows the option on the next tick") << "R L L S s l" << "L8 L1 L2 S3 S8 L8";
    QTest::newRow("counter runs on while idle") << "L l l l L" << "L1 L8 L8 L8 L5";
}

void TestSnipeControls::ticks()
{
    QFETCH(QString, ticks);
    QFETCH(QString, shown);
    const StarFrames frames;
    QLabel picSnipe;
    BusyIndicator indicator(picSnipe, frames);
    QStringList seen;
    for (const QString &t : ticks.split(QLatin1Char(' '))) {
        if (t == QLatin1String("R"))
            indicator.showResting();
        else
            indicator.tick(t.at(0).isUpper(), t.at(0).toUpper() == QLatin1Char('L'));
        seen.append(shownFrame(picSnipe, frames));
    }
    QCOMPARE(seen.join(QLatin1Char(' ')), shown);
}

void TestSnipeControls::idleTicksDoNotRepaint()
{
    const StarFrames frames;
    QLabel picSnipe;
    picSnipe.resize(40, 40);
    BusyIndicator indicator(picSnipe, frames);
    picSnipe.show();
    QVERIFY(QTest::qWaitForWindowExposed(&picSnipe));
    indicator.tick(true, true);
    indicator.tick(false, true);
    QCoreApplication::processEvents();

    PaintCounter counter;
    picSnipe.installEventFilter(&counter);
    for (int tick = 0; tick < 10; ++tick) {
        indicator.tick(false, true);
        QCoreApplication::processEvents();
    }
    QCOMPARE(counter.paints, 0);
    indicator.tick(true, true);
    QTRY_VERIFY(counter.paints > 0);
}

BIDBENCH_TEST_MAIN(TestSnipeControls)
#include "tst_snipecontrols.moc"
