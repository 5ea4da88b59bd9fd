#include "FakeBrowserPane.h"
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
    void escapeClosesAndReopeningSearchesAgain();

private:
    // A pane in a window of its own, with its find bar open.
    struct Open
    {
        Open()
        {
            window.resize(700, 400);
            pane->setGeometry(0, 0, 700, 400);
            window.show();
            window.activateWindow();
            active = QTest::qWaitForWindowActive(&window);
            bar->open();
        }
        QWidget window;
        FakeBrowserPane *pane = new FakeBrowserPane(&window);
        FindBar *bar = new FindBar(pane);
        bool active = false;
    };

    static QString call(const QString &text, bool back, bool matchCase)
    {
        return QStringLiteral("findText:%1:%2:%3")
            .arg(text, back ? QStringLiteral("back") : QStringLiteral("fwd"),
                 matchCase ? QStringLiteral("case") : QStringLiteral("nocase"));
    }
};

void TestFindBar::typingSearchesAndStepsThroughMatches()
{
    Open o;
    QVERIFY(o.active);
    FindBar *bar = o.bar;
    QStringList &calls = o.pane->calls;

    QTest::keyClicks(bar->textBox(), "Wor");
    // Each change starts over: the old search is cleared first.
    QCOMPARE(calls.mid(calls.size() - 2), (QStringList{call(QString(), false, false), call("Wor", false, false)}));

    calls.clear();
    QTest::keyClick(bar->textBox(), Qt::Key_Return);
    QTest::keyClick(bar->textBox(), Qt::Key_Return, Qt::ShiftModifier);
    QTest::mouseClick(bar->previousButton(), Qt::LeftButton);
    QTest::mouseClick(bar->nextButton(), Qt::LeftButton);
    bar->matchCaseBox()->click();
    QCOMPARE(calls, (QStringList{call("Wor", false, false), call("Wor", true, false),
                                 call("Wor", true, false), call("Wor", false, false),
                                 call(QString(), false, false), call("Wor", false, true)}));
}

void TestFindBar::resultAndNotFoundLook_data()
{
    QTest::addColumn<bool>("found");
    QTest::addColumn<int>("matches");
    QTest::addColumn<QString>("result");
    QTest::newRow("several") << true << 5 << "1 of 5";
    QTest::newRow("none") << false << 0 << "Not found";
}

void TestFindBar::resultAndNotFoundLook()
{
    QFETCH(bool, found);
    QFETCH(int, matches);
    QFETCH(QString, result);
    QApplication::setCursorFlashTime(0); // no blinking between the two pictures
    Open o;
    FakeBrowserPane *pane = o.pane;
    FindBar *bar = o.bar;
    pane->findResult = found;
    pane->findMatches = matches;
    QTest::keyClicks(bar->textBox(), "bid");
    QCOMPARE(bar->resultText(), result);
    QCOMPARE(bar->isNotFound(), !found);

    // Not found shows in the box itself: the same text looks different once it is found.
    const QImage before = bar->textBox()->grab().toImage();
    pane->findResult = true;
    pane->findMatches = 2;
    QTest::keyClick(bar->textBox(), Qt::Key_Return);
    QCOMPARE(bar->resultText(), QStringLiteral("1 of 2"));
    QCOMPARE(bar->textBox()->grab().toImage() != before, !found);

    // A new page has none of the old result; an empty box is no failure either.
    pane->finishLoad(QStringLiteral("http://x.example/2"));
    QCOMPARE(bar->resultText(), QString());
    pane->findResult = false;
    bar->textBox()->selectAll();
    QTest::keyClick(bar->textBox(), Qt::Key_Backspace);
    QVERIFY(!bar->isNotFound());
    QCOMPARE(pane->lastFind, QString());
}

void TestFindBar::escapeClosesAndReopeningSearchesAgain()
{
    Open o;
    QVERIFY(o.active);
    FindBar *bar = o.bar;
    QTRY_VERIFY(bar->textBox()->hasFocus());
    QTest::keyClicks(bar->textBox(), "lot");
    QTest::keyClick(bar->textBox(), Qt::Key_Escape);
    QVERIFY(!bar->isVisible());
    QCOMPARE(o.pane->lastFind, QString()); // highlight cleared
    QTRY_VERIFY(o.pane->hasFocus());

    bar->open();
    QTRY_VERIFY(bar->textBox()->hasFocus());
    QCOMPARE(bar->textBox()->selectedText(), QStringLiteral("lot")); // typing replaces it
    QCOMPARE(o.pane->lastFind, QStringLiteral("lot"));
    // It lies over the pane's top right corner.
    QVERIFY(o.pane->rect().contains(bar->geometry()));
    QVERIFY(o.pane->width() - bar->geometry().right() < 20 && bar->geometry().top() < 20);
}

BIDBENCH_TEST_MAIN(TestFindBar)
#include "tst_findbar.moc"
