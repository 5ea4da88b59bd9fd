#include "EditCommands.h"
#include "FakeBrowserPane.h"
#include "FindBar.h"
#include "TestMain.h"

#include <QComboBox>
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
    void print(QPrinter *printer) override { printers.append(printer); }
    QList<QPrinter *> printers;
};
} // namespace

class TestEditCommands : public QObject
{
    Q_OBJECT

private slots:
    void routing_data();
    void routing();
    void focusKinds();
    void onePrintAtATime();
};

void TestEditCommands::routing_data()
{
    QTest::addColumn<EditCommand>("command");
    QTest::addColumn<int>("tab");
    QTest::addColumn<FocusKind>("focus");
    QTest::addColumn<EditTarget>("target");
    // Find and Print: the current tab's pane, whatever has the focus (or nothing has).
    QTest::newRow("find, talvex tab, text field") << EditCommand::Find << 0 << FocusKind::TextField << EditTarget::TalvexPane;
    QTest::newRow("find, auction tab, no focus") << EditCommand::Find << 1 << FocusKind::Nothing << EditTarget::AuctionPane;
    QTest::newRow("print, talvex tab, pane") << EditCommand::Print << 0 << FocusKind::BrowserPane << EditTarget::TalvexPane;
    QTest::newRow("print, index 2 is not tab 0") << EditCommand::Print << 2 << FocusKind::OtherControl << EditTarget::AuctionPane;
    // Copy: the focused pane's selection or the focused text field's.
    QTest::newRow("copy, pane") << EditCommand::Copy << 0 << FocusKind::BrowserPane << EditTarget::FocusedPane;
    QTest::newRow("copy, text field") << EditCommand::Copy << 1 << FocusKind::TextField << EditTarget::FocusedTextField;
    QTest::newRow("copy, button") << EditCommand::Copy << 1 << FocusKind::OtherControl << EditTarget::Nothing;
    // Cut and Paste: never into a page.
    QTest::newRow("cut, pane") << EditCommand::Cut << 1 << FocusKind::BrowserPane << EditTarget::Nothing;
    QTest::newRow("paste, pane") << EditCommand::Paste << 0 << FocusKind::BrowserPane << EditTarget::Nothing;
    QTest::newRow("paste, text field") << EditCommand::Paste << 1 << FocusKind::TextField << EditTarget::FocusedTextField;
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
    QWidget window;
    auto *talvex = new FakeBrowserPane(&window);
    auto *auction = new FakeBrowserPane(&window);
    auto *address = new QComboBox(&window);
    address->setEditable(true);
    EditCommands commands(&window, [] { return 0; }, talvex, auction);
    QLineEdit elsewhere; // a text field of another window

    QCOMPARE(commands.focusKind(nullptr), FocusKind::Nothing);
    QCOMPARE(commands.focusKind(&elsewhere), FocusKind::Nothing);
    QCOMPARE(commands.focusKind(address), FocusKind::TextField);
    QCOMPARE(commands.focusKind(address->lineEdit()), FocusKind::TextField);
    QCOMPARE(commands.focusKind(talvex), FocusKind::BrowserPane);
    QCOMPARE(commands.focusKind(new QWidget(auction)), FocusKind::BrowserPane); // the engine's widget
    // The find bar lies inside a pane, but its box is a text field like any other.
    FindBar *bar = commands.findBar(auction);
    QCOMPARE(commands.focusKind(bar->textBox()), FocusKind::TextField);
    QCOMPARE(commands.focusKind(bar->nextButton()), FocusKind::BrowserPane);
}

void TestEditCommands::onePrintAtATime()
{
    QWidget window;
    auto *talvex = new SlowPrintPane(&window);
    EditCommands commands(&window, [] { return 0; }, talvex, new FakeBrowserPane(&window));
    int setups = 0;
    QPrinter *filledIn = nullptr;
    bool accept = false;
    commands.setPrintSetup([&](QPrinter &printer, QWidget *) {
        ++setups;
        filledIn = &printer;
        return accept;
    });

    commands.print(); // the user cancels the dialog
    QVERIFY(talvex->printers.isEmpty());
    accept = true;
    commands.print();
    QCOMPARE(talvex->printers, QList<QPrinter *>{filledIn}); // the dialog's printer is printed on

    // A second Print while the engine still prints asks nothing and prints nothing.
    commands.print();
    QCOMPARE(setups, 2);
    QCOMPARE(talvex->printers.size(), 1);

    QSignalSpy finished(&commands, &EditCommands::printFinished);
    emit talvex->printFinished(true);
    QCOMPARE(finished.size(), 1);
    commands.print();
    QCOMPARE(setups, 3);
    QCOMPARE(talvex->printers.size(), 2);
}

BIDBENCH_TEST_MAIN(TestEditCommands)
#include "tst_editcommands.moc"
