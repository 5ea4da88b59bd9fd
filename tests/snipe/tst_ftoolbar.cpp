#include "FToolbar.h"
#include "TestMain.h"

#include <QAction>
#include <QLabel>
#include <QMimeData>

class TestFToolbar : public QObject
{
    Q_OBJECT

private slots:
    void buttonRule_data();
    void buttonRule();
    void buttonFollowsEveryEdit();
    void dropReplacesWholeText_data();
    void dropReplacesWholeText();
    void keysThatDoNotEndIt_data();
    void keysThatDoNotEndIt();
    void topmostWithFocusInBox();
};

void TestFToolbar::buttonRule_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("allDigits");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("empty: digits, but nothing to send") << "" << true << false;
    QTest::newRow("every digit, leading zero") << "0123456789" << true << true;
    QTest::newRow("letter") << "12a" << false << false;
    QTest::newRow("leading blank") << " 12" << false << false;
    QTest::newRow("trailing blank") << "12 " << false << false;
    QTest::newRow("chars either side of the digits") << "/1:" << false << false;
    QTest::newRow("Arabic-Indic digits") << QString::fromUtf8("\u0661\u0662") << false << false;
    QTest::newRow("full-width digits") << QString::fromUtf8("\uFF11\uFF12") << false << false;
}

void TestFToolbar::buttonRule()
{
    QFETCH(QString, text);
    QFETCH(bool, allDigits);
    QFETCH(bool, enabled);
    QCOMPARE(IsAllDigits(text), allDigits);
    FToolbar toolbar;
    toolbar.itemBox()->setText(text);
    QCOMPARE(toolbar.snipeAction()->isEnabled(), enabled);
}

void TestFToolbar::buttonFollowsEveryEdit()
{
    FToolbar toolbar;
    QLineEdit *box = toolbar.itemBox();
    QAction *snipe = toolbar.snipeAction();
    QVERIFY(!snipe->isEnabled());
    QTest::keyClicks(box, "0042");
    QVERIFY(snipe->isEnabled());
    QTest::keyClick(box, Qt::Key_A);
    QVERIFY(!snipe->isEnabled());
    QTest::keyClick(box, Qt::Key_Backspace);
    QVERIFY(snipe->isEnabled());
    QTest::keyClick(box, Qt::Key_Space);
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
    QTest::newRow("digits over letters") << "abc" << false << "0042" << true;
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

void TestFToolbar::keysThatDoNotEndIt_data()
{
    QTest::addColumn<int>("key");
    QTest::newRow("Esc") << int(Qt::Key_Escape);
    QTest::newRow("Return") << int(Qt::Key_Return);
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter);
}

void TestFToolbar::keysThatDoNotEndIt()
{
    QFETCH(int, key);
    FToolbar toolbar;
    toolbar.show();
    QVERIFY(QTest::qWaitForWindowExposed(&toolbar));
    QTest::keyClicks(toolbar.itemBox(), "123");
    QTest::keyClick(toolbar.itemBox(), Qt::Key(key));
    QVERIFY(toolbar.isVisible());
    QCOMPARE(toolbar.ItemNumber(), QString());
}

void TestFToolbar::topmostWithFocusInBox()
{
    FToolbar toolbar;
    QVERIFY(toolbar.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QCOMPARE(toolbar.windowTitle(), QStringLiteral("Talvex Bidbench"));
    QCOMPARE(toolbar.findChild<QLabel *>()->text(), QStringLiteral("&eBay Item #"));
    QCOMPARE(toolbar.snipeAction()->text(), QStringLiteral("Snipe!"));

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
