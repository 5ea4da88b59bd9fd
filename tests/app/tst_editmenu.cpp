#include "AppFixture.h"
#include "EditCommands.h"
#include "FindBar.h"
#include "TestMain.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QPrinter>

// The Edit menu and Print of the main window, over fake panes.
class TestEditMenu : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void findAndPrintTakeTheShownPane_data();
    void findAndPrintTakeTheShownPane();
    void addressBoxCommandsUseClipboard();
    void paneFocusedCutPasteChangeNothing();

private:
    static FMain *startActive(AppFixture &f)
    {
        FMain *w = f.start();
        w->activateWindow();
        return QTest::qWaitForWindowActive(w) ? w : nullptr;
    }
};

void TestEditMenu::init()
{
    QApplication::clipboard()->setText(QStringLiteral("clipboard before"));
}

void TestEditMenu::findAndPrintTakeTheShownPane_data()
{
    QTest::addColumn<int>("tab");
    QTest::newRow("Talvex tab") << int(FMain::kTalvexTab);
    QTest::newRow("auction tab") << int(FMain::kAuctionTab);
}

void TestEditMenu::findAndPrintTakeTheShownPane()
{
    QFETCH(int, tab);
    AppFixture f;
    FMain *w = startActive(f);
    QVERIFY(w);
    // The focus was last in the address box on the auction tab.
    w->setTabIndex(FMain::kAuctionTab);
    w->cboAddress->setFocus();
    QTRY_VERIFY(w->cboAddress->hasFocus());
    w->setTabIndex(tab);
    FakeBrowserPane *shown = tab == FMain::kTalvexTab ? f.talvex() : f.auction();
    FakeBrowserPane *other = tab == FMain::kTalvexTab ? f.auction() : f.talvex();

    int dialogs = 0;
    w->editCommands->setPrintSetup([&dialogs](QPrinter &, QWidget *) { ++dialogs; return true; });
    w->mnuFilePrint->trigger();
    QCOMPARE(dialogs, 1);
    QVERIFY(shown->calls.contains(QStringLiteral("print")));
    QVERIFY(!other->calls.contains(QStringLiteral("print")));

    // Ctrl+F from wherever the focus is now (the address box, on the auction tab).
    QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : w, Qt::Key_F,
                    Qt::ControlModifier);
    FindBar *bar = w->editCommands->findBar(shown);
    QVERIFY(bar->isVisible());
    QTRY_VERIFY(bar->textBox()->hasFocus());
    QTest::keyClicks(bar->textBox(), "bid");
    QCOMPARE(shown->lastFind, QStringLiteral("bid"));
    QCOMPARE(other->lastFind, QString());
}

void TestEditMenu::addressBoxCommandsUseClipboard()
{
    AppFixture f;
    FMain *w = startActive(f);
    QVERIFY(w);
    w->setTabIndex(FMain::kAuctionTab);
    QLineEdit *box = w->cboAddress->lineEdit();
    box->setText(QStringLiteral("http://www.ebay.com/item=123"));
    w->cboAddress->setFocus();
    QTRY_VERIFY(w->cboAddress->hasFocus());
    QClipboard *clipboard = QApplication::clipboard();

    box->setSelection(7, 12);
    w->mnuEditCopy->trigger();
    QCOMPARE(clipboard->text(), QStringLiteral("www.ebay.com"));

    box->setSelection(20, 8);
    w->mnuEditCut->trigger();
    QCOMPARE(clipboard->text(), QStringLiteral("item=123"));
    QCOMPARE(box->text(), QStringLiteral("http://www.ebay.com/"));

    clipboard->setText(QStringLiteral("ebay.de"));
    box->setSelection(11, 8);
    w->mnuEditPaste->trigger();
    QCOMPARE(box->text(), QStringLiteral("http://www.ebay.de/"));
    QVERIFY(!f.auction()->calls.contains(QStringLiteral("copySelection")));
}

void TestEditMenu::paneFocusedCutPasteChangeNothing()
{
    AppFixture f;
    FMain *w = startActive(f);
    QVERIFY(w);
    w->setTabIndex(FMain::kAuctionTab);
    w->cboAddress->lineEdit()->setText(QStringLiteral("http://x.test/"));
    w->cboAddress->lineEdit()->selectAll();
    f.auction()->selection = true;
    f.auction()->setFocus();
    QTRY_VERIFY(f.auction()->hasFocus());
    const QStringList callsBefore = f.auction()->calls;

    w->mnuEditCut->trigger();
    w->mnuEditPaste->trigger();
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("clipboard before"));
    QCOMPARE(w->cboAddress->lineEdit()->text(), QStringLiteral("http://x.test/"));
    QCOMPARE(f.auction()->calls, callsBefore);

    // Copy does reach the page's selection.
    w->mnuEditCopy->trigger();
    QCOMPARE(f.auction()->calls, callsBefore + QStringList{QStringLiteral("copySelection")});
}

BIDBENCH_TEST_MAIN(TestEditMenu)
#include "tst_editmenu.moc"
