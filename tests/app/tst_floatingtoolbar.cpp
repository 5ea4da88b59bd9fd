#include "AppFixture.h"
#include "FToolbar.h"
#include "TestMain.h"
#include "TitleBarClose.h"

#include <QAction>
#include <QComboBox>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

// Tools > Floating Toolbar and toolbar button 7: the main window steps aside for the toolbar.
class TestFloatingToolbar : public QObject
{
    Q_OBJECT

private slots:
    void howTheToolbarEnds_data();
    void howTheToolbarEnds();

private:
    enum Ending { Snipe, CloseBox, ClosedByProgram };
    struct Seen
    {
        bool toolbarShown = false;
        bool topmost = false;
        bool mainVisible = true;
    };
    static Seen runToolbar(FMain *w, const std::function<void()> &open, Ending ending);
};

TestFloatingToolbar::Seen TestFloatingToolbar::runToolbar(FMain *w, const std::function<void()> &open,
                                                          Ending ending)
{
    Seen seen;
    QTimer::singleShot(0, w, [&seen, w, ending] {
        FToolbar *toolbar = nullptr;
        if (!QTest::qWaitFor([&] {
                toolbar = qobject_cast<FToolbar *>(QApplication::activeModalWidget());
                return toolbar && toolbar->isVisible();
            }, 3000))
            return;
        seen = {true, toolbar->windowFlags().testFlag(Qt::WindowStaysOnTopHint), w->isVisible()};
        QTest::keyClicks(toolbar->itemBox(), "000123");
        if (ending == Snipe)
            QTest::mouseClick(toolbar->toolbar()->widgetForAction(toolbar->snipeAction()), Qt::LeftButton);
        else if (ending == CloseBox)
            closeFromTitleBar(toolbar);
        else
            toolbar->close();
    });
    // A failing action must not leave the test hanging in the modal loop.
    QTimer guard;
    QObject::connect(&guard, &QTimer::timeout, w, [] {
        if (auto *toolbar = qobject_cast<FToolbar *>(QApplication::activeModalWidget()))
            toolbar->done(-1);
    });
    guard.start(5000);
    open();
    return seen;
}

void TestFloatingToolbar::howTheToolbarEnds_data()
{
    QTest::addColumn<int>("ending");
    QTest::addColumn<bool>("fromButton");
    QTest::addColumn<int>("tab");
    QTest::newRow("Snipe!, from button 7") << int(Snipe) << true << int(FMain::kAuctionTab);
    QTest::newRow("close box, auction tab") << int(CloseBox) << true << int(FMain::kAuctionTab);
    QTest::newRow("close box, Talvex tab") << int(CloseBox) << false << int(FMain::kTalvexTab);
    QTest::newRow("closed by the program") << int(ClosedByProgram) << false << int(FMain::kAuctionTab);
}

void TestFloatingToolbar::howTheToolbarEnds()
{
    QFETCH(int, ending);
    QFETCH(bool, fromButton);
    QFETCH(int, tab);
    AppFixture f;
    FMain *w = f.start();
    QVERIFY(QTest::qWaitForWindowExposed(w));
    w->setTabIndex(tab);
    w->cboAddress->setEditText(QStringLiteral("http://www.ebay.com/item=12345"));
    w->setGeometry(140, 90, 900, 640);
    const QRect before = w->geometry();
    const QList<FakeBrowserPane::Request> talvexBefore = f.talvex()->requests;
    const int auctionRequests = f.auction()->requests.size();

    const Seen seen = runToolbar(w, [&] {
        if (fromButton)
            w->tbrNavigateToolButton(7)->click();
        else
            w->mnuToolsToolbar->trigger();
    }, Ending(ending));

    QVERIFY(seen.toolbarShown);
    QVERIFY(seen.topmost);
    QVERIFY2(!seen.mainVisible, "the main window hides while the toolbar is up");
    QVERIFY(w->isVisible());
    QCOMPARE(w->geometry(), before);
    QCOMPARE(w->cboAddress->currentText(), QStringLiteral("http://www.ebay.com/item=12345"));
    QCOMPARE(f.auction()->requests.size(), auctionRequests);
    QVERIFY(w->findChildren<FToolbar *>().isEmpty() && !QApplication::activeModalWidget());
    if (ending == Snipe) {
        // The number exactly as typed, leading zeros and all, on the Talvex tab.
        QCOMPARE(w->tabIndex(), int(FMain::kTalvexTab));
        QCOMPARE(f.talvex()->requests.size(), talvexBefore.size() + 1);
        QCOMPARE(f.talvex()->requests.last().address,
                 QStringLiteral("http://service.test/secure/login.cfm?item_number=000123"));
    } else {
        QCOMPARE(w->tabIndex(), tab);
        QCOMPARE(f.talvex()->requests.size(), talvexBefore.size());
    }
}

BIDBENCH_TEST_MAIN(TestFloatingToolbar)
#include "tst_floatingtoolbar.moc"
