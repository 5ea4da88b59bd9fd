#include "FToolbar.h"
#include "TestMain.h"

#include <QAction>
#include <QMimeData>

class TestFToolbar : public QObject
{
    Q_OBJECT

private slots:
    void buttonFollowsEveryEdit();
    void dropReplacesWholeText_data();
    void dropReplacesWholeText();
    void keysThatDoNotEndIt();
    void topmostWithFocusInBox();
};

void TestFToolbar::buttonFollowsEveryEdit()
{
    FToolbar toolbar;
    QLineEdit *box = toolbar.itemBox();
    QAction *snipe = toolbar.snipeAction();
    QVERIFY(!snipe->isEnabled()); // empty: nothing to send
    QTest::keyClicks(box, "0042");
    QVERIFY(snipe->isEnabled());
    QTest::keyClick(box, Qt::Key_A);
    QVERIFY(!snipe->isEnabled());
    QTest::keyClick(box, Qt::Key_Backspace);
    QVERIFY(snipe->isEnabled());
    QTest::keyClick(box, Qt::Key_Space);
    QVERIFY(!snipe->isEnabled());
    QTest::keyClick(box, Qt::Key_Backspace);
    QCOMPARE(box->text(), QStringLiteral("0042")); // leading zeros kept
    // Only the digits 0 to 9 count, not every character Unicode calls a digit.
    box->setText(QString::fromUtf8("\u0661\u0662"));
    QVERIFY(!IsAllDigits(box->text()));
    QVERIFY(!snipe->isEnabled());
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Backspace);
    QVERIFY(!snipe->isEnabled());
}

void TestFToolbar::dropReplacesWholeText_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<bool>("asUrl");
    QTest::addColumn<QString>("dropped");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("address over a number")
        << "123" << false << "https://cgi.ebay.com/ws/eBayISAPI.dll?ViewItem&item=3041234567" << false;
    QTest::newRow("link only, no text form") << "999" << true << "http://cgi.ebay.com/x?item=77" << false;
}

void TestFToolbar::dropReplacesWholeText()
{
    QFETCH(QString, before);
    QFETCH(bool, asUrl);
    QFETCH(QString, dropped);
    QFETCH(bool, enabled);
    FToolbar toolbar;
    QLineEdit *box = toolbar.itemBox();
    box->setText(before);
    QMimeData data;
    if (asUrl)
        data.setUrls({QUrl(dropped)});
    else
        data.setText(dropped);
    // Dropped in the middle of the old text, where an ordinary box would insert it.
    const QPoint middle = box->rect().center();
    QDragEnterEvent enter(middle, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(box, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(middle), Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(box, &drop);
    QCOMPARE(drop.dropAction(), Qt::CopyAction); // the source keeps its text
    QCOMPARE(box->text(), dropped);
    QCOMPARE(toolbar.snipeAction()->isEnabled(), enabled);
    box->undo(); // an edit like any other
    QCOMPARE(box->text(), before);
}

void TestFToolbar::keysThatDoNotEndIt()
{
    FToolbar toolbar;
    toolbar.show();
    QVERIFY(QTest::qWaitForWindowExposed(&toolbar));
    QTest::keyClicks(toolbar.itemBox(), "123");
    for (Qt::Key key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Enter}) {
        QTest::keyClick(toolbar.itemBox(), key);
        QVERIFY(toolbar.isVisible());
        QCOMPARE(toolbar.ItemNumber(), QString());
    }
}

void TestFToolbar::topmostWithFocusInBox()
{
    FToolbar toolbar;
    QVERIFY(toolbar.windowFlags().testFlag(Qt::WindowStaysOnTopHint));

    toolbar.show();
    QVERIFY(QTest::qWaitForWindowExposed(&toolbar));
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget *>(toolbar.itemBox()));
    // The label's access key brings the focus back into the box.
    toolbar.itemBox()->clearFocus();
    QTest::keyClick(&toolbar, Qt::Key_E, Qt::AltModifier);
    QTRY_VERIFY(toolbar.itemBox()->hasFocus());
}

BIDBENCH_TEST_MAIN(TestFToolbar)
#include "tst_ftoolbar.moc"
