#include "AppFixture.h"
#include "LinkLabel.h"
#include "TabControl.h"
#include "TestMain.h"

#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

// The main window's controls, its load and the state refresh, over fake panes.
class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void firstStartWithoutSettings();
    void showInAuctionBrowserWrapsAndShowsTheAuctionTab();
};

void TestMainWindow::firstStartWithoutSettings()
{
    AppFixture f;
    FMain *w = f.start();
    QCOMPARE(w->checkedSite(), 1);
    QCOMPARE(w->tabIndex(), FMain::kTalvexTab);
    QVERIFY(w->isSnipePaneCurrent());
    QVERIFY(w->isTextShown());
    QCOMPARE(w->tbrNavigateButton(1)->text(), QString("Back"));
    QCOMPARE(w->sbStatusBarPanel(1)->text(), QString("Talvex"));
    const QString start = "http://r.test/link-1?loc=http%3A//www.ebay.com";
    QCOMPARE(w->startURL(), start);
    QCOMPARE(f.auction()->requests.size(), 2);
    QCOMPARE(f.auction()->requests.last().address, start);
    QCOMPARE(w->cboAddress->count(), 1);
    QCOMPARE(w->cboAddress->currentText(), start);
}

void TestMainWindow::showInAuctionBrowserWrapsAndShowsTheAuctionTab()
{
    AppFixture f;
    FMain *w = f.start();
    w->ShowInAuctionBrowser("http://x.test/a?b=1&c=2");
    QCOMPARE(w->tabIndex(), FMain::kAuctionTab);
    QVERIFY(!w->isSnipePaneCurrent());
    QCOMPARE(f.auction()->requests.last().address, QString("http://r.test/link-1?loc=http%3A//x.test/a%3Fb%3D1%26c%3D2"));
}

BIDBENCH_TEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
