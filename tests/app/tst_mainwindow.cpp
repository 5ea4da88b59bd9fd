#include "AddressBox.h"
#include "AppFixture.h"
#include "TabControl.h"
#include "TestMain.h"
#include "Twips.h"

#include <QLabel>
#include <QLineEdit>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

namespace {
QStringList captions(const AppFixture &f)
{
    QStringList texts;
    for (int i = 1; i <= 7; ++i)
        texts.append(f.button(i)->text());
    return texts;
}
const QStringList kCaptions{"Back", "Forward", "Stop", "Refresh", "Home", "Favorites", "Toolbar"};
} // namespace

// The main window over fake panes: its load, tabs, commands, address box and state refresh.
class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void loadWithStoredSettings_data();
    void loadWithStoredSettings();
    void tabsStatusAndTitle();
    void commandsActOnTheShownPane_data();
    void commandsActOnTheShownPane();
    void addressBoxHistoryEnterAndGo();
    void buttonTextToggle();
    void snipeEntryPoints_data();
    void snipeEntryPoints();
};

void TestMainWindow::loadWithStoredSettings_data()
{
    QTest::addColumn<QString>("site");
    QTest::addColumn<QString>("textLabels");
    QTest::addColumn<QString>("start");
    QTest::addColumn<bool>("textShown");
    QTest::newRow("first start") << "" << "" << kStart << true;
    QTest::newRow("site 8, labels N") << "8" << "N" << "http://de.test" << false;
    QTest::newRow("site words, labels n") << "Germany" << "n" << kStart << true;
}

void TestMainWindow::loadWithStoredSettings()
{
    QFETCH(QString, site);
    QFETCH(QString, textLabels);
    QFETCH(QString, start);
    QFETCH(bool, textShown);
    AppFixture f;
    f.store("Settings", "Site", site);
    f.store("Settings", "TextLabels", textLabels);
    FMain *w = f.create();
    QVERIFY(f.auction()->requests.isEmpty()); // nothing before the window shows
    w->show();
    // Sent to the start page twice: by the site selection and by the load itself.
    QCOMPARE(f.addresses(f.auction()), QStringList(2, start));
    QCOMPARE(f.addressBox()->history(), QStringList{start});
    QCOMPARE(f.tabs()->Tab(), 0);
    QVERIFY(!f.part<QToolBar>("tbrGo")->isVisibleTo(w));
    QVERIFY(!f.button(1)->isEnabled() && !f.button(2)->isEnabled());
    QCOMPARE(captions(f), textShown ? kCaptions : QStringList(7, QString()));
    // Design client size: 10020 x 6585 twips below the menu bar.
    QCOMPARE(w->centralWidget()->width(), Twips::toPixelsX(10020));
    QCOMPARE(w->centralWidget()->height() + w->statusBar()->height(), Twips::toPixelsY(6585));
}

void TestMainWindow::tabsStatusAndTitle()
{
    AppFixture f;
    FMain *w = f.start();
    auto *busyWatch = f.part<QTimer>("timTimer");
    f.talvex()->finishLoad("http://service.test/secure/login.cfm", "Talvex Login");
    // The auction pane still loads its start page: the title says so on either tab.
    QTRY_COMPARE(w->windowTitle(), kTitle + "Working...");
    f.auction()->finishLoad("http://www.ebay.com/", "eBay Home", /*stayBusy=*/true);
    f.auction()->setStatusText("hidden pane's text");
    QCOMPARE(f.panel(2), QString("Done"));
    QVERIFY(!f.part("mnuFavoritesAdd")->isEnabled());

    f.tabs()->tabBar()->setCurrentIndex(1); // as a click on the tab would
    QCOMPARE(f.panel(1), QString("Auction Browser"));
    QCOMPARE(f.panel(2), QString("Working . . ."));
    QVERIFY(f.part<QToolBar>("tbrGo")->isVisibleTo(w) && !f.part<QLabel>("lblMardell")->isVisibleTo(w));
    QCOMPARE(f.part<QToolBar>("tbrGo")->widgetForAction(f.part("tbrGo.Buttons(1)"))->property("text").toString(),
             QString("Go!  "));
    QVERIFY(f.part("mnuFavoritesAdd")->isEnabled());
    f.talvex()->setStatusText("hidden");
    f.auction()->setStatusText("Opening page");
    QCOMPARE(f.panel(2), QString("Opening page"));
    const int width = w->width(); // a long status text is cut, the window keeps its width
    f.auction()->setStatusText("Opening page http://www.ebay.com/" + QString(300, 'x'));
    QTest::qWait(20); // the layout's turn
    QCOMPARE(w->width(), width);
    f.auction()->busy = false;
    QTRY_VERIFY(!busyWatch->isActive());
    QCOMPARE(w->windowTitle(), kTitle + "eBay Home");

    f.showTab(0);
    QCOMPARE(f.panel(1), QString("Talvex"));
    QCOMPARE(f.panel(2), QString("Done"));
    QCOMPARE(w->windowTitle(), kTitle + "Talvex Login");
}

void TestMainWindow::commandsActOnTheShownPane_data()
{
    QTest::addColumn<int>("tab");
    QTest::addColumn<QString>("command"); // a toolbar button index or a menu item
    QTest::addColumn<bool>("history");    // the shown pane reported Back and Forward
    QTest::addColumn<QString>("expected"); // the call, or the address sent

    for (int tab : {0, 1}) {
        const QString on = tab == 0 ? " on Talvex" : " on auction";
        QTest::newRow(qPrintable("Back button" + on)) << tab << "1" << true << "GoBack";
        QTest::newRow(qPrintable("Forward menu" + on)) << tab << "mnumnuNavigatemnuNavigateForward" << true << "GoForward";
        QTest::newRow(qPrintable("Back without history" + on)) << tab << "mnumnuNavigatemnuNavigateBack" << false << "";
        QTest::newRow(qPrintable("Stop" + on)) << tab << "3" << false << "Stop";
        QTest::newRow(qPrintable("Refresh menu" + on)) << tab << "mnumnuNavigatemnuNavigateRefresh" << false << "Refresh";
    }
    QTest::newRow("Home on Talvex: news") << 0 << "5" << false << "http://service.test/secure/news.cfm?";
    QTest::newRow("Home menu on auction: start page") << 1 << "mnumnuNavigatemnuNavigateHome" << false << kStart;
}

void TestMainWindow::commandsActOnTheShownPane()
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
    const QStringList sentBefore = f.addresses(shown);
    const QStringList hiddenBefore = f.addresses(hidden);

    bool isIndex = false;
    const int index = command.toInt(&isIndex);
    (isIndex ? f.button(index) : f.part(command))->trigger();
    const bool navigates = expected.startsWith("http");
    QCOMPARE(f.addresses(shown).mid(sentBefore.size()), navigates ? QStringList{expected} : QStringList());
    QCOMPARE(shown->calls, navigates || expected.isEmpty() ? QStringList() : QStringList{expected});
    QVERIFY(hidden->calls.isEmpty() && f.addresses(hidden) == hiddenBefore);
}

void TestMainWindow::addressBoxHistoryEnterAndGo()
{
    AppFixture f;
    f.start();
    for (const char *url : {"http://a.test/1", "http://a.test/2", "http://a.test/1", "http://A.test/1"})
        f.auction()->finishLoad(url);
    // Most recent first, each once, compared case-sensitively; the rebuild navigates nowhere.
    QCOMPARE(f.addressBox()->history(), QStringList({"http://A.test/1", "http://a.test/1", "http://a.test/2", kStart}));
    QCOMPARE(f.addressBox()->currentText(), QString("http://A.test/1"));
    QCOMPARE(f.auction()->requests.size(), 2);

    f.showTab(1);
    f.auction()->busy = false;
    auto *busyWatch = f.part<QTimer>("timTimer");
    QTRY_VERIFY(!busyWatch->isActive());
    // Go with an empty box does nothing; Enter goes to the empty address and starts the watch;
    // typed text goes out unchanged, and Go does not start the watch.
    f.addressBox()->setEditText(QString());
    f.trigger("tbrGo.Buttons(1)");
    QTest::keyClick(f.addressBox()->lineEdit(), Qt::Key_Return);
    QVERIFY(busyWatch->isActive());
    busyWatch->stop();
    f.addressBox()->setEditText(" ebay.de/x ");
    f.trigger("tbrGo.Buttons(1)");
    QVERIFY(!busyWatch->isActive());
    QCOMPARE(f.addresses(f.auction()).mid(2), QStringList({QString(), " ebay.de/x "}));
}

void TestMainWindow::buttonTextToggle()
{
    AppFixture f;
    f.start();
    const int toolbarWithText = f.part<QToolBar>("tbrNavigate")->height();
    QCOMPARE(f.tabs()->y(), Twips::toPixelsY(660));
    f.trigger("mnuOptionsText");
    QVERIFY(!f.part("mnuButtonBarStatusViewLabels")->isChecked());
    QCOMPARE(captions(f), QStringList(7, QString()));
    QCOMPARE(f.tabs()->y(), Twips::toPixelsY(500));
    QVERIFY(f.part<QToolBar>("tbrNavigate")->height() < toolbarWithText);

    f.trigger("mnuButtonBarStatusViewLabels");
    QVERIFY(f.part("mnuOptionsText")->isChecked());
    QStringList back = kCaptions;
    back[6] = QString(); // "Toolbar" does not come back in this run
    QCOMPARE(captions(f), back);
    QCOMPARE(f.tabs()->y(), Twips::toPixelsY(660));
}

void TestMainWindow::snipeEntryPoints_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("snipeUrl"); // empty: nothing sniped
    const QString item = "http://cgi.test/ws/eBayISAPI.dll?ViewItem&item=1234567890&category=12";
    const QString itemUrl = "http://service.test/secure/login.cfm?item_number=1234567890&category=12";
    QTest::newRow("Snipe! button") << "button" << item << itemUrl;
    QTest::newRow("Ctrl+Z in the address box") << "ctrlz-box" << item << itemUrl;
    QTest::newRow("typed item page, Ctrl+Z") << "typed" << "www.ebay.com/itm/987654321098"
                                             << "http://service.test/secure/login.cfm?item_number=987654321098";
    QTest::newRow("key at the end") << "menu" << "http://cgi.test/v?item="
                                    << "http://service.test/secure/login.cfm?item_number=";
    QTest::newRow("no item: Ctrl+Z stays the box's undo") << "typed" << "abc" << "";
    QTest::newRow("no item: the button is off") << "button" << "http://www.ebay.com/" << "";
}

void TestMainWindow::snipeEntryPoints()
{
    QFETCH(QString, entry);
    QFETCH(QString, address);
    QFETCH(QString, snipeUrl);
    AppFixture f;
    FMain *w = f.start();
    QVERIFY(QTest::qWaitForWindowActive(w));
    f.showTab(1);
    QLineEdit *box = f.addressBox()->lineEdit();
    if (entry == "typed") {
        box->setFocus();
        box->selectAll();
        QTest::keyClicks(box, address);
    } else {
        f.auction()->finishLoad(address);
    }
    QCOMPARE(f.part("tbrSnipe.Buttons(1)")->isEnabled(), !snipeUrl.isEmpty());
    const QStringList before = f.addresses(f.talvex());

    if (entry == "button")
        f.trigger("tbrSnipe.Buttons(1)");
    else if (entry == "menu")
        f.trigger("mnuNavigateSnipe");
    else
        QTest::keyClick(box, Qt::Key_Z, Qt::ControlModifier);

    QCOMPARE(f.addresses(f.talvex()).mid(before.size()), snipeUrl.isEmpty() ? QStringList() : QStringList{snipeUrl});
    QCOMPARE(f.tabs()->Tab(), snipeUrl.isEmpty() ? 1 : 0);
    QCOMPARE(box->text() == address, !snipeUrl.isEmpty() || entry != "typed"); // undone, or kept
}

BIDBENCH_TEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
