#include "AppFixture.h"
#include "FToolbar.h"
#include "TestMain.h"
#include "TitleBarClose.h"

#include <QAction>
#include <QComboBox>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include <functional>

// Tools > Floating Toolbar and toolbar button 7: the main window steps aside for the toolbar.
class TestFloatingToolbar : public QObject
{
    Q_OBJECT

private slots:
    void closeBoxBringsWindowBackUnchanged_data();
    void closeBoxBringsWindowBackUnchanged();
    void maximizedWindowComesBackMaximized();
    void snipeSendsTypedNumberOnTalvexTab();
    void closedByProgramSnipesNothing();

private:
    struct Seen
    {
        bool toolbarShown = false;
        bool topmost = false;
        bool mainVisible = true;
    };
    // Opens the toolbar through `open`; `during` acts on it once it is up.
    static Seen runToolbar(FMain *w, const std::function<void()> &open,
                           const std::function<void(FToolbar *)> &during);
};

TestFloatingToolbar::Seen TestFloatingToolbar::runToolbar(FMain *w, const std::function<void()> &open,
                                                          const std::function<void(FToolbar *)> &during)
{
    Seen seen;
    QTimer::singleShot(0, w, [&seen, w, during] {
        FToolbar *toolbar = nullptr;
        const bool up = QTest::qWaitFor([&] {
            toolbar = qobject_cast<FToolbar *>(QApplication::activeModalWidget());
            return toolbar && toolbar->isVisible();
        }, 3000);
        if (!up)
            return;
        seen.toolbarShown = true;
        seen.topmost = toolbar->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
        seen.mainVisible = w->isVisible();
        during(toolbar);
    });
    // A failing action must not leave the test hanging in the modal loop.
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, w, [] {
        if (auto *toolbar = qobject_cast<FToolbar *>(QApplication::activeModalWidget()))
            toolbar->done(-1);
    });
    guard.start(5000);
    open();
    return seen;
}

void TestFloatingToolbar::closeBoxBringsWindowBackUnchanged_data()
{
    QTest::addColumn<bool>("fromButton");
    QTest::addColumn<int>("tab");
    QTest::newRow("Tools menu, auction tab") << false << int(FMain::kAuctionTab);
    QTest::newRow("toolbar button 7, auction tab") << true << int(FMain::kAuctionTab);
    QTest::newRow("Tools menu, Talvex tab") << false << int(FMain::kTalvexTab);
}

void TestFloatingToolbar::closeBoxBringsWindowBackUnchanged()
{
    QFETCH(bool, fromButton);
    QFETCH(int, tab);
    AppFixture f;
    FMain *w = f.start();
    QVERIFY(QTest::qWaitForWindowExposed(w));
    w->setTabIndex(tab);
    w->cboAddress->setEditText(QStringLiteral("http://www.ebay.com/item=12345"));
    w->move(140, 90);
    w->resize(900, 640);
    const QRect before = w->geometry();
    const int talvexRequests = f.talvex()->requests.size();
    const int auctionRequests = f.auction()->requests.size();

    const Seen seen = runToolbar(
        w,
        [&] {
            if (fromButton)
                w->tbrNavigateToolButton(7)->click();
            else
                w->mnuToolsToolbar->trigger();
        },
        [](FToolbar *toolbar) {
            QTest::keyClicks(toolbar->itemBox(), "4711");
            closeFromTitleBar(toolbar);
        });

    QVERIFY(seen.toolbarShown);
    QVERIFY(seen.topmost);
    QVERIFY2(!seen.mainVisible, "the main window hides while the toolbar is up");
    QVERIFY(w->isVisible());
    QCOMPARE(w->geometry(), before);
    QCOMPARE(w->tabIndex(), tab);
    QCOMPARE(w->cboAddress->currentText(), QStringLiteral("http://www.ebay.com/item=12345"));
    QCOMPARE(f.talvex()->requests.size(), talvexRequests);
    QCOMPARE(f.auction()->requests.size(), auctionRequests);
    QVERIFY(!QApplication::activeModalWidget());
    QVERIFY(w->findChildren<FToolbar *>().isEmpty());
}

void TestFloatingToolbar::maximizedWindowComesBackMaximized()
{
    AppFixture f;
    FMain *w = f.start();
    w->showMaximized();
    QTRY_VERIFY(w->isMaximized());
    const Seen seen = runToolbar(w, [w] { w->mnuToolsToolbar->trigger(); },
                                 [](FToolbar *toolbar) { closeFromTitleBar(toolbar); });
    QVERIFY(seen.toolbarShown);
    QVERIFY(w->isVisible());
    QVERIFY(w->isMaximized());
}

void TestFloatingToolbar::snipeSendsTypedNumberOnTalvexTab()
{
    AppFixture f;
    FMain *w = f.start();
    w->setTabIndex(FMain::kAuctionTab);
    const int talvexRequests = f.talvex()->requests.size();
    const int auctionRequests = f.auction()->requests.size();

    const Seen seen = runToolbar(w, [w] { w->mnuToolsToolbar->trigger(); }, [](FToolbar *toolbar) {
        QTest::keyClicks(toolbar->itemBox(), "000123");
        auto *snipe = qobject_cast<QToolButton *>(toolbar->toolbar()->widgetForAction(toolbar->snipeAction()));
        QTest::mouseClick(snipe, Qt::LeftButton);
    });

    QVERIFY(seen.toolbarShown);
    QVERIFY(w->isVisible());
    QCOMPARE(w->tabIndex(), int(FMain::kTalvexTab));
    QCOMPARE(f.talvex()->requests.size(), talvexRequests + 1);
    const FakeBrowserPane::Request request = f.talvex()->requests.last();
    QCOMPARE(request.address, QStringLiteral("http://service.test/secure/login.cfm?item_number=000123"));
    QVERIFY(!request.isPost);
    QCOMPARE(f.auction()->requests.size(), auctionRequests);
}

void TestFloatingToolbar::closedByProgramSnipesNothing()
{
    AppFixture f;
    FMain *w = f.start();
    w->setTabIndex(FMain::kAuctionTab);
    const int talvexRequests = f.talvex()->requests.size();
    const Seen seen = runToolbar(w, [w] { w->mnuToolsToolbar->trigger(); },
                                 [](FToolbar *toolbar) { toolbar->close(); });
    QVERIFY(seen.toolbarShown);
    QVERIFY(w->isVisible());
    QCOMPARE(w->tabIndex(), int(FMain::kAuctionTab));
    QCOMPARE(f.talvex()->requests.size(), talvexRequests);
}

BIDBENCH_TEST_MAIN(TestFloatingToolbar)
#include "tst_floatingtoolbar.moc"
