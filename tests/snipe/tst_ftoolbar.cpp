#include "FToolbar.h"
#include "TestMain.h"
#include "TitleBarClose.h"

#include <QAction>
#include <QClipboard>
#include <QLabel>
#include <QMimeData>
#include <QSignalSpy>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include <functional>

class TestFToolbar : public QObject
{
    Q_OBJECT

private slots:
    void allDigitsRuleDecidesButton_data();
    void allDigitsRuleDecidesButton();
    void buttonFollowsEveryEdit();
    void dropReplacesWholeText_data();
    void dropReplacesWholeText();
    void dropOfNonTextIsRefused();
    void snipeReturnsTypedNumber();
    void closeBoxCancelsWithoutNumber();
    void programCloseIsNoCancel();
    void keysThatDoNotEndIt_data();
    void keysThatDoNotEndIt();
    void topmostWithFocusInBox();

private:
    // Runs the toolbar modally; `during` acts while it is up (from the event loop).
    static int runModal(FToolbar &toolbar, std::function<void()> during);
    static QToolButton *snipeButton(FToolbar &toolbar);
};

int TestFToolbar::runModal(FToolbar &toolbar, std::function<void()> during)
{
    QTimer::singleShot(0, &toolbar, [&toolbar, during = std::move(during)] {
        if (!QTest::qWaitFor([&] { return toolbar.isVisible(); }, 2000))
            return;
        during();
    });
    // A guard: a test whose action fails must not hang on the modal loop.
    QTimer::singleShot(5000, &toolbar, [&toolbar] { toolbar.done(-1); });
    return toolbar.exec();
}

QToolButton *TestFToolbar::snipeButton(FToolbar &toolbar)
{
    return qobject_cast<QToolButton *>(toolbar.toolbar()->widgetForAction(toolbar.snipeAction()));
}

void TestFToolbar::allDigitsRuleDecidesButton_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("allDigits");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("empty: digits, but nothing to send") << "" << true << false;
    QTest::newRow("one digit") << "0" << true << true;
    QTest::newRow("every digit") << "0123456789" << true << true;
    QTest::newRow("leading zeros") << "0042" << true << true;
    QTest::newRow("long number") << QString(40, QLatin1Char('9')) << true << true;
    QTest::newRow("letter") << "12a" << false << false;
    QTest::newRow("leading blank") << " 12" << false << false;
    QTest::newRow("trailing blank") << "12 " << false << false;
    QTest::newRow("inner blank") << "1 2" << false << false;
    QTest::newRow("char before 0") << "1/" << false << false;
    QTest::newRow("char after 9") << "1:" << false << false;
    QTest::newRow("minus sign") << "-12" << false << false;
    QTest::newRow("Arabic-Indic digits") << QString::fromUtf8("\u0661\u0662") << false << false;
    QTest::newRow("full-width digits") << QString::fromUtf8("\uFF11\uFF12") << false << false;
    QTest::newRow("address") << "http://www.ebay.com/ws/eBayISAPI.dll?ViewItem&item=123" << false << false;
}

void TestFToolbar::allDigitsRuleDecidesButton()
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
    toolbar.show();
    QVERIFY(QTest::qWaitForWindowExposed(&toolbar));
    QVERIFY2(!snipe->isEnabled(), "starts disabled with the box empty");

    QTest::keyClicks(box, "123");
    QVERIFY(snipe->isEnabled());
    QTest::keyClick(box, Qt::Key_A);
    QVERIFY(!snipe->isEnabled());
    QTest::keyClick(box, Qt::Key_Backspace);
    QCOMPARE(box->text(), QStringLiteral("123"));
    QVERIFY(snipe->isEnabled());
    QTest::keyClick(box, Qt::Key_Space);
    QVERIFY(!snipe->isEnabled());
    QTest::keyClick(box, Qt::Key_Backspace);
    QVERIFY(snipe->isEnabled());
    QTest::keyClick(box, Qt::Key_Home);
    QTest::keyClick(box, Qt::Key_Space);
    QVERIFY(!snipe->isEnabled());
    QTest::keyClick(box, Qt::Key_Backspace);
    QCOMPARE(box->text(), QStringLiteral("123"));
    QVERIFY(snipe->isEnabled());

    // Pasting runs the rule too.
    QApplication::clipboard()->setText(QStringLiteral("98 76"));
    box->selectAll();
    box->paste();
    QCOMPARE(box->text(), QStringLiteral("98 76"));
    QVERIFY(!snipe->isEnabled());

    box->selectAll();
    QTest::keyClick(box, Qt::Key_Backspace);
    QVERIFY(box->text().isEmpty());
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
    QTest::newRow("link only, no text form")
        << "999" << true << "http://cgi.ebay.com/ws/eBayISAPI.dll?ViewItem&item=77" << false;
    QTest::newRow("digits into empty box") << "" << false << "5550001" << true;
}

void TestFToolbar::dropReplacesWholeText()
{
    QFETCH(QString, before);
    QFETCH(bool, asUrl);
    QFETCH(QString, dropped);
    QFETCH(bool, enabled);

    FToolbar toolbar;
    QLineEdit *box = toolbar.itemBox();
    toolbar.show();
    QVERIFY(QTest::qWaitForWindowExposed(&toolbar));
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
    QVERIFY(drop.isAccepted());
    QCOMPARE(drop.dropAction(), Qt::CopyAction);

    QCOMPARE(box->text(), dropped);
    QCOMPARE(toolbar.snipeAction()->isEnabled(), enabled);

    // The drop is an edit like any other: undo brings the old text back.
    box->undo();
    QCOMPARE(box->text(), before);
}

void TestFToolbar::dropOfNonTextIsRefused()
{
    FToolbar toolbar;
    toolbar.itemBox()->setText(QStringLiteral("42"));
    QMimeData data;
    data.setData(QStringLiteral("image/png"), QByteArray("\x89PNG"));
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(toolbar.itemBox(), &enter);
    QVERIFY(!enter.isAccepted());
    QCOMPARE(toolbar.itemBox()->text(), QStringLiteral("42"));
}

void TestFToolbar::snipeReturnsTypedNumber()
{
    FToolbar toolbar;
    runModal(toolbar, [&toolbar] {
        QTest::keyClicks(toolbar.itemBox(), "0012345");
        QTest::mouseClick(snipeButton(toolbar), Qt::LeftButton);
    });
    QVERIFY(!toolbar.isVisible());
    QCOMPARE(toolbar.ItemNumber(), QStringLiteral("0012345"));
    QCOMPARE(toolbar.Cancelled(), false);
}

void TestFToolbar::closeBoxCancelsWithoutNumber()
{
    FToolbar toolbar;
    runModal(toolbar, [&toolbar] {
        QTest::keyClicks(toolbar.itemBox(), "4711");
        closeFromTitleBar(&toolbar);
    });
    QVERIFY(!toolbar.isVisible());
    QCOMPARE(toolbar.Cancelled(), true);
    QCOMPARE(toolbar.ItemNumber(), QString());
}

void TestFToolbar::programCloseIsNoCancel()
{
    FToolbar toolbar;
    runModal(toolbar, [&toolbar] { toolbar.close(); });
    QVERIFY(!toolbar.isVisible());
    QCOMPARE(toolbar.Cancelled(), false);
    QCOMPARE(toolbar.ItemNumber(), QString());
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
    QCOMPARE(toolbar.itemBox()->text(), QStringLiteral("123"));
}

void TestFToolbar::topmostWithFocusInBox()
{
    FToolbar toolbar;
    QVERIFY(toolbar.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QCOMPARE(toolbar.windowTitle(), QStringLiteral("Talvex Bidbench"));
    const auto labels = toolbar.findChildren<QLabel *>();
    QCOMPARE(labels.size(), 1);
    QCOMPARE(labels.first()->text(), QStringLiteral("&eBay Item #"));
    QCOMPARE(toolbar.snipeAction()->text(), QStringLiteral("Snipe!"));

    toolbar.show();
    QVERIFY(QTest::qWaitForWindowExposed(&toolbar));
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget *>(toolbar.itemBox()));

    // The label's access key brings the focus back into the box.
    toolbar.itemBox()->clearFocus();
    QVERIFY(!toolbar.itemBox()->hasFocus());
    QTest::keyClick(&toolbar, Qt::Key_E, Qt::AltModifier);
    QTRY_VERIFY(toolbar.itemBox()->hasFocus());
}

BIDBENCH_TEST_MAIN(TestFToolbar)
#include "tst_ftoolbar.moc"
