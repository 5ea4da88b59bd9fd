#include "AppFixture.h"
#include "CError.h"
#include "CStartStatus.h"
#include "FError.h"
#include "FToolbar.h"
#include "LinkLabel.h"
#include "MdWebCon.h"
#include "LoopbackServer.h"
#include "TabControl.h"
#include "TestMain.h"
#include "TitleBarClose.h"
#include "UserFolders.h"

#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabBar>
#include <QPlainTextEdit>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>

namespace {
QString favoritesFolder()
{
    return SpecialFolder::path(SpecialFolder::Favorites);
}

// Chooses a row of a list or tree window and leaves by its Go! button, or closes it.
void choose(QWidget *modal, const QString &row)
{
    auto *list = modal->findChild<QListWidget *>("lstFavorites");
    auto *tree = modal->findChild<QTreeWidget *>("TreeView1");
    auto *item = modal->findChild<QLineEdit *>("txtItem");
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
    } else if (!row.isEmpty() && item) {
        QTest::keyClicks(item, row);
        for (QAction *action : modal->findChildren<QAction *>()) {
            if (action->text() == "Snipe!")
                action->trigger();
        }
    }
    if (modal->isVisible()) // nothing chosen, or the choice went wrong: never hang
        closeFromTitleBar(modal);
}
} // namespace

// What the main window's commands open, and where what the user chose there goes.
class TestCommandWindows : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void entryPoints_data();
    void entryPoints();
    void addsTheAuctionPageAndImports();
    void linkLabelHoverAndRestore_data();
    void linkLabelHoverAndRestore();
    void versionCheckIsTheLastLoadStep();
};

void TestCommandWindows::init()
{
    QDir(favoritesFolder()).removeRecursively();
}

void TestCommandWindows::entryPoints_data()
{
    QTest::addColumn<QString>("entry");  // a menu item, "button N", or a drop-down key
    QTest::addColumn<QString>("choose"); // the row chosen in the window; empty: closed
    QTest::addColumn<QString>("window"); // the window's caption
    QTest::addColumn<QString>("pane");   // "auction" or "talvex": where the choice goes
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("opened"); // what the desktop was asked to open

    const QString r = "http://r.test/link-1?loc=http%3A//";
    QTest::newRow("seller from the menu") << "mnuFavoritesSellers" << "ann" << "Favorite Sellers List" << "auction"
        << r + "listed.test/aw-cgi/eBayISAPI.dll%3FMfcISAPICommand%3DViewListedItems%26userid%3Dann%26include%3D0"
               "%26since%3D-1%26sort%3D2%26rows%3D25" << "";
    QTest::newRow("bidder with a blank, drop-down") << "Bidders" << "big spender" << "Favorite Bidders List" << "auction"
        << r + "bids.test/aw-cgi/eBayISAPI.dll%3FMfcISAPICommand%3DViewBidItems%26userid%3Dbig spender"
               "%26completed%3D0%26all%3D1%26rows%3D25" << "";
    QTest::newRow("search, drop-down") << "Searches" << "lamps" << "Favorite Auction Searches" << "auction"
        << r + "search.befr.ebay.be/ws/search/SaleSearch%3F%26sapricelo%3D%26sapricehi%3D%26exclude%3D"
               "%26soincludewords%3Dlamp shade%26sotextsearched%3D2%26sacategory%3D%26sosearchwordscombine%3D1" << "";
    QTest::newRow("browser favourite, button 6") << "button 6" << "Deal" << "Browser Favorites" << "auction"
        << r + "deal.test/x%3Fa%3D1,2;b" << "";
    QTest::newRow("browser favourite, menu") << "mnuFavoritesView" << "Deal" << "Browser Favorites" << "auction"
        << r + "deal.test/x%3Fa%3D1,2;b" << "";
    QTest::newRow("empty shortcut opens nothing") << "Favorites" << "Empty" << "Browser Favorites" << "" << "" << "";
    QTest::newRow("sellers closed") << "Sellers" << "" << "Favorite Sellers List" << "" << "" << "";
    QTest::newRow("bidders, Go! with nothing chosen") << "mnuFavoritesBidders" << "-" << "Favorite Bidders List" << "" << "" << "";
    QTest::newRow("searches closed") << "mnuFavoriteSearches" << "" << "Favorite Auction Searches" << "" << "" << "";
    QTest::newRow("floating toolbar, leading zeros") << "button 7" << "000123" << "Talvex Bidbench" << "talvex"
        << "http://service.test/secure/login.cfm?item_number=000123" << "";
    QTest::newRow("floating toolbar closed") << "mnuToolsToolbar" << "" << "Talvex Bidbench" << "" << "" << "";
    QTest::newRow("help contents") << "mnuHelpContents" << "" << "" << "" << "" << "<program>/help/Bidbench_help.htm";
    QTest::newRow("help home page") << "mnuHelpmnuHelpMardell" << "" << "" << "" << "" << "http://talvex.test?bidbench";
    QTest::newRow("Talvex online") << "mnuHelpmnuHelpTalvex" << "" << "" << "" << "" << "http://service.test";
    QTest::newRow("mail Talvex help") << "mnuHelpmnuHelpFeedback" << "" << "" << "" << ""
                                      << "mailto:help@service.test?subject= Talvex Bidbench 1.2.0";
    QTest::newRow("join the mailing list") << "mnuHelpJoinList" << "" << "" << "" << ""
                                           << "mailto:info@maker.test?subject=Subscribe List REF: Talvex Bidbench 1.2.0";
    QTest::newRow("link label: the maker's host") << "lblMardell" << "" << "" << "" << "" << "http://maker.test?bidbench";
}

void TestCommandWindows::entryPoints()
{
    QFETCH(QString, entry);
    QFETCH(QString, choose);
    QFETCH(QString, window);
    QFETCH(QString, pane);
    QFETCH(QString, address);
    QFETCH(QString, opened);
    AppFixture f;
    writeBytes(f.programDir + "/Sellers.txt", "bob\nann\n");
    writeBytes(f.programDir + "/Bidders.txt", "carl\nbig spender\n");
    writeBytes(f.programDir + "/Searches.txt", "lamps|lamp shade|1||8||||True\n");
    writeShortcutFile(favoritesFolder() + "/Shop/Deal.url", "http://deal.test/x?a=1,2;b");
    writeBytes(favoritesFolder() + "/Empty.url", "[InternetShortcut]\r\n");
    FMain *w = f.start();
    QVERIFY(QTest::qWaitForWindowExposed(w));
    const QStringList auctionBefore = f.addresses(f.auction());
    const QStringList talvexBefore = f.addresses(f.talvex());

    QString caption;
    bool mainHidden = false;
    if (!window.isEmpty()) {
        answerNextModal([&](QWidget *modal) {
            caption = modal->windowTitle();
            mainHidden = !w->isVisible();
            ::choose(modal, choose);
        });
    }
    if (entry.startsWith("button ")) {
        QToolButton *button = qobject_cast<QToolButton *>(
            f.part<QToolBar>("tbrNavigate")->widgetForAction(f.button(entry.mid(7).toInt())));
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(button->width() / 4, button->height() / 2));
    } else if (entry == "lblMardell") {
        QTest::mouseClick(f.part<LinkLabel>("lblMardell"), Qt::LeftButton);
    } else {
        f.trigger(entry);
    }

    QCOMPARE(caption, window);
    QCOMPARE(mainHidden, entry.contains("7") || entry == "mnuToolsToolbar"); // the toolbar stands in
    QVERIFY(w->isVisible() && !QApplication::activeModalWidget());
    QCOMPARE(f.addresses(f.auction()).mid(auctionBefore.size()), pane == "auction" ? QStringList{address} : QStringList());
    QCOMPARE(f.addresses(f.talvex()).mid(talvexBefore.size()), pane == "talvex" ? QStringList{address} : QStringList());
    if (!pane.isEmpty())
        QCOMPARE(f.tabs()->Tab(), pane == "talvex" ? 0 : 1);
    QCOMPARE(f.shell.opened, opened.isEmpty() ? QStringList() : QStringList{opened.replace("<program>", f.programDir)});
    // Every way out of a list window writes the list back (CR LF now).
    if (entry.contains("Sellers"))
        QCOMPARE(readBytes(f.programDir + "/Sellers.txt"), QByteArray("bob\r\nann\r\n"));
}

void TestCommandWindows::addsTheAuctionPageAndImports()
{
    const QString source = QDir::homePath() + "/Bookmarks.HTML";
    writeBytes(source, "<!DOCTYPE NETSCAPE-Bookmark-file-1>\n<DL><p><DT><H3>Auctions</H3><DL><p>"
                       "<DT><A HREF=\"http://www.ebay.com/itm/7\">Lamp</A></DL><p></DL>");
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
    f.part("mnuFavoritesAdd")->setEnabled(true);
    f.trigger("mnuFavoritesAdd");
    QCOMPARE(prefilled, QString("Nice Bike - Road"));

    QString dialogName;
    answerNextModal([&](QWidget *modal) {
        dialogName = modal->objectName();
        modal->findChild<QLineEdit *>("fileNameEdit")->setText(source);
        qobject_cast<QDialog *>(modal)->accept();
    });
    f.trigger("mnuFavoritesImport");
    QCOMPARE(dialogName, QString("CommonDialog1"));
    QCOMPARE(favoritesSnapshot(favoritesFolder()),
             QStringList({"Auctions/", "Auctions/Lamp.url -> http://www.ebay.com/itm/7",
                          "Nice Bike - Road.url -> http://www.ebay.com/itm/5?var=1,2;x"}));
}

void TestCommandWindows::linkLabelHoverAndRestore_data()
{
    QTest::addColumn<QString>("then");
    QTest::addColumn<bool>("restored");
    QTest::newRow("pointer onto the tab strip") << "tabStrip" << true;
    QTest::newRow("Talvex pane takes the focus") << "paneFocus" << true;
    QTest::newRow("pointer onto the Talvex pane keeps hover") << "pane" << false;
}

void TestCommandWindows::linkLabelHoverAndRestore()
{
    QFETCH(QString, then);
    QFETCH(bool, restored);
    AppFixture f;
    FMain *w = f.start();
    QVERIFY(QTest::qWaitForWindowExposed(w));
    auto *link = f.part<LinkLabel>("lblMardell");
    QTest::mouseMove(f.talvex(), f.talvex()->rect().center());
    QTest::mouseMove(link, link->rect().center());
    QTRY_VERIFY(link->isHoverLook());

    if (then == "tabStrip") {
        QTest::mouseMove(f.tabs()->tabBar(), f.tabs()->tabBar()->tabRect(1).center());
    } else if (then == "paneFocus") {
        emit f.talvex()->focusReceived();
    } else {
        QTest::mouseMove(f.talvex(), f.talvex()->rect().center() + QPoint(5, 5));
    }
    QTest::qWait(20);
    QCOMPARE(link->isHoverLook(), !restored);
}

void TestCommandWindows::versionCheckIsTheLastLoadStep()
{
    LoopbackServer server;
    AppFixture f;
    f.store("Settings", "TextLabels", "N");
    AppContext context = f.contextWithVersionCheck(server.hostPort());
    // What the window has done by the time the check starts.
    qsizetype auctionNavigations = -1;
    bool labelsOff = false;
    context.startStatus->setConnectionFactory([&](QObject *parent) {
        labelsOff = !f.part("mnuButtonBarStatusViewLabels")->isChecked();
        auctionNavigations = f.auction()->requests.size();
        return new MdWebCon(parent);
    });
    QSignalSpy done(context.startStatus.get(), &CStartStatus::DoneChecking);
    f.window = std::make_unique<FMain>(context, true);
    f.window->show();
    QVERIFY(labelsOff);
    QCOMPARE(auctionNavigations, 2); // the site, then the start page again
    QVERIFY(done.wait(5000));
    QCOMPARE(server.requests.size(), 1);

    // A check that cannot start is told in the error window; the window still loads.
    AppFixture g;
    AppContext failing = g.contextWithVersionCheck("maker.test");
    failing.startStatus->setConnectionFactory([](QObject *) -> MdWebCon * { return nullptr; });
    g.window = std::make_unique<FMain>(failing, true);
    g.window->show();
    QVERIFY(g.window->isVisible());
    FError *error = nullptr;
    for (QWidget *top : QApplication::topLevelWidgets())
        error = error ? error : qobject_cast<FError *>(top);
    QVERIFY(error && error->isVisible());
    QVERIFY(error->findChild<QPlainTextEdit *>("txtError")->toPlainText().contains("FMain.StartVersionCheck\noStartStatus.Check 429"));
    error->close();
}

BIDBENCH_TEST_MAIN(TestCommandWindows)
#include "tst_commandwindows.moc"
