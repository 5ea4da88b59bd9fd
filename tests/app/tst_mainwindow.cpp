#include "AppFixture.h"
#include "LinkLabel.h"
#include "TabControl.h"
#include "TestMain.h"
#include "Twips.h"

#include <QComboBox>
#include <QContextMenuEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QTabBar>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

namespace {
const QString kStart = QStringLiteral("http://r.test/link-1?loc=http%3A//www.ebay.com");
const QString kTitle = QStringLiteral("Talvex Bidbench > ");

QStringList historyOf(const QComboBox *box)
{
    QStringList entries;
    for (int i = 0; i < box->count(); ++i)
        entries.append(box->itemText(i));
    return entries;
}

QStringList addressesOf(const FakeBrowserPane *pane)
{
    QStringList addresses;
    for (const FakeBrowserPane::Request &r : pane->requests)
        addresses.append(r.address);
    return addresses;
}

QStringList captionsOf(FMain *w)
{
    QStringList captions;
    for (int i = 1; i <= FMain::kNavigateButtonCount; ++i)
        captions.append(w->tbrNavigateButton(i)->text());
    return captions;
}

const QStringList kAllCaptions{"Back", "Forward", "Stop", "Refresh", "Home", "Favorites", "Toolbar"};
} // namespace

// The main window over fake panes: its controls, load, tabs, navigation and state refresh.
class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void menusAsDesigned_data();
    void menusAsDesigned();
    void toolbarAndTabsAsDesigned();

    void loadStepsOnFirstStart();
    void loadWithStoredSiteAndTextLabelsOff();
    void loadWithCorruptSettings_data();
    void loadWithCorruptSettings();
    void restoredGeometry_data();
    void restoredGeometry();

    void tabChangesSetStatusAndTitle();
    void statusTextOfTheHiddenPaneIsDropped();
    void backAndForwardFollowTheirIndicator_data();
    void backAndForwardFollowTheirIndicator();
    void stopRefreshHomeByTab();

    void addressHistoryMovesToTopAndKeepsCase();
    void addressHistoryIsUnbounded();
    void enterAndGoWithTheAddressBox();
    void choosingFromTheListNavigates();
    void busyWatchTitleOnEitherTab();
    void titlesOnDownloadComplete();

    void selectSiteShowsAuctionTabAndLoads();
    void showInAuctionBrowserWrapsAndShowsTheAuctionTab();

    void buttonTextToggle();
    void toolbarPopupMenuOnRightButton();
    void linkLabelRestingLook();
};

void TestMainWindow::menusAsDesigned_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("shortcut");
    const char *rows[][3] = {
        {"mnuFilePrint", "&Print...", "Ctrl+P"},
        {"mnuFileExit", "E&xit", ""},
        {"mnuEditCut", "Cu&t", "Ctrl+X"},
        {"mnuEditCopy", "&Copy", "Ctrl+C"},
        {"mnuEditPaste", "&Paste", "Ctrl+V"},
        {"mnuEditFind", "&Find (on current web page)", "Ctrl+F"},
        {"mnumnuNavigatemnuNavigateBack", "&Back", ""},
        {"mnumnuNavigatemnuNavigateForward", "&Forward", ""},
        {"mnuNavigateStop", "&Stop", ""},
        {"mnumnuNavigatemnuNavigateHome", "&Home", ""},
        {"mnumnuNavigatemnuNavigateRefresh", "&Refresh", ""},
        {"mnuFavoritesView", "&View Browser Favorites...", ""},
        {"mnuFavoritesAdd", "&Add to Browser Favorites...", ""},
        {"mnuFavoritesImport", "&Import Netscape Favorites...", ""},
        {"mnuFavoriteSearches", "Favorite eBay Searches", ""},
        {"mnuFavoritesSellers", "Favorite eBay &Sellers...", ""},
        {"mnuFavoritesBidders", "Favorite eBay &Bidders...", ""},
        {"mnuNavigateSnipe", "Snipe &Current Auction", "Ctrl+Z"},
        {"mnuToolsToolbar", "&Floating Toolbar", "Ctrl+T"},
        {"mnuToolsPassword", "&Talvex Password", ""},
        {"mnuOptionsText", "&Show Button Text", ""},
        {"mnuHelpContents", "&Contents", ""},
        {"mnuHelpmnuHelpMardell", "&Mardell Home Page", ""},
        {"mnuHelpmnuHelpTalvex", "Talvex &Online", ""},
        {"mnuHelpmnuHelpFeedback", "Email Talvex &Help", ""},
        {"mnuHelpJoinList", "&Join Mailing List", ""},
        {"mnuHelpAbout", "&About ", ""},
        {"mnuButtonBarStatusViewLabels", "View Text Labels", ""},
    };
    for (const auto &row : rows)
        QTest::newRow(row[0]) << QString(row[0]) << QString(row[1]) << QString(row[2]);
}

void TestMainWindow::menusAsDesigned()
{
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(QString, shortcut);
    AppFixture f;
    FMain *w = f.create();
    auto *action = w->findChild<QAction *>(name);
    QVERIFY(action);
    QCOMPARE(action->text(), caption);
    QCOMPARE(action->shortcut().toString(), shortcut);
}

void TestMainWindow::toolbarAndTabsAsDesigned()
{
    AppFixture f;
    FMain *w = f.create();
    QStringList menus;
    for (QAction *top : w->menuBar()->actions())
        menus.append(top->text());
    QCOMPARE(menus, QStringList({"&File", "&Edit", "&Navigate", "Fa&vorites", "&Tools", "&Help"}));
    QCOMPARE(w->mnuOptionS->title(), QString("&Options"));
    QCOMPARE(w->mnuOPtionsAuctionSite->title(), QString("&Start-up Auction Site"));
    QCOMPARE(w->mnuOPtionsAuctionSite->actions().size(), 14);
    QCOMPARE(w->mnuOptionsSite(2)->text(), QString("eBay &Canada"));
    QCOMPARE(w->checkedSite(), 1);
    // The pop-up menu is not in the menu bar.
    QVERIFY(!w->menuBar()->actions().contains(w->mnuButtonBarStatus->menuAction()));

    QCOMPARE(captionsOf(w), kAllCaptions);
    QCOMPARE(w->tbrNavigateButton(7)->toolTip(), QString("Transform Bidbench into a small floating toolbar."));
    QCOMPARE(w->tbrNavigateButton(1)->toolTip(), QString("Go back to the page you viewed before this one."));
    QStringList entries;
    for (QAction *entry : w->tbrNavigateFavoritesMenu->actions())
        entries.append(entry->text() + "/" + entry->data().toString());
    QCOMPARE(entries, QStringList({"Browser Favorites/Favorites", "Favorite Searches/Searches",
                                   "Favorite Sellers/Sellers", "Favorite Bidders/Bidders"}));
    QCOMPARE(w->tbrNavigateButton(6)->menu(), w->tbrNavigateFavoritesMenu);
    QCOMPARE(w->tbrNavigateToolButton(6)->popupMode(), QToolButton::MenuButtonPopup);
    QCOMPARE(w->tbrNavigateButtonMenu("Sellers")->text(), QString("Favorite Sellers"));

    QCOMPARE(w->SSTab1->tabCaption(0), QString("Ta&lvex "));
    QCOMPARE(w->SSTab1->tabCaption(1), QString("&Auction Browser "));
    QCOMPARE(w->tbrGoButton->text(), QString("Go!  "));
    QCOMPARE(w->tbrSnipeButton->text(), QString("Snipe!"));
    QCOMPARE(w->timTimer->interval(), 10);
    QCOMPARE(w->timStar->interval(), 175);
    QCOMPARE(w->timAppEnd->interval(), 2000);
    QVERIFY(!w->timAppEnd->isActive());
    QVERIFY(w->timTimer->isActive());
    QVERIFY(w->timStar->isActive());
    QCOMPARE(w->imlStars.count(), 8);
    QCOMPARE(w->imlStarsSmall.count(), 8);
    QCOMPARE(w->imlImagesCold.count(), 7);
    QCOMPARE(w->imlImagesHot.count(), 7);
}

void TestMainWindow::loadStepsOnFirstStart()
{
    AppFixture f;
    FMain *w = f.create(false);
    // Design state: the auction tab is current, nothing loaded.
    QCOMPARE(w->tabIndex(), FMain::kAuctionTab);
    QVERIFY(f.auction()->requests.isEmpty());

    w->show();
    QVERIFY(w->isLoaded());
    QVERIFY(!w->isHasAccount());
    QCOMPARE(w->checkedSite(), 1);
    QCOMPARE(w->tabIndex(), FMain::kTalvexTab);
    QVERIFY(w->isSnipePaneCurrent());
    QVERIFY(!w->tbrGo->isVisibleTo(w));
    QVERIFY(w->lblMardell->isVisibleTo(w));
    QVERIFY(!w->brwAuction->isVisibleTo(w));
    QVERIFY(w->brwSnipe->isVisibleTo(w));
    QCOMPARE(w->sbStatusBarPanel(1)->text(), QString("Talvex"));
    QCOMPARE(w->sbStatusBarPanel(2)->text(), QString("Done"));
    QVERIFY(!w->tbrNavigateButton(1)->isEnabled());
    QVERIFY(!w->tbrNavigateButton(2)->isEnabled());
    QVERIFY(w->mnuButtonBarStatusViewLabels->isChecked());
    QVERIFY(w->mnuOptionsText->isChecked());
    QCOMPARE(captionsOf(w), kAllCaptions);
    QCOMPARE(w->picSnipe->pixmap().cacheKey(), w->imlStars.image(8).cacheKey());
    QCOMPARE(w->startURL(), kStart);
    // Sent to the start page twice: by the site selection and by the load itself.
    QCOMPARE(addressesOf(f.auction()), QStringList({kStart, kStart}));
    QCOMPARE(historyOf(w->cboAddress), QStringList({kStart}));
    QCOMPARE(w->cboAddress->currentText(), kStart);
    QVERIFY(w->timTimer->isActive());
    QVERIFY(!w->mnuFavoritesAdd->isEnabled());
    // Design client size: 10020 x 6585 twips below the menu bar.
    QCOMPARE(w->centralWidget()->width(), Twips::toPixelsX(10020));
    QCOMPARE(w->centralWidget()->height() + w->sbStatusBar->height(), Twips::toPixelsY(6585));
    QCOMPARE(w->SSTab1->y(), Twips::toPixelsY(660));
}

void TestMainWindow::loadWithStoredSiteAndTextLabelsOff()
{
    AppFixture f;
    f.store("Settings", "Site", "8");
    f.store("Settings", "TextLabels", "N");
    FMain *w = f.start();
    QCOMPARE(w->checkedSite(), 8);
    QCOMPARE(w->startURL(), QString("http://de.test"));
    QCOMPARE(addressesOf(f.auction()), QStringList({"http://de.test", "http://de.test"}));
    QVERIFY(!w->mnuButtonBarStatusViewLabels->isChecked());
    QVERIFY(!w->mnuOptionsText->isChecked());
    QCOMPARE(captionsOf(w), QStringList(7, QString()));
    QCOMPARE(w->SSTab1->y(), Twips::toPixelsY(500));
    QCOMPARE(w->tabIndex(), FMain::kTalvexTab);
}

void TestMainWindow::loadWithCorruptSettings_data()
{
    QTest::addColumn<QString>("site");
    QTest::addColumn<QString>("textLabels");
    QTest::addColumn<int>("checkedSite");
    QTest::addColumn<bool>("textShown");
    QTest::newRow("site words") << "Germany" << "" << 1 << true;
    QTest::newRow("site 0") << "0" << "" << 1 << true;
    QTest::newRow("site 15") << "15" << "" << 1 << true;
    QTest::newRow("site 14 with blanks") << " 14 " << "" << 14 << true;
    QTest::newRow("labels n") << "2" << "n" << 2 << true;
    QTest::newRow("labels N blank") << "2" << "N " << 2 << true;
    QTest::newRow("labels N") << "2" << "N" << 2 << false;
}

void TestMainWindow::loadWithCorruptSettings()
{
    QFETCH(QString, site);
    QFETCH(QString, textLabels);
    QFETCH(int, checkedSite);
    QFETCH(bool, textShown);
    AppFixture f;
    f.store("Settings", "Site", site);
    f.store("Settings", "TextLabels", textLabels);
    FMain *w = f.start();
    QCOMPARE(w->checkedSite(), checkedSite);
    QVERIFY(!w->startURL().isEmpty());
    QCOMPARE(w->isTextShown(), textShown);
}

void TestMainWindow::restoredGeometry_data()
{
    QTest::addColumn<QString>("state");
    QTest::addColumn<QString>("width");
    QTest::addColumn<QString>("height");
    QTest::addColumn<QSize>("outer"); // pixels at 96 DPI; empty: the design size
    QTest::addColumn<int>("windowState");

    QTest::newRow("normal") << "0" << "9000" << "6000" << QSize(600, 400) << int(Qt::WindowNoState);
    QTest::newRow("fractional twips") << "0" << "9004.5" << "6001" << QSize(600, 400) << int(Qt::WindowNoState);
    QTest::newRow("maximized") << "2" << "9000" << "6000" << QSize() << int(Qt::WindowMaximized);
    QTest::newRow("minimized") << "1" << "9000" << "6000" << QSize() << int(Qt::WindowMinimized);
    QTest::newRow("no state: sizes ignored") << "" << "9000" << "6000" << QSize() << int(Qt::WindowNoState);
    QTest::newRow("state not a number") << "big" << "9000" << "6000" << QSize(600, 400) << int(Qt::WindowNoState);
    QTest::newRow("state out of range") << "7" << "9000" << "6000" << QSize(600, 400) << int(Qt::WindowNoState);
    QTest::newRow("width not a number") << "0" << "wide" << "6000" << QSize(-1, 400) << int(Qt::WindowNoState);
    QTest::newRow("negative height") << "0" << "9000" << "-6000" << QSize(600, -1) << int(Qt::WindowNoState);
    QTest::newRow("not finite") << "0" << "inf" << "nan" << QSize() << int(Qt::WindowNoState);
}

void TestMainWindow::restoredGeometry()
{
    QFETCH(QString, state);
    QFETCH(QString, width);
    QFETCH(QString, height);
    QFETCH(QSize, outer);
    QFETCH(int, windowState);

    AppFixture design;
    const QSize designSize = design.start()->frameGeometry().size();

    AppFixture f;
    f.storeGeometry("WindowState", state);
    f.storeGeometry("WindowWidth", width);
    f.storeGeometry("WindowHeight", height);
    FMain *w = f.start();
    QCOMPARE(int(w->windowState()), windowState);
    if (windowState == int(Qt::WindowNoState)) {
        const QSize expected(outer.width() > 0 ? outer.width() : designSize.width(),
                             outer.height() > 0 ? outer.height() : designSize.height());
        QCOMPARE(w->frameGeometry().size(), expected);
    }
}

void TestMainWindow::tabChangesSetStatusAndTitle()
{
    AppFixture f;
    FMain *w = f.start();
    f.talvex()->finishLoad("http://service.test/secure/login.cfm", "Talvex Login");
    f.auction()->finishLoad("http://www.ebay.com/", "eBay Home", /*stayBusy=*/true);
    QCOMPARE(w->windowTitle(), kTitle + "Talvex Login");

    w->SSTab1->tabBar()->setCurrentIndex(FMain::kAuctionTab); // as a click on the tab would
    QVERIFY(!w->isSnipePaneCurrent());
    QCOMPARE(w->sbStatusBarPanel(1)->text(), QString("Auction Browser"));
    QCOMPARE(w->sbStatusBarPanel(2)->text(), QString("Working . . ."));
    QVERIFY(w->tbrGo->isVisibleTo(w));
    QVERIFY(!w->lblMardell->isVisibleTo(w));
    QVERIFY(w->cboAddress->isVisibleTo(w));
    QVERIFY(w->mnuFavoritesAdd->isEnabled());
    QCOMPARE(w->windowTitle(), kTitle + "eBay Home");

    f.talvex()->busy = true;
    w->setTabIndex(FMain::kTalvexTab);
    QVERIFY(w->isSnipePaneCurrent());
    QCOMPARE(w->sbStatusBarPanel(1)->text(), QString("Talvex"));
    QCOMPARE(w->sbStatusBarPanel(2)->text(), QString("Working . . ."));
    QVERIFY(!w->tbrGo->isVisibleTo(w));
    QVERIFY(!w->cboAddress->isVisibleTo(w));
    QVERIFY(w->lblMardell->isVisibleTo(w));
    QVERIFY(!w->mnuFavoritesAdd->isEnabled());
    QCOMPARE(w->windowTitle(), kTitle + "Talvex Login");

    // Selecting the current tab again changes nothing.
    w->sbStatusBarPanel(2)->setText("unchanged");
    w->setTabIndex(FMain::kTalvexTab);
    QCOMPARE(w->sbStatusBarPanel(2)->text(), QString("unchanged"));

    f.auction()->busy = false;
    w->setTabIndex(FMain::kAuctionTab);
    QCOMPARE(w->sbStatusBarPanel(2)->text(), QString("Done"));
}

void TestMainWindow::statusTextOfTheHiddenPaneIsDropped()
{
    AppFixture f;
    FMain *w = f.start();
    f.talvex()->setStatusText("Talvex says");
    QCOMPARE(w->sbStatusBarPanel(2)->text(), QString("Talvex says"));
    f.auction()->setStatusText("eBay says");
    QCOMPARE(w->sbStatusBarPanel(2)->text(), QString("Talvex says"));

    w->setTabIndex(FMain::kAuctionTab);
    QCOMPARE(w->sbStatusBarPanel(2)->text(), QString("Working . . ."));
    f.talvex()->setStatusText("hidden");
    QCOMPARE(w->sbStatusBarPanel(2)->text(), QString("Working . . ."));
    f.auction()->setStatusText("Opening page");
    QCOMPARE(w->sbStatusBarPanel(2)->text(), QString("Opening page"));
}

void TestMainWindow::backAndForwardFollowTheirIndicator_data()
{
    QTest::addColumn<int>("tab");
    QTest::addColumn<bool>("talvexBack");
    QTest::addColumn<bool>("auctionBack");
    QTest::addColumn<bool>("viaMenu");
    QTest::addColumn<QString>("expectTalvex");
    QTest::addColumn<QString>("expectAuction");

    QTest::newRow("toolbar, Talvex tab") << 0 << true << true << false << "GoBack" << "";
    QTest::newRow("toolbar, auction tab") << 1 << true << true << false << "" << "GoBack";
    QTest::newRow("menu, Talvex tab") << 0 << true << true << true << "GoBack" << "";
    QTest::newRow("menu, auction tab") << 1 << true << true << true << "" << "GoBack";
    QTest::newRow("Talvex has no history") << 0 << false << true << true << "" << "";
    QTest::newRow("auction has no history") << 1 << true << false << false << "" << "";
}

void TestMainWindow::backAndForwardFollowTheirIndicator()
{
    QFETCH(int, tab);
    QFETCH(bool, talvexBack);
    QFETCH(bool, auctionBack);
    QFETCH(bool, viaMenu);
    QFETCH(QString, expectTalvex);
    QFETCH(QString, expectAuction);

    AppFixture f;
    FMain *w = f.start();
    w->setTabIndex(tab);
    f.talvex()->setHistory(talvexBack, talvexBack);
    f.auction()->setHistory(auctionBack, auctionBack);
    const bool expectedEnabled = tab == 0 ? talvexBack : auctionBack;
    QCOMPARE(w->tbrNavigateButton(1)->isEnabled(), expectedEnabled);
    QCOMPARE(w->tbrNavigateButton(2)->isEnabled(), expectedEnabled);

    QAction *back = viaMenu ? w->mnumnuNavigatemnuNavigateBack : w->tbrNavigateButton(1);
    QAction *forward = viaMenu ? w->mnumnuNavigatemnuNavigateForward : w->tbrNavigateButton(2);
    w->GoBack(tab == 0); // direct call ignores the button's enabled state
    back->trigger();
    forward->trigger();
    const auto only = [](const QStringList &calls, const QString &name) {
        return calls.filter(name).join(',');
    };
    const QString twice = expectTalvex.isEmpty() ? QString() : expectTalvex + "," + expectTalvex;
    QCOMPARE(only(f.talvex()->calls, "GoBack"), twice);
    QCOMPARE(only(f.auction()->calls, "GoBack"),
             expectAuction.isEmpty() ? QString() : expectAuction + "," + expectAuction);
    QCOMPARE(only(f.talvex()->calls, "GoForward"), expectTalvex.isEmpty() ? QString() : "GoForward");
    QCOMPARE(only(f.auction()->calls, "GoForward"), expectAuction.isEmpty() ? QString() : "GoForward");
}

void TestMainWindow::stopRefreshHomeByTab()
{
    AppFixture f;
    FMain *w = f.start();
    w->mnuNavigateStop->trigger();
    w->tbrNavigateButton(4)->trigger();
    w->tbrNavigateButton(5)->trigger();
    QCOMPARE(f.talvex()->calls, QStringList({"Stop", "Refresh"}));
    QCOMPARE(f.talvex()->requests.last().address, QString("http://service.test/secure/news.cfm?"));
    QVERIFY(f.auction()->calls.isEmpty());

    w->setTabIndex(FMain::kAuctionTab);
    w->tbrNavigateButton(3)->trigger();
    w->mnumnuNavigatemnuNavigateRefresh->trigger();
    w->mnumnuNavigatemnuNavigateHome->trigger();
    QCOMPARE(f.auction()->calls, QStringList({"Stop", "Refresh"}));
    QCOMPARE(f.auction()->requests.last().address, kStart);
    QCOMPARE(f.talvex()->calls.size(), 2);
}

void TestMainWindow::addressHistoryMovesToTopAndKeepsCase()
{
    AppFixture f;
    FMain *w = f.start();
    const int before = f.auction()->requests.size();
    f.auction()->finishLoad("http://a.test/1", "One");
    f.auction()->finishLoad("http://a.test/2", "Two");
    f.auction()->finishLoad(kStart, "eBay");
    f.auction()->finishLoad("http://a.test/1", "One");
    f.auction()->finishLoad("http://A.test/1", "One upper");
    f.auction()->finishLoad("http://A.test/1", "One upper");
    QCOMPARE(historyOf(w->cboAddress),
             QStringList({"http://A.test/1", "http://a.test/1", kStart, "http://a.test/2"}));
    QCOMPARE(w->cboAddress->currentText(), QString("http://A.test/1"));
    // Rebuilding the list never starts a navigation of its own.
    QCOMPARE(f.auction()->requests.size(), before);
}

void TestMainWindow::addressHistoryIsUnbounded()
{
    AppFixture f;
    FMain *w = f.start();
    for (int i = 0; i < 300; ++i)
        f.auction()->finishLoad(QStringLiteral("http://a.test/%1").arg(i));
    QCOMPARE(w->cboAddress->count(), 301);
    QCOMPARE(w->cboAddress->itemText(0), QString("http://a.test/299"));
    QCOMPARE(w->cboAddress->itemText(300), kStart);
}

void TestMainWindow::enterAndGoWithTheAddressBox()
{
    AppFixture f;
    FMain *w = f.start();
    w->setTabIndex(FMain::kAuctionTab);
    w->activateWindow();
    f.auction()->busy = false;
    w->timTimer->stop();

    // Go with an empty box does nothing; Enter navigates to the empty address.
    w->cboAddress->setEditText(QString());
    const int before = f.auction()->requests.size();
    w->tbrGoButton->trigger();
    QCOMPARE(f.auction()->requests.size(), before);
    QTest::keyClick(w->cboAddress->lineEdit(), Qt::Key_Return);
    QCOMPARE(f.auction()->requests.size(), before + 1);
    QCOMPARE(f.auction()->requests.last().address, QString());
    QVERIFY(w->timTimer->isActive());

    // Typed text goes out unchanged, blanks and all; Enter on the keypad too.
    w->timTimer->stop();
    w->cboAddress->setEditText(" ebay.de/x ");
    QTest::keyClick(w->cboAddress->lineEdit(), Qt::Key_Enter);
    QCOMPARE(f.auction()->requests.last().address, QString(" ebay.de/x "));
    QVERIFY(w->timTimer->isActive());

    // Go navigates without starting the busy watch, and nothing is added to the list by typing.
    w->timTimer->stop();
    w->cboAddress->setEditText("http://go.test/");
    w->tbrGoButton->trigger();
    QCOMPARE(f.auction()->requests.last().address, QString("http://go.test/"));
    QVERIFY(!w->timTimer->isActive());
    QCOMPARE(historyOf(w->cboAddress), QStringList({kStart}));
}

void TestMainWindow::choosingFromTheListNavigates()
{
    AppFixture f;
    FMain *w = f.start();
    w->setTabIndex(FMain::kAuctionTab);
    f.auction()->finishLoad("http://a.test/1");
    f.auction()->finishLoad("http://a.test/2");
    const int before = f.auction()->requests.size();
    w->cboAddress->setCurrentIndex(1);
    emit w->cboAddress->activated(1); // the user picked the entry from the list
    QCOMPARE(f.auction()->requests.size(), before + 1);
    QCOMPARE(f.auction()->requests.last().address, QString("http://a.test/1"));
}

void TestMainWindow::busyWatchTitleOnEitherTab()
{
    AppFixture f;
    FMain *w = f.start();
    f.talvex()->finishLoad("file:///PleaseWait.html", "Please");
    // The auction pane is still loading its start page while the Talvex tab is shown.
    QVERIFY(f.auction()->busy);
    QTRY_COMPARE(w->windowTitle(), kTitle + "Working...");
    QVERIFY(w->timTimer->isActive());

    f.auction()->finishLoad("http://www.ebay.com/", "eBay");
    QTRY_VERIFY(!w->timTimer->isActive());
    // With the Talvex tab current the watch leaves the title to the Talvex pane.
    QCOMPARE(w->windowTitle(), kTitle + "Please");

    w->setTabIndex(FMain::kAuctionTab);
    w->cboAddress->setEditText("http://a.test/next");
    QTest::keyClick(w->cboAddress->lineEdit(), Qt::Key_Return);
    QTRY_COMPARE(w->windowTitle(), kTitle + "Working...");
    f.auction()->url = "http://a.test/next";
    f.auction()->title = "Next";
    f.auction()->busy = false;
    QTRY_VERIFY(!w->timTimer->isActive());
    QCOMPARE(w->windowTitle(), kTitle + "Next");
}

void TestMainWindow::titlesOnDownloadComplete()
{
    AppFixture f;
    FMain *w = f.start();
    w->timTimer->stop();
    f.auction()->finishLoad("http://a.test/", "Auction page");
    QCOMPARE(w->windowTitle(), kTitle); // the Talvex pane has no page yet
    f.talvex()->finishLoad("http://service.test/", "Service page");
    QCOMPARE(w->windowTitle(), kTitle + "Service page");

    w->setTabIndex(FMain::kAuctionTab);
    QCOMPARE(w->windowTitle(), kTitle + "Auction page");
    f.talvex()->finishLoad("http://service.test/2", "Service two");
    QCOMPARE(w->windowTitle(), kTitle + "Auction page");
    f.auction()->finishLoad("http://a.test/2", "Auction two");
    QCOMPARE(w->windowTitle(), kTitle + "Auction two");
}

void TestMainWindow::selectSiteShowsAuctionTabAndLoads()
{
    AppFixture f;
    FMain *w = f.start();
    QCOMPARE(w->tabIndex(), FMain::kTalvexTab);
    w->mnuOptionsSite(8)->trigger();
    QCOMPARE(w->tabIndex(), FMain::kAuctionTab);
    QVERIFY(!w->isSnipePaneCurrent());
    QCOMPARE(f.auction()->requests.last().address, QString("http://de.test"));
    for (int i = 1; i <= 14; ++i)
        QCOMPARE(w->mnuOptionsSite(i)->isChecked(), i == 8);

    // The checked site again: its page loads again and it stays checked.
    const int before = f.auction()->requests.size();
    w->mnuOptionsSite(8)->trigger();
    QCOMPARE(f.auction()->requests.size(), before + 1);
    QVERIFY(w->mnuOptionsSite(8)->isChecked());

    // Home follows the site checked now, not the one of the start.
    w->GoHome();
    QCOMPARE(f.auction()->requests.last().address, QString("http://de.test"));
    w->mnuOptionsSite(3)->trigger();
    QCOMPARE(f.auction()->requests.last().address, QString("http://r.test/link-3?loc=http%3A//uk.test"));
    QCOMPARE(w->checkedSite(), 3);
}

void TestMainWindow::showInAuctionBrowserWrapsAndShowsTheAuctionTab()
{
    AppFixture f;
    FMain *w = f.start();
    w->mnuOptionsSite(5)->trigger();
    w->setTabIndex(FMain::kTalvexTab);
    f.auction()->finishLoad("http://a.test/", "Shown", /*stayBusy=*/true);
    w->ShowInAuctionBrowser("http://x.test/a?b=1&c=2");
    QCOMPARE(w->tabIndex(), FMain::kAuctionTab);
    QVERIFY(!w->isSnipePaneCurrent());
    QCOMPARE(w->sbStatusBarPanel(1)->text(), QString("Auction Browser"));
    // Always the redirect of site 1, whatever site is checked.
    QCOMPARE(f.auction()->requests.last().address,
             QString("http://r.test/link-1?loc=http%3A//x.test/a%3Fb%3D1%26c%3D2"));
    QCOMPARE(w->windowTitle(), kTitle + "Shown");
}

void TestMainWindow::buttonTextToggle()
{
    AppFixture f;
    FMain *w = f.start();
    const int toolbarWithText = w->tbrNavigate->height();
    QCOMPARE(w->SSTab1->y(), Twips::toPixelsY(660));

    w->mnuOptionsText->trigger();
    QVERIFY(!w->mnuOptionsText->isChecked());
    QVERIFY(!w->mnuButtonBarStatusViewLabels->isChecked());
    QCOMPARE(captionsOf(w), QStringList(7, QString()));
    QCOMPARE(w->SSTab1->y(), Twips::toPixelsY(500));
    QVERIFY(w->tbrNavigate->height() < toolbarWithText);
    // Tool tips stay whatever the captions are.
    QCOMPARE(w->tbrNavigateButton(3)->toolTip(), QString("Stop the current browser from navigating."));

    w->mnuButtonBarStatusViewLabels->trigger();
    QVERIFY(w->mnuOptionsText->isChecked());
    QVERIFY(w->mnuButtonBarStatusViewLabels->isChecked());
    QStringList back = kAllCaptions;
    back[6] = QString(); // "Toolbar" does not come back in this run
    QCOMPARE(captionsOf(w), back);
    QCOMPARE(w->SSTab1->y(), Twips::toPixelsY(660));

    w->mnuButtonBarStatusViewLabels->trigger();
    w->mnuOptionsText->trigger();
    QCOMPARE(captionsOf(w), back);
    QVERIFY(w->mnuOptionsText->isChecked());
}

void TestMainWindow::toolbarPopupMenuOnRightButton()
{
    AppFixture f;
    FMain *w = f.start();
    QToolButton *home = w->tbrNavigateToolButton(5);
    const QPoint pos = home->rect().center();
    QContextMenuEvent event(QContextMenuEvent::Mouse, pos, home->mapToGlobal(pos));
    QApplication::sendEvent(home, &event);
    QTRY_VERIFY(w->mnuButtonBarStatus->isVisible());
    w->mnuButtonBarStatus->close();
    QVERIFY(f.talvex()->requests.isEmpty() || f.talvex()->requests.last().address != "http://service.test/secure/news.cfm?");
}

void TestMainWindow::linkLabelRestingLook()
{
    AppFixture f;
    FMain *w = f.start();
    QVERIFY(QTest::qWaitForWindowExposed(w));
    LinkLabel *link = w->lblMardell;
    QCOMPARE(link->toolTip(), QString("Visit Mardell for other great online auction utilities."));
    QCOMPARE(link->textColor(), QColor(0, 0, 255));
    const auto moveOver = [](QWidget *widget, QPoint pos) {
        QMouseEvent move(QEvent::MouseMove, pos, widget->mapToGlobal(pos), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(widget, &move);
    };

    moveOver(link, QPoint(2, 2));
    QVERIFY(link->isHoverLook());
    moveOver(w->brwSnipe, QPoint(5, 5)); // onto the pane: the hover look stays
    QVERIFY(link->isHoverLook());
    moveOver(w->tbrNavigate, QPoint(1, 1));
    QVERIFY(link->isHoverLook());
    moveOver(w->centralWidget(), QPoint(5, w->tbrNavigate->height())); // bare background
    QVERIFY(!link->isHoverLook());
    QCOMPARE(link->textColor(), QColor(0, 0, 255));

    moveOver(link, QPoint(2, 2));
    moveOver(w->SSTab1->tabBar(), QPoint(3, 3));
    QVERIFY(!link->isHoverLook());

    moveOver(link, QPoint(2, 2));
    emit w->brwSnipe->focusReceived();
    QVERIFY(!link->isHoverLook());
    QVERIFY(f.shell.opened.isEmpty());
}

BIDBENCH_TEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
