#include "AppFixture.h"
#include "CStartStatus.h"
#include "FError.h"
#include "LinkLabel.h"
#include "LoopbackServer.h"
#include "MdWebCon.h"
#include "SiteMenu.h"
#include "TestMain.h"
#include "TitleBarClose.h"
#include "Twips.h"
#include "UserFolders.h"

namespace {
QStringList captions(const AppFixture &f)
{
    QStringList texts;
    for (int i = 1; i <= 7; ++i)
        texts.append(f.button(i)->text());
    return texts;
}
const QStringList kCaptions{"Back", "Forward", "Stop", "Refresh", "Home", "Favorites", "Toolbar"};

QString favoritesFolder()
{
    return SpecialFolder::path(SpecialFolder::Favorites);
}

// Chooses a row of a list or tree window and leaves by its Go! button, or closes it.
void choose(QWidget *modal, const QString &row)
{
    auto *list = modal->findChild<QListWidget *>("lstFavorites");
    auto *tree = modal->findChild<QTreeWidget *>("TreeView1");
    if (row == "-" && list) {
        list->clearSelection();
        modal->findChild<QPushButton *>("cmdGetInfo")->click();
    } else if (!row.isEmpty() && list && !list->findItems(row, Qt::MatchExactly).isEmpty()) {
        list->setCurrentItem(list->findItems(row, Qt::MatchExactly).first());
        for (const char *go : {"cmdGetInfo", "cmdGo"}) {
            if (auto *button = modal->findChild<QPushButton *>(go))
                button->click();
        }
    } else if (!row.isEmpty() && tree) {
        tree->expandAll();
        const auto found = tree->findItems(row, Qt::MatchExactly | Qt::MatchRecursive);
        if (!found.isEmpty())
            QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(found.first()).center());
    }
    if (modal->isVisible()) // nothing chosen, or the choice went wrong: never hang
        closeFromTitleBar(modal);
}
} // namespace

// The main window over fake panes: its load, tabs, commands and the windows they open.
class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void loadWithStoredSettings_data()
    {
        QTest::addColumn<QString>("site");
        QTest::addColumn<QString>("textLabels");
        QTest::addColumn<QString>("start");
        QTest::newRow("site 8, labels N") << "8" << "N" << "http://de.test";
        QTest::newRow("site words, labels n") << "Germany" << "n" << kStart;
    }

    void loadWithStoredSettings()
    {
        QFETCH(QString, site);
        QFETCH(QString, textLabels);
        QFETCH(QString, start);
        AppFixture f;
        f.store("Settings", "Site", site);
        f.store("Settings", "TextLabels", textLabels);
        FMain *w = f.create();
        QVERIFY(f.auction()->requests.isEmpty()); // nothing before the window shows
        w->show();
        // The start page once, and only after the login has gone out: it would slow the login.
        QTRY_COMPARE(f.auction()->requests, QStringList{start});
        QCOMPARE(f.talvex()->requests.size(), 2); // the please-wait page, the login
        QCOMPARE(f.addressBox()->history(), QStringList{start});
        QTRY_COMPARE(f.look(), "Working...|Talvex|Done|tab 0|-----|go- link+");
        QCOMPARE(captions(f), textLabels == "N" ? QStringList(7, QString()) : kCaptions);
        f.trigger(Menus::mnuOptionsText); // either menu item turns them round, and the other follows
        QCOMPARE(captions(f).join(QString()).isEmpty(), textLabels != "N");
        QCOMPARE(f.part(Menus::mnuButtonBarStatusViewLabels)->isChecked(), textLabels == "N");
        // Design client size: 10020 x 6585 twips below the menu bar.
        QCOMPARE(w->centralWidget()->size(), QSize(Twips::toPixelsX(10020), Twips::toPixelsY(6585) - w->statusBar()->height()));
        // A site chosen on the Talvex tab shows on the auction tab, and Home follows it.
        w->findChild<SiteMenu *>()->site(9)->trigger();
        f.button(5)->trigger();
        QCOMPARE(f.auction()->requests.mid(1), QStringList(2, "http://at.test"));
        QCOMPARE(f.tabs()->Tab(), 1);
    }

    void tabsStatusAndTitle()
    {
        AppFixture f;
        FMain *w = f.start();
        f.talvex()->finishLoad("http://service.test/secure/login.cfm", "Talvex Login");
        f.auction()->finishLoad("http://www.ebay.com/", "eBay Home", /*stayBusy=*/true);
        f.auction()->setStatusText("hidden pane's text");
        // The auction pane still loads its start page: the title says so on either tab.
        QTRY_COMPARE(f.look(), "Working...|Talvex|Done|tab 0|-----|go- link+");
        f.tabs()->tabBar()->setCurrentIndex(1); // as a click on the tab would
        f.talvex()->setStatusText("hidden");
        QTRY_COMPARE(f.look(), "Working...|Auction Browser|Working . . .|tab 1|----+|go+ link-");
        f.auction()->setStatusText("Opening page");
        QCOMPARE(f.panel(2), QString("Opening page"));
        const int width = w->width(); // a long status text is cut, the window keeps its width
        f.auction()->setStatusText("Opening page http://www.ebay.com/" + QString(300, 'x'));
        QTest::qWait(20); // the layout's turn
        QCOMPARE(w->width(), width);
        f.showTab(0);
        QCOMPARE(f.look(), "Talvex Login|Talvex|Done|tab 0|-----|go- link+");
        // One help item proves the menu's wiring, the others hand over their addresses the same way.
        f.trigger(Menus::mnuHelpContents);
        QTest::mouseClick(f.part<LinkLabel>("lblMardell"), Qt::LeftButton);
        QCOMPARE(f.shell.opened, QStringList({f.programFilesDir + "/help/Bidbench_help.htm", "http://maker.test?bidbench"}));
    }

    void commandsActOnTheShownPane_data()
    {
        QTest::addColumn<int>("tab");
        QTest::addColumn<QString>("command"); // a toolbar button index or a menu item
        QTest::addColumn<bool>("history");    // the shown pane reported Back and Forward
        QTest::addColumn<QString>("expected"); // the call, or the address sent

        // Back, Stop and Refresh by their buttons on the auction tab: the real window's tests.
        QTest::newRow("Back button on Talvex") << 0 << "1" << true << "GoBack";
        QTest::newRow("Forward menu on auction") << 1 << QString(Menus::mnumnuNavigatemnuNavigateForward) << true << "GoForward";
        QTest::newRow("Back menu without history") << 1 << QString(Menus::mnumnuNavigatemnuNavigateBack) << false << "";
        QTest::newRow("Stop on Talvex") << 0 << "3" << false << "Stop";
        QTest::newRow("Refresh menu on Talvex") << 0 << QString(Menus::mnumnuNavigatemnuNavigateRefresh) << false << "Refresh";
        QTest::newRow("Home on Talvex: news") << 0 << "5" << false << "http://service.test/secure/news.cfm?";
        QTest::newRow("Home menu on auction: start page") << 1 << QString(Menus::mnumnuNavigatemnuNavigateHome) << false << kStart;
    }

    void commandsActOnTheShownPane()
    {
        QFETCH(int, tab);
        QFETCH(QString, command);
        QFETCH(bool, history);
        QFETCH(QString, expected);
        AppFixture f;
        f.start();
        f.showTab(tab);
        FakeBrowserPane *shown = tab == 0 ? f.talvex() : f.auction();
        FakeBrowserPane *hidden = tab == 0 ? f.auction() : f.talvex();
        shown->setHistory(history, history);
        hidden->setHistory(true, true);
        QCOMPARE(f.button(1)->isEnabled(), history);
        const QStringList sentBefore = shown->requests;
        const QStringList hiddenBefore = hidden->requests;

        bool isIndex = false;
        const int index = command.toInt(&isIndex);
        (isIndex ? f.button(index) : f.part(command))->trigger();
        const bool navigates = expected.startsWith("http");
        QCOMPARE(shown->requests.mid(sentBefore.size()), navigates ? QStringList{expected} : QStringList());
        QCOMPARE(shown->calls, navigates || expected.isEmpty() ? QStringList() : QStringList{expected});
        QVERIFY(hidden->calls.isEmpty() && hidden->requests == hiddenBefore);
        QCOMPARE(f.tabs()->Tab(), tab);
    }

    // An address opened before the login has gone out is not replaced by the late start page.
    void startPageGivesWayToTheUser()
    {
        AppFixture f;
        f.create()->show();
        f.addressBox()->setEditText("http://typed.test/");
        f.trigger("tbrGo.Buttons(1)");
        QTRY_VERIFY(f.window->isStartupLoginOver());
        QCOMPARE(f.auction()->requests, QStringList{"http://typed.test/"});
    }

    void addressBoxHistoryEnterAndGo()
    {
        AppFixture f;
        QVERIFY(QTest::qWaitForWindowActive(f.start()));
        for (const char *url : {"http://a.test/1", "http://a.test/2", "http://a.test/1", "http://A.test/1"})
            f.auction()->finishLoad(url);
        // Most recent first, each once, compared case-sensitively; the rebuild navigates nowhere.
        QCOMPARE(f.addressBox()->history(), QStringList({"http://A.test/1", "http://a.test/1", "http://a.test/2", kStart}));
        QCOMPARE(f.addressBox()->currentText(), QString("http://A.test/1"));
        QCOMPARE(f.auction()->requests.size(), 1);

        f.showTab(1);
        f.auction()->busy = false;
        auto *busyWatch = f.part<QTimer>("timTimer");
        QTRY_VERIFY(!busyWatch->isActive());
        // Go with an empty box does nothing; Enter goes to the empty address and starts the watch;
        // typed text goes out unchanged, and Go does not start the watch.
        f.addressBox()->setEditText(QString());
        f.trigger("tbrGo.Buttons(1)");
        f.addressBox()->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter, Qt::KeypadModifier);
        QVERIFY(busyWatch->isActive());
        busyWatch->stop();
        f.addressBox()->setEditText(" ebay.de/x ");
        f.trigger("tbrGo.Buttons(1)");
        QVERIFY(!busyWatch->isActive());
        QCOMPARE(f.auction()->requests.mid(1), QStringList({QString(), " ebay.de/x "}));
        // Without an item in the box Ctrl+Z stays its undo (with one it snipes: the desktop journeys).
        const QStringList sniped = f.talvex()->requests;
        QTest::keyClicks(QApplication::focusWidget(), "abc");
        QVERIFY(keyToFocus(f.window.get(), Qt::Key_Z, Qt::ControlModifier));
        QCOMPARE(f.addressBox()->currentText(), QString(" ebay.de/x "));
        QVERIFY(f.talvex()->requests == sniped && f.tabs()->Tab() == 1);
    }

    void entryPoints_data()
    {
        QTest::addColumn<QString>("entry");  // a menu item, "button N", or a drop-down key
        QTest::addColumn<QString>("choose"); // the row chosen in the window; empty: closed
        QTest::addColumn<QString>("window"); // the window's caption
        QTest::addColumn<QString>("address"); // sent to the auction pane

        const QString r = "http://r.test/link-1?loc=http%3A//";
        QTest::newRow("seller from the menu") << QString(Menus::mnuFavoritesSellers) << "ann" << "Favorite Sellers List"
            << r + "listed.test/aw-cgi/eBayISAPI.dll%3FMfcISAPICommand%3DViewListedItems%26userid%3Dann%26include%3D0"
                   "%26since%3D-1%26sort%3D2%26rows%3D25";
        QTest::newRow("bidder with a blank, drop-down") << "Bidders" << "big spender" << "Favorite Bidders List"
            << r + "bids.test/aw-cgi/eBayISAPI.dll%3FMfcISAPICommand%3DViewBidItems%26userid%3Dbig spender"
                   "%26completed%3D0%26all%3D1%26rows%3D25";
        QTest::newRow("search, drop-down") << "Searches" << "lamps" << "Favorite Auction Searches"
            << r + "search.befr.ebay.be/ws/search/SaleSearch%3F%26sapricelo%3D%26sapricehi%3D%26exclude%3D"
                   "%26soincludewords%3Dlamp shade%26sotextsearched%3D2%26sacategory%3D%26sosearchwordscombine%3D1";
        QTest::newRow("browser favourite, button 6") << "button 6" << "Deal" << "Browser Favorites"
            << r + "deal.test/x%3Fa%3D1,2;b";
        QTest::newRow("empty shortcut opens nothing") << "Favorites" << "Empty" << "Browser Favorites" << "";
        QTest::newRow("bidders, Go! with nothing chosen") << QString(Menus::mnuFavoritesBidders) << "-" << "Favorite Bidders List" << "";
    }

    void entryPoints()
    {
        QFETCH(QString, entry);
        QFETCH(QString, choose);
        QFETCH(QString, window);
        QFETCH(QString, address);
        QDir(favoritesFolder()).removeRecursively();
        AppFixture f;
        writeBytes(f.dataDir + "/Sellers.txt", "bob\nann\n");
        writeBytes(f.dataDir + "/Bidders.txt", "carl\nbig spender\n");
        writeBytes(f.dataDir + "/Searches.txt", "lamps|lamp shade|1||8||||True\n");
        writeShortcutFile(favoritesFolder() + "/Shop/Deal.url", "http://deal.test/x?a=1,2;b");
        writeBytes(favoritesFolder() + "/Empty.url", "[InternetShortcut]\r\n");
        FMain *w = f.start();
        QVERIFY(QTest::qWaitForWindowExposed(w));
        const QStringList auctionBefore = f.auction()->requests;
        const QStringList talvexBefore = f.talvex()->requests;
        QString caption;
        answerNextModal([&](QWidget *modal) {
            caption = modal->windowTitle();
            ::choose(modal, choose);
        });
        if (entry.startsWith("button ")) {
            QToolButton *button = qobject_cast<QToolButton *>(
                f.part<QToolBar>("tbrNavigate")->widgetForAction(f.button(entry.mid(7).toInt())));
            QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(button->width() / 4, button->height() / 2));
        } else {
            f.trigger(entry);
        }

        QCOMPARE(caption, window);
        QVERIFY(w->isVisible() && !QApplication::activeModalWidget());
        QCOMPARE(f.auction()->requests.mid(auctionBefore.size()), address.isEmpty() ? QStringList() : QStringList{address});
        QCOMPARE(f.talvex()->requests, talvexBefore);
        if (!address.isEmpty())
            QCOMPARE(f.tabs()->Tab(), 1);
        // Every way out of a list window writes the list back (CR LF now).
        if (entry.contains("Sellers"))
            QCOMPARE(readBytes(f.dataDir + "/Sellers.txt"), QByteArray("bob\r\nann\r\n"));
    }

    // The import from the menu: see the desktop journeys.
    void addsTheAuctionPage()
    {
        QDir(favoritesFolder()).removeRecursively();
        AppFixture f;
        f.start();
        // It is always the auction pane's page that is added, also from the Talvex tab.
        f.auction()->finishLoad("http://www.ebay.com/itm/5?var=1,2;x", "Nice Bike / Road");
        f.talvex()->finishLoad("http://service.test/news", "News");
        QString prefilled;
        answerNextModal([&prefilled](QWidget *modal) {
            prefilled = modal->findChild<QLineEdit *>("txtName")->text();
            modal->findChild<QPushButton *>("cmdOK")->click();
        });
        f.part(Menus::mnuFavoritesAdd)->setEnabled(true);
        f.trigger(Menus::mnuFavoritesAdd);
        QCOMPARE(prefilled, QString("Nice Bike - Road"));
        QCOMPARE(favoritesSnapshot(favoritesFolder()), QStringList{"Nice Bike - Road.url -> http://www.ebay.com/itm/5?var=1,2;x"});
    }

    // The check waits until the login has been answered; the rest of the load is done by then.
    void versionCheckComesAfterTheLogin()
    {
        LoopbackServer server;
        AppFixture f;
        f.store("Settings", "TextLabels", "N");
        AppContext context = f.contextWithVersionCheck(server.hostPort());
        // What the window has done by the time the check starts.
        qsizetype auctionNavigations = -1;
        bool labelsOff = false, loginOver = false;
        context.startStatus->setConnectionFactory([&](QObject *parent) {
            labelsOff = !f.part(Menus::mnuButtonBarStatusViewLabels)->isChecked();
            auctionNavigations = f.auction()->requests.size();
            loginOver = f.talvex()->requests.value(1) == "http://service.test/secure/login.cfm" && !f.talvex()->Busy();
            return new MdWebCon(parent);
        });
        QSignalSpy done(context.startStatus.get(), &CStartStatus::DoneChecking);
        f.window = std::make_unique<FMain>(context, true);
        f.window->show();
        QVERIFY(done.wait(5000));
        QVERIFY(labelsOff && loginOver);
        QCOMPARE(auctionNavigations, 1); // the start page
        QCOMPARE(server.requests.size(), 1);

        // A check that cannot start is told in the error window; the window still loads.
        AppFixture g;
        AppContext failing = g.contextWithVersionCheck("maker.test");
        failing.startStatus->setConnectionFactory([](QObject *) -> MdWebCon * { throw std::bad_alloc(); });
        g.window = std::make_unique<FMain>(failing, true);
        g.window->show();
        QVERIFY(g.window->isVisible());
        QTRY_COMPARE(windowsOnShow<FError>().size(), 1);
        FError *error = windowsOnShow<FError>().first();
        QCOMPARE(error->findChild<QPlainTextEdit *>("txtError")->toPlainText(),
                 "FMain.StartVersionCheck\noStartStatus.Check 51 std::bad_alloc");
        error->close();
    }
};

BIDBENCH_TEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
