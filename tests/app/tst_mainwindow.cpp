#include "AppFixture.h"
#include "LinkLabel.h"
#include "TabControl.h"
#include "TestMain.h"

#include <QScreen>
#include "Twips.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
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

    void loadStepsOnFirstStart();
    void loadWithStoredSettings_data();
    void loadWithStoredSettings();
    void restoredGeometry_data();
    void restoredGeometry();

    void tabChangesSetStatusAndTitle();
    void backAndForwardFollowTheirIndicator_data();
    void backAndForwardFollowTheirIndicator();
    void stopRefreshHomeByTab();

    void addressHistoryMovesToTopAndKeepsCase();
    void enterAndGoWithTheAddressBox();
    void busyWatchTitleOnEitherTab();

    void selectSiteAndShowInAuctionBrowser();

    void buttonTextToggle();
};

void TestMainWindow::loadStepsOnFirstStart()
{
    AppFixture f;
    FMain *w = f.create(false);
    QCOMPARE(w->tabIndex(), FMain::kAuctionTab); // design state, nothing loaded yet
    QVERIFY(f.auction()->requests.isEmpty());

    w->show();
    QVERIFY(w->isLoaded());
    QCOMPARE(w->checkedSite(), 1);
    QCOMPARE(w->tabIndex(), FMain::kTalvexTab);
    QVERIFY(!w->tbrGo->isVisibleTo(w));
    QVERIFY(w->lblMardell->isVisibleTo(w));
    QVERIFY(!w->brwAuction->isVisibleTo(w));
    QCOMPARE(w->sbStatusBarPanel(1)->text(), QString("Talvex"));
    QCOMPARE(w->sbStatusBarPanel(2)->text(), QString("Done"));
    QVERIFY(!w->tbrNavigateButton(1)->isEnabled());
    QVERIFY(w->mnuButtonBarStatusViewLabels->isChecked());
    QCOMPARE(captionsOf(w), kAllCaptions);
    // Sent to the start page twice: by the site selection and by the load itself.
    QCOMPARE(addressesOf(f.auction()), QStringList({kStart, kStart}));
    QCOMPARE(historyOf(w->cboAddress), QStringList({kStart}));
    QVERIFY(!w->mnuFavoritesAdd->isEnabled());
    // Design client size: 10020 x 6585 twips below the menu bar.
    QCOMPARE(w->centralWidget()->width(), Twips::toPixelsX(10020));
    QCOMPARE(w->centralWidget()->height() + w->sbStatusBar->height(), Twips::toPixelsY(6585));
}

void TestMainWindow::loadWithStoredSettings_data()
{
    QTest::addColumn<QString>("site");
    QTest::addColumn<QString>("textLabels");
    QTest::addColumn<int>("checkedSite");
    QTest::addColumn<bool>("textShown");
    QTest::newRow("site 8, labels N") << "8" << "N" << 8 << false;
    QTest::newRow("site words") << "Germany" << "" << 1 << true;
    QTest::newRow("site 0") << "0" << "" << 1 << true;
    QTest::newRow("site 15") << "15" << "" << 1 << true;
    QTest::newRow("site 14 with blanks") << " 14 " << "" << 14 << true;
    QTest::newRow("labels n") << "2" << "n" << 2 << true;
    QTest::newRow("labels N blank") << "2" << "N " << 2 << true;
}

void TestMainWindow::loadWithStoredSettings()
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
    QCOMPARE(addressesOf(f.auction()), QStringList(2, w->startURL()));
    if (checkedSite == 8)
        QCOMPARE(w->startURL(), QString("http://de.test"));
    QCOMPARE(w->isTextShown(), textShown);
    QCOMPARE(captionsOf(w), textShown ? kAllCaptions : QStringList(7, QString()));
}

void TestMainWindow::restoredGeometry_data()
{
    QTest::addColumn<QString>("state");
    QTest::addColumn<QString>("width");
    QTest::addColumn<QString>("height");
    QTest::addColumn<QSize>("outer"); // pixels at 96 DPI; -1: the design size; -2: the screen's
    QTest::addColumn<int>("windowState");

    QTest::newRow("normal, fractional twips") << "0" << "9004.5" << "6001" << QSize(600, 400) << int(Qt::WindowNoState);
    QTest::newRow("maximized") << "2" << "9000" << "6000" << QSize() << int(Qt::WindowMaximized);
    QTest::newRow("no state: sizes ignored") << "" << "9000" << "6000" << QSize() << int(Qt::WindowNoState);
    QTest::newRow("state out of range: sizes ignored") << "7" << "9000" << "6000" << QSize() << int(Qt::WindowNoState);
    QTest::newRow("state not a number: sizes ignored") << "abc" << "9000" << "6000" << QSize() << int(Qt::WindowNoState);
    QTest::newRow("larger than the screen") << "0" << "99999999" << "1e300" << QSize(-2, -2) << int(Qt::WindowNoState);
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
    if (outer == QSize(-2, -2))
        outer = w->screen()->availableGeometry().size();
    if (windowState == int(Qt::WindowNoState))
        QCOMPARE(w->frameGeometry().size(), QSize(outer.width() > 0 ? outer.width() : designSize.width(),
                                                  outer.height() > 0 ? outer.height() : designSize.height()));
}

void TestMainWindow::tabChangesSetStatusAndTitle()
{
    AppFixture f;
    FMain *w = f.start();
    f.talvex()->finishLoad("http://service.test/secure/login.cfm", "Talvex Login");
    f.auction()->finishLoad("http://www.ebay.com/", "eBay Home", /*stayBusy=*/true);
    QCOMPARE(w->windowTitle(), kTitle + "Talvex Login");
    // The hidden pane's status text is dropped.
    f.auction()->setStatusText("eBay says");
    QCOMPARE(w->sbStatusBarPanel(2)->text(), QString("Done"));

    w->SSTab1->tabBar()->setCurrentIndex(FMain::kAuctionTab); // as a click on the tab would
    QCOMPARE(w->sbStatusBarPanel(1)->text(), QString("Auction Browser"));
    QCOMPARE(w->sbStatusBarPanel(2)->text(), QString("Working . . ."));
    QVERIFY(w->tbrGo->isVisibleTo(w));
    QCOMPARE(w->tbrGo->widgetForAction(w->tbrGoButton)->property("text").toString(), QString("Go!  "));
    QVERIFY(!w->lblMardell->isVisibleTo(w));
    QVERIFY(w->mnuFavoritesAdd->isEnabled());
    QCOMPARE(w->windowTitle(), kTitle + "eBay Home");
    f.talvex()->setStatusText("hidden");
    QCOMPARE(w->sbStatusBarPanel(2)->text(), QString("Working . . ."));
    f.auction()->setStatusText("Opening page");
    QCOMPARE(w->sbStatusBarPanel(2)->text(), QString("Opening page"));

    f.talvex()->busy = true;
    w->setTabIndex(FMain::kTalvexTab);
    QCOMPARE(w->sbStatusBarPanel(1)->text(), QString("Talvex"));
    QCOMPARE(w->sbStatusBarPanel(2)->text(), QString("Working . . ."));
    QVERIFY(!w->cboAddress->isVisibleTo(w));
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

void TestMainWindow::backAndForwardFollowTheirIndicator_data()
{
    QTest::addColumn<int>("tab");
    QTest::addColumn<bool>("talvexHistory");
    QTest::addColumn<bool>("auctionHistory");
    QTest::addColumn<bool>("viaMenu");

    QTest::newRow("toolbar, Talvex tab") << 0 << true << true << false;
    QTest::newRow("menu, auction tab") << 1 << true << true << true;
    QTest::newRow("Talvex has no history") << 0 << false << true << true;
    QTest::newRow("auction has no history") << 1 << true << false << false;
}

void TestMainWindow::backAndForwardFollowTheirIndicator()
{
    QFETCH(int, tab);
    QFETCH(bool, talvexHistory);
    QFETCH(bool, auctionHistory);
    QFETCH(bool, viaMenu);

    AppFixture f;
    FMain *w = f.start();
    w->setTabIndex(tab);
    f.talvex()->setHistory(talvexHistory, talvexHistory);
    f.auction()->setHistory(auctionHistory, auctionHistory);
    const bool enabled = tab == 0 ? talvexHistory : auctionHistory;
    QCOMPARE(w->tbrNavigateButton(1)->isEnabled(), enabled);
    QCOMPARE(w->tbrNavigateButton(2)->isEnabled(), enabled);

    w->GoBack(tab == 0); // a direct call checks the indicator itself
    (viaMenu ? w->mnumnuNavigatemnuNavigateBack : w->tbrNavigateButton(1))->trigger();
    (viaMenu ? w->mnumnuNavigatemnuNavigateForward : w->tbrNavigateButton(2))->trigger();
    FakeBrowserPane *shown = tab == 0 ? f.talvex() : f.auction();
    FakeBrowserPane *hidden = tab == 0 ? f.auction() : f.talvex();
    const auto moves = [](const FakeBrowserPane *pane) {
        return pane->calls.filter(QRegularExpression("^Go(Back|Forward)$"));
    };
    QCOMPARE(moves(shown), enabled ? QStringList({"GoBack", "GoBack", "GoForward"}) : QStringList());
    QCOMPARE(moves(hidden), QStringList());
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

void TestMainWindow::selectSiteAndShowInAuctionBrowser()
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

    // Pages handed over by other windows always go through the redirect of site 1.
    w->setTabIndex(FMain::kTalvexTab);
    w->ShowInAuctionBrowser("http://x.test/a?b=1&c=2");
    QCOMPARE(w->tabIndex(), FMain::kAuctionTab);
    QCOMPARE(w->sbStatusBarPanel(1)->text(), QString("Auction Browser"));
    QCOMPARE(f.auction()->requests.last().address,
             QString("http://r.test/link-1?loc=http%3A//x.test/a%3Fb%3D1%26c%3D2"));
}

void TestMainWindow::buttonTextToggle()
{
    AppFixture f;
    FMain *w = f.start();
    const int toolbarWithText = w->tbrNavigate->height();
    QCOMPARE(w->SSTab1->y(), Twips::toPixelsY(660));

    w->mnuOptionsText->trigger();
    QVERIFY(!w->mnuButtonBarStatusViewLabels->isChecked());
    QCOMPARE(captionsOf(w), QStringList(7, QString()));
    QCOMPARE(w->SSTab1->y(), Twips::toPixelsY(500));
    QVERIFY(w->tbrNavigate->height() < toolbarWithText);

    w->mnuButtonBarStatusViewLabels->trigger();
    QVERIFY(w->mnuOptionsText->isChecked());
    QStringList back = kAllCaptions;
    back[6] = QString(); // "Toolbar" does not come back in this run
    QCOMPARE(captionsOf(w), back);
    QCOMPARE(w->SSTab1->y(), Twips::toPixelsY(660));
}

BIDBENCH_TEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
