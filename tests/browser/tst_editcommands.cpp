#include "EditHarness.h"
#include "FindBar.h"
#include "TestMain.h"

#include <QClipboard>
#include <QLineEdit>
#include <QPrinter>
#include <QSignalSpy>
#include <QToolButton>

Q_DECLARE_METATYPE(EditCommand)
Q_DECLARE_METATYPE(FocusKind)
Q_DECLARE_METATYPE(EditTarget)

namespace {

// A pane whose engine takes its time to print: the test says when it is done.
class SlowPrintPane : public FakeBrowserPane
{
public:
    using FakeBrowserPane::FakeBrowserPane;
    void print(QPrinter *printer) override
    {
        calls.append(QStringLiteral("print"));
        printers.append(printer);
    }
    QList<QPrinter *> printers;
};

} // namespace

class TestEditCommands : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void routing_data();
    void routing();
    void focusKinds();
    void findAndPrintFollowTheTab_data();
    void findAndPrintFollowTheTab();
    void printDialogCancelledPrintsNothing();
    void onePrintAtATime();
    void textFieldCommandsUseClipboard();
    void paneFocusedCutPasteChangeNothing();
    void copyTakesFocusedPaneSelection();
    void nothingOutsideTheWindow();

private:
    static QString selected(QComboBox *box) { return box->lineEdit()->selectedText(); }
};

void TestEditCommands::init()
{
    QApplication::clipboard()->setText(QStringLiteral("clipboard before"));
}

void TestEditCommands::routing_data()
{
    QTest::addColumn<EditCommand>("command");
    QTest::addColumn<int>("tab");
    QTest::addColumn<FocusKind>("focus");
    QTest::addColumn<EditTarget>("target");

    // Find and Print: the current tab's pane, whatever has the focus (or nothing has).
    QTest::newRow("find, talvex tab, address box") << EditCommand::Find << 0 << FocusKind::TextField << EditTarget::TalvexPane;
    QTest::newRow("find, auction tab, pane") << EditCommand::Find << 1 << FocusKind::BrowserPane << EditTarget::AuctionPane;
    QTest::newRow("find, no focus") << EditCommand::Find << 0 << FocusKind::Nothing << EditTarget::TalvexPane;
    QTest::newRow("print, talvex tab, pane") << EditCommand::Print << 0 << FocusKind::BrowserPane << EditTarget::TalvexPane;
    QTest::newRow("print, auction tab, address box") << EditCommand::Print << 1 << FocusKind::TextField << EditTarget::AuctionPane;
    QTest::newRow("print, no focus") << EditCommand::Print << 1 << FocusKind::Nothing << EditTarget::AuctionPane;
    QTest::newRow("print, any other index is the auction pane") << EditCommand::Print << 2 << FocusKind::OtherControl << EditTarget::AuctionPane;

    // Copy: the focused pane's selection, or the focused text field's.
    QTest::newRow("copy, pane focused on the other tab") << EditCommand::Copy << 0 << FocusKind::BrowserPane << EditTarget::FocusedPane;
    QTest::newRow("copy, text field") << EditCommand::Copy << 1 << FocusKind::TextField << EditTarget::FocusedTextField;
    QTest::newRow("copy, button") << EditCommand::Copy << 1 << FocusKind::OtherControl << EditTarget::Nothing;
    QTest::newRow("copy, no focus") << EditCommand::Copy << 0 << FocusKind::Nothing << EditTarget::Nothing;

    // Cut and Paste: never into a page.
    QTest::newRow("cut, pane") << EditCommand::Cut << 1 << FocusKind::BrowserPane << EditTarget::Nothing;
    QTest::newRow("cut, text field") << EditCommand::Cut << 0 << FocusKind::TextField << EditTarget::FocusedTextField;
    QTest::newRow("cut, no focus") << EditCommand::Cut << 1 << FocusKind::Nothing << EditTarget::Nothing;
    QTest::newRow("paste, pane") << EditCommand::Paste << 0 << FocusKind::BrowserPane << EditTarget::Nothing;
    QTest::newRow("paste, text field") << EditCommand::Paste << 1 << FocusKind::TextField << EditTarget::FocusedTextField;
    QTest::newRow("paste, button") << EditCommand::Paste << 1 << FocusKind::OtherControl << EditTarget::Nothing;
}

void TestEditCommands::routing()
{
    QFETCH(EditCommand, command);
    QFETCH(int, tab);
    QFETCH(FocusKind, focus);
    QFETCH(EditTarget, target);
    QCOMPARE(routeEditCommand(command, tab, focus), target);
}

void TestEditCommands::focusKinds()
{
    EditHarness h;
    QLineEdit elsewhere; // a text field of another window
    QCOMPARE(h.commands->focusKind(nullptr), FocusKind::Nothing);
    QCOMPARE(h.commands->focusKind(&elsewhere), FocusKind::Nothing);
    QCOMPARE(h.commands->focusKind(h.address), FocusKind::TextField);
    QCOMPARE(h.commands->focusKind(h.address->lineEdit()), FocusKind::TextField);
    QCOMPARE(h.commands->focusKind(h.button), FocusKind::OtherControl);
    QCOMPARE(h.commands->focusKind(h.talvex), FocusKind::BrowserPane);
    auto *insidePage = new QWidget(h.auction); // the engine's own widget inside a pane
    QCOMPARE(h.commands->focusKind(insidePage), FocusKind::BrowserPane);
    // The find bar sits inside a pane, but its box is a text field like any other.
    FindBar *bar = h.commands->findBar(h.auction);
    QCOMPARE(h.commands->focusKind(bar->textBox()), FocusKind::TextField);
    QCOMPARE(h.commands->focusKind(bar->nextButton()), FocusKind::BrowserPane);

    QComboBox fixedList(&h.window); // a drop-down list without a text to edit
    QCOMPARE(h.commands->focusKind(&fixedList), FocusKind::OtherControl);
}

void TestEditCommands::findAndPrintFollowTheTab_data()
{
    QTest::addColumn<int>("tab");
    QTest::newRow("talvex tab") << 0;
    QTest::newRow("auction tab") << 1;
}

void TestEditCommands::findAndPrintFollowTheTab()
{
    QFETCH(int, tab);
    EditHarness h;
    QVERIFY(h.showActive());
    h.tabIndex = tab;
    FakeBrowserPane *current = tab == 0 ? h.talvex : h.auction;
    FakeBrowserPane *other = tab == 0 ? h.auction : h.talvex;

    // The focus is in the address box, or in the other pane.
    h.address->setFocus();
    QTRY_VERIFY(h.address->hasFocus());
    int setups = 0;
    h.commands->setPrintSetup([&setups](QPrinter &, QWidget *) { ++setups; return true; });
    QSignalSpy printed(h.commands, &EditCommands::printFinished);
    h.commands->print();
    QCOMPARE(setups, 1);
    QCOMPARE(current->calls, QStringList{QStringLiteral("print")});
    QVERIFY(other->calls.isEmpty());
    QCOMPARE(printed.size(), 1);
    QVERIFY(!h.commands->isPrinting());

    other->setFocus();
    QTRY_VERIFY(other->hasFocus());
    h.commands->find();
    FindBar *bar = h.commands->findBar(current);
    QVERIFY(bar->isVisible());
    QCOMPARE(bar->parentWidget(), current);
    QTRY_VERIFY(bar->textBox()->hasFocus());
    QVERIFY(!h.commands->findBar(other)->isVisible());
}

void TestEditCommands::printDialogCancelledPrintsNothing()
{
    EditHarness h;
    h.commands->setPrintSetup([](QPrinter &, QWidget *) { return false; });
    h.commands->print();
    QVERIFY(h.talvex->calls.isEmpty());
    QVERIFY(!h.commands->isPrinting());
}

void TestEditCommands::onePrintAtATime()
{
    QWidget window;
    auto *talvex = new SlowPrintPane(&window);
    auto *auction = new FakeBrowserPane(&window);
    EditCommands commands(&window, [] { return 0; }, talvex, auction);
    int setups = 0;
    QPrinter *filledIn = nullptr;
    commands.setPrintSetup([&](QPrinter &printer, QWidget *) {
        ++setups;
        filledIn = &printer;
        return true;
    });

    commands.print();
    QVERIFY(commands.isPrinting());
    QCOMPARE(talvex->printers.size(), 1);
    QCOMPARE(talvex->printers.first(), filledIn); // the dialog's printer is the one printed on

    // A second Print while the engine still prints asks nothing and prints nothing.
    commands.print();
    QCOMPARE(setups, 1);
    QCOMPARE(talvex->printers.size(), 1);

    QSignalSpy finished(&commands, &EditCommands::printFinished);
    emit talvex->printFinished(true);
    QCOMPARE(finished.size(), 1);
    QVERIFY(!commands.isPrinting());

    commands.print();
    QCOMPARE(setups, 2);
    QCOMPARE(talvex->printers.size(), 2);
}

void TestEditCommands::textFieldCommandsUseClipboard()
{
    EditHarness h;
    QVERIFY(h.showActive());
    h.tabIndex = 0; // the address box acts for itself whatever tab is current
    QClipboard *clipboard = QApplication::clipboard();
    QLineEdit *box = h.address->lineEdit();
    box->setText(QStringLiteral("http://www.ebay.com/item=123"));
    h.address->setFocus();
    QTRY_VERIFY(h.address->hasFocus());

    box->setSelection(7, 12); // "www.ebay.com"
    h.commands->copy();
    QCOMPARE(clipboard->text(), QStringLiteral("www.ebay.com"));
    QCOMPARE(box->text(), QStringLiteral("http://www.ebay.com/item=123"));

    box->setSelection(20, 8); // "item=123"
    h.commands->cut();
    QCOMPARE(clipboard->text(), QStringLiteral("item=123"));
    QCOMPARE(box->text(), QStringLiteral("http://www.ebay.com/"));

    clipboard->setText(QStringLiteral("ebay.de"));
    box->setSelection(11, 8); // "ebay.com"
    h.commands->paste();
    QCOMPARE(box->text(), QStringLiteral("http://www.ebay.de/"));
    QVERIFY(h.talvex->calls.isEmpty());
    QVERIFY(h.auction->calls.isEmpty());
}

void TestEditCommands::paneFocusedCutPasteChangeNothing()
{
    EditHarness h;
    QVERIFY(h.showActive());
    h.tabIndex = 1;
    h.address->lineEdit()->setText(QStringLiteral("http://x.example/"));
    h.address->lineEdit()->selectAll();
    h.auction->selection = true;
    h.auction->setFocus();
    QTRY_VERIFY(h.auction->hasFocus());

    h.commands->cut();
    h.commands->paste();
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("clipboard before"));
    QCOMPARE(h.address->lineEdit()->text(), QStringLiteral("http://x.example/"));
    QVERIFY(h.auction->calls.isEmpty());
    QVERIFY(h.talvex->calls.isEmpty());
}

void TestEditCommands::copyTakesFocusedPaneSelection()
{
    EditHarness h;
    QVERIFY(h.showActive());
    h.tabIndex = 0; // the copy goes to the pane that has the focus, not by the tab
    h.auction->setFocus();
    QTRY_VERIFY(h.auction->hasFocus());
    h.commands->copy();
    QCOMPARE(h.auction->calls, QStringList{QStringLiteral("copySelection")});
    QVERIFY(h.talvex->calls.isEmpty());
}

void TestEditCommands::nothingOutsideTheWindow()
{
    EditHarness h;
    QVERIFY(h.showActive());
    QLineEdit other;
    other.setText(QStringLiteral("other window"));
    other.show();
    other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    other.setFocus();
    other.selectAll();
    QTRY_VERIFY(other.hasFocus());

    h.commands->cut();
    h.commands->copy();
    h.commands->paste();
    QCOMPARE(other.text(), QStringLiteral("other window"));
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("clipboard before"));
    QVERIFY(h.talvex->calls.isEmpty());
    QVERIFY(h.auction->calls.isEmpty());

    // A button of the window itself is no better.
    h.window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&h.window));
    h.button->setFocus();
    QTRY_VERIFY(h.button->hasFocus());
    h.address->lineEdit()->setText(QStringLiteral("kept"));
    h.address->lineEdit()->selectAll();
    h.commands->cut();
    h.commands->paste();
    QCOMPARE(h.address->lineEdit()->text(), QStringLiteral("kept"));
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("clipboard before"));
}

BIDBENCH_TEST_MAIN(TestEditCommands)
#include "tst_editcommands.moc"
