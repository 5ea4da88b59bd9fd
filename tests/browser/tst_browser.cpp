#include "EditCommands.h"
#include "FakeBrowserPane.h"
#include "FindBar.h"
#include "SiteSelection.h"
#include "TestFiles.h"
#include "TestMain.h"

using namespace SiteSelection;

// Site start pages and the redirect wrapping; which pane or field the edit commands reach, one
// print at a time. (The find bar: the real window's test.)
class TestBrowser : public QObject
{
    Q_OBJECT

private slots:
    // Index 0 is no site checked; the first four go through their own redirect base, the general
    // pages' sites have their own paths. Every address shown for another window goes through
    // site 1's redirect: ":?&=" encoded, nothing else.
    void siteStartPagesAndRedirect()
    {
        for (auto [site, start] : {std::pair{0, ""}, {4, "http://r.test/link-4?loc=http%3A//au.test"},
                                   {7, "http://pages.test/ebaymotors/index.html"}, {14, "http://tw.test"}, {15, ""}})
            QCOMPARE(SiteStartURL(site, testDestinations()), QString(start));
        // A build without a redirect service (as the one-running-copy test's program, whose start
        // page is the site's own) hands addresses on as they are.
        Destinations withoutRedirect = testDestinations();
        withoutRedirect.redirectBases = QStringList(4, QString());
        QCOMPARE(AffiliateURL("http://x/a?b=1", withoutRedirect), QString("http://x/a?b=1"));
        // The first site's caption names its host, with the access key on its first letter.
        QCOMPARE(menuCaption(1, testDestinations()), "&eBay.com");
        for (auto [url, loc] : {std::pair{"http://x/a?b=1&c=2&d=::", "http%3A//x/a%3Fb%3D1%26c%3D2%26d%3D%3A%3A"},
                                {"/x y/#frag+plus/~ü€%41", "/x y/#frag+plus/~ü€%41"}, {"", ""}})
            QCOMPARE(AffiliateURL(QString::fromUtf8(url), testDestinations()), "http://r.test/link-1?loc=" + QString::fromUtf8(loc));
    }

    void editCommandReaches_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<int>("tab");
        QTest::addColumn<QString>("focus");
        QTest::addColumn<QString>("effect");
        // Find and Print: the shown tab's pane, wherever the focus is. (Find on the auction tab: the
        // real window's find test.)
        QTest::newRow("find, Talvex tab, address box") << "find" << 0 << "address" << "talvex:find";
        QTest::newRow("print, Talvex tab, auction pane") << "print" << 0 << "auction" << "talvex:print";
        // Copy: the focused pane's selection, whichever tab shows, or the focused text field's.
        QTest::newRow("copy, auction pane on Talvex tab") << "copy" << 0 << "auction" << "auction:copySelection";
        QTest::newRow("copy, address box") << "copy" << 1 << "address" << "clipboard:abc";
        // Cut and Paste: never into a page.
        QTest::newRow("cut, pane") << "cut" << 1 << "auction" << "";
        QTest::newRow("cut, address box") << "cut" << 1 << "address" << "address: clipboard:abc";
        QTest::newRow("paste, pane") << "paste" << 0 << "talvex" << "";
        QTest::newRow("paste, address box") << "paste" << 1 << "address" << "address:pasted";
        QTest::newRow("paste, no focus") << "paste" << 1 << "" << "";
    }

    void editCommandReaches()
    {
        QFETCH(QString, command);
        QFETCH(int, tab);
        QFETCH(QString, focus);
        QFETCH(QString, effect);
        QWidget window;
        auto *talvex = new FakeBrowserPane(&window);
        auto *auction = new FakeBrowserPane(&window);
        auto *address = new QComboBox(&window);
        address->setEditable(true);
        address->setEditText("abc");
        address->lineEdit()->selectAll();
        auto *button = new QPushButton(&window);
        EditCommands commands(&window, [tab] { return tab; }, talvex, auction);
        commands.setPrintSetup([](QPrinter &, QWidget *) { return true; });
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QApplication::clipboard()->setText("pasted");
        const QMap<QString, QWidget *> controls{{"talvex", talvex}, {"auction", auction}, {"address", address}, {"button", button}};
        if (QWidget *control = controls.value(focus))
            control->setFocus();
        else if (QApplication::focusWidget())
            QApplication::focusWidget()->clearFocus();
        const QMap<QString, void (EditCommands::*)()> run{{"cut", &EditCommands::cut}, {"copy", &EditCommands::copy},
            {"paste", &EditCommands::paste}, {"find", &EditCommands::find}, {"print", &EditCommands::print}};
        (commands.*run.value(command))();

        QStringList effects;
        for (FakeBrowserPane *pane : {talvex, auction}) {
            const QString name = pane == talvex ? "talvex:" : "auction:";
            for (const QString &call : pane->calls)
                effects.append(name + call);
            if (pane->findChild<FindBar *>()) // made when Find first opens it
                effects.append(name + "find");
        }
        if (address->currentText() != QLatin1String("abc"))
            effects.append("address:" + address->currentText());
        if (QApplication::clipboard()->text() != QLatin1String("pasted"))
            effects.append("clipboard:" + QApplication::clipboard()->text());
        QCOMPARE(effects.join(' '), effect);
    }

    // The engine needs its printer until it says it is done: a second Print meanwhile does nothing.
    void onePrintAtATime()
    {
        struct SlowPrintPane : FakeBrowserPane
        {
            void print(QPrinter *printer) override { printers.append(printer); }
            QList<QPrinter *> printers;
        } talvex;
        FakeBrowserPane auction;
        EditCommands commands(nullptr, [] { return 0; }, &talvex, &auction);
        int setups = 0;
        bool accept = false;
        commands.setPrintSetup([&](QPrinter &, QWidget *) { return ++setups, accept; });
        commands.print(); // the user cancels the print dialog
        accept = true;
        commands.print();
        commands.print();
        QCOMPARE(QPair(setups, talvex.printers.size()), QPair(2, qsizetype(1)));
        emit talvex.printFinished(true);
        commands.print();
        QCOMPARE(QPair(setups, talvex.printers.size()), QPair(3, qsizetype(2)));
    }

};

BIDBENCH_TEST_MAIN(TestBrowser)
#include "tst_browser.moc"
