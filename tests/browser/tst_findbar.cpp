#include "EditHarness.h"
#include "FindBar.h"
#include "TestMain.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QToolButton>

class TestFindBar : public QObject
{
    Q_OBJECT

private slots:
    void typingSearchesAndStepsThroughMatches();
    void resultAndNotFoundLook_data();
    void resultAndNotFoundLook();
    void escapeClosesAndClears();
    void reopeningSearchesOldTextAgain();
    void liesOverTopRightOfPane();

private:
    static QString call(const QString &text, bool back, bool matchCase)
    {
        return QStringLiteral("findText:%1:%2:%3")
            .arg(text, back ? QStringLiteral("back") : QStringLiteral("fwd"),
                 matchCase ? QStringLiteral("case") : QStringLiteral("nocase"));
    }
};

void TestFindBar::typingSearchesAndStepsThroughMatches()
{
    EditHarness h;
    QVERIFY(h.showActive());
    h.commands->find();
    FindBar *bar = h.commands->findBar(h.talvex);
    QTRY_VERIFY(bar->textBox()->hasFocus());
    QStringList &calls = h.talvex->calls;

    QTest::keyClicks(bar->textBox(), "Wor");
    QCOMPARE(calls.last(), call("Wor", false, false));
    // Each change starts over: the old search is cleared first.
    QCOMPARE(calls.at(calls.size() - 2), call(QString(), false, false));

    calls.clear();
    QTest::keyClick(bar->textBox(), Qt::Key_Return);
    QTest::keyClick(bar->textBox(), Qt::Key_Return, Qt::ShiftModifier);
    QTest::keyClick(bar->textBox(), Qt::Key_Enter);
    QTest::mouseClick(bar->previousButton(), Qt::LeftButton);
    QTest::mouseClick(bar->nextButton(), Qt::LeftButton);
    QCOMPARE(calls, (QStringList{call("Wor", false, false), call("Wor", true, false),
                                 call("Wor", false, false), call("Wor", true, false),
                                 call("Wor", false, false)}));

    calls.clear();
    bar->matchCaseBox()->click();
    QCOMPARE(calls, (QStringList{call(QString(), false, false), call("Wor", false, true)}));
    calls.clear();
    QTest::keyClick(bar->textBox(), Qt::Key_Return, Qt::ShiftModifier);
    QCOMPARE(calls, QStringList{call("Wor", true, true)});

    // The other pane is never searched.
    QVERIFY(h.auction->calls.isEmpty());
}

void TestFindBar::resultAndNotFoundLook_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("found");
    QTest::addColumn<int>("matches");
    QTest::addColumn<QString>("result");
    QTest::addColumn<bool>("notFound");
    QTest::newRow("several") << "bid" << true << 5 << "1 of 5" << false;
    QTest::newRow("one") << "snipe" << true << 1 << "1 of 1" << false;
    QTest::newRow("none") << "zzz" << false << 0 << "Not found" << true;
}

void TestFindBar::resultAndNotFoundLook()
{
    QFETCH(QString, text);
    QFETCH(bool, found);
    QFETCH(int, matches);
    QFETCH(QString, result);
    QFETCH(bool, notFound);

    QApplication::setCursorFlashTime(0); // no blinking between the two pictures
    EditHarness h;
    QVERIFY(h.showActive());
    h.tabIndex = 1;
    h.auction->findResult = found;
    h.auction->findMatches = matches;
    h.commands->find();
    FindBar *bar = h.commands->findBar(h.auction);
    QTest::keyClicks(bar->textBox(), text);
    QCOMPARE(bar->resultText(), result);
    QCOMPARE(bar->isNotFound(), notFound);

    // Not found shows in the box itself: the same text looks different once it is found.
    const QImage before = bar->textBox()->grab().toImage();
    h.auction->findResult = true;
    h.auction->findMatches = 2;
    QTest::keyClick(bar->textBox(), Qt::Key_Return);
    QCOMPARE(bar->resultText(), QStringLiteral("1 of 2"));
    QVERIFY(!bar->isNotFound());
    QCOMPARE(bar->textBox()->grab().toImage() != before, notFound);

    // Emptying the box is neither a result nor a failure.
    bar->textBox()->selectAll();
    QTest::keyClick(bar->textBox(), Qt::Key_Backspace);
    QCOMPARE(bar->resultText(), QString());
    QVERIFY(!bar->isNotFound());
    QCOMPARE(h.auction->lastFind, QString());

    // A new page has none of the old result.
    QTest::keyClicks(bar->textBox(), text);
    h.auction->finishLoad(QStringLiteral("http://x.example/2"));
    QCOMPARE(bar->resultText(), QString());
    QVERIFY(!bar->isNotFound());
}

void TestFindBar::escapeClosesAndClears()
{
    EditHarness h;
    QVERIFY(h.showActive());
    h.commands->find();
    FindBar *bar = h.commands->findBar(h.talvex);
    QTRY_VERIFY(bar->textBox()->hasFocus());
    QTest::keyClicks(bar->textBox(), "abc");
    QCOMPARE(h.talvex->lastFind, QStringLiteral("abc"));

    QTest::keyClick(bar->textBox(), Qt::Key_Escape);
    QVERIFY(!bar->isVisible());
    QCOMPARE(h.talvex->lastFind, QString()); // highlight cleared
    QTRY_VERIFY(h.talvex->hasFocus());
}

void TestFindBar::reopeningSearchesOldTextAgain()
{
    EditHarness h;
    QVERIFY(h.showActive());
    h.commands->find();
    FindBar *bar = h.commands->findBar(h.talvex);
    QTest::keyClicks(bar->textBox(), "lot");
    QTest::keyClick(bar->textBox(), Qt::Key_Escape);
    h.talvex->calls.clear();

    h.commands->find();
    QVERIFY(bar->isVisible());
    QTRY_VERIFY(bar->textBox()->hasFocus());
    QCOMPARE(bar->textBox()->selectedText(), QStringLiteral("lot")); // typing replaces it
    QCOMPARE(h.talvex->calls.last(), call("lot", false, false));
}

void TestFindBar::liesOverTopRightOfPane()
{
    EditHarness h;
    QVERIFY(h.showActive());
    h.commands->find();
    FindBar *bar = h.commands->findBar(h.talvex);
    QVERIFY(bar->isVisible());
    const QRect pane = h.talvex->rect();
    QVERIFY(pane.contains(bar->geometry()));
    QVERIFY(bar->geometry().top() < pane.height() / 4);
    QVERIFY(pane.right() - bar->geometry().right() < 20);

    h.window.resize(h.window.width() + 200, h.window.height());
    QTRY_VERIFY(h.talvex->rect().right() - bar->geometry().right() < 20);
    QVERIFY(h.talvex->rect().contains(bar->geometry()));
}

BIDBENCH_TEST_MAIN(TestFindBar)
#include "tst_findbar.moc"
