#include "AppFixture.h"
#include "LinkLabel.h"
#include "TabControl.h"
#include "TestMain.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLayout>
#include <QStatusBar>
#include <QTabBar>
#include <QToolBar>
#include <QToolButton>

// At the design size on a 96-DPI screen nothing is clipped and nothing overlaps, with and
// without button text. Set BIDBENCH_SCREENSHOTS to a folder to keep pictures of both tabs.
class TestLooks : public QObject
{
    Q_OBJECT

private slots:
    void designSizeFits_data();
    void designSizeFits();
    void buttonsTurnHotUnderThePointer();
};

namespace {
QRect inWindow(const QWidget *widget, const QWidget *window)
{
    return QRect(widget->mapTo(window, QPoint(0, 0)), widget->size());
}

int iconTop(QToolButton *button)
{
    // Caption below: the picture and caption are centred together in the button.
    const int text = button->text().isEmpty() ? 0 : button->fontMetrics().height() + 4;
    return (button->height() - button->iconSize().height() - text) / 2;
}

void keepPicture(QWidget *window, const QString &name)
{
    const QString folder = qEnvironmentVariable("BIDBENCH_SCREENSHOTS");
    if (!folder.isEmpty()) {
        QDir().mkpath(folder);
        window->grab().save(folder + "/" + name + ".png");
    }
}
} // namespace

void TestLooks::designSizeFits_data()
{
    QTest::addColumn<bool>("text");
    QTest::newRow("button text shown") << true;
    QTest::newRow("button text hidden") << false;
}

void TestLooks::designSizeFits()
{
    QFETCH(bool, text);
    AppFixture f;
    if (!text)
        f.store("Settings", "TextLabels", "N");
    FMain *w = f.start();
    QVERIFY(QTest::qWaitForWindowExposed(w));

    // Every navigation button shows its picture and caption whole, and the row ends before
    // the busy indicator.
    const QRect toolbar = inWindow(w->tbrNavigate, w);
    int right = 0;
    for (int i = 1; i <= FMain::kNavigateButtonCount; ++i) {
        QToolButton *button = w->tbrNavigateToolButton(i);
        QVERIFY2(button->isVisible(), qPrintable(QString("button %1 pushed out of the toolbar").arg(i)));
        const QRect r = inWindow(button, w);
        QVERIFY2(toolbar.contains(r), qPrintable(QString("button %1 leaves the toolbar").arg(i)));
        QVERIFY2(button->sizeHint().height() <= r.height(), qPrintable(QString("button %1 is clipped: %2 > %3").arg(i).arg(button->sizeHint().height()).arg(r.height())));
        right = qMax(right, r.right());
    }
    const QRect indicator = inWindow(w->picSnipe, w);
    QVERIFY(right < indicator.left());

    // The tab control starts below the toolbar and ends above the status bar.
    const QRect tabs = inWindow(w->SSTab1, w);
    QVERIFY(toolbar.bottom() < tabs.top());
    QVERIFY(tabs.bottom() < inWindow(w->sbStatusBar, w).top());
    for (int i = 1; i <= 3; ++i) {
        QLabel *panel = w->sbStatusBarPanel(i);
        QVERIFY2(panel->sizeHint().height() <= panel->height(),
                 qPrintable(QString("panel %1: %2 > %3").arg(i).arg(panel->sizeHint().height()).arg(panel->height())));
        QVERIFY(inWindow(w->sbStatusBar, w).contains(inWindow(panel, w)));
    }

    // Controls of the auction tab: below the tab strip, side by side, inside the tab control.
    w->setTabIndex(FMain::kAuctionTab);
    const int strip = w->SSTab1->tabBar()->geometry().bottom();
    const QRect snipe = w->tbrSnipe->geometry();
    const QRect address = w->cboAddress->geometry();
    const QRect go = w->tbrGo->geometry();
    const QRect pane = w->brwAuction->geometry();
    for (const QRect &r : {snipe, address, go})
        QVERIFY(r.top() > strip);
    QVERIFY(snipe.right() < address.left());
    QVERIFY(address.right() < go.left());
    QVERIFY(go.right() < w->SSTab1->width());
    for (const QRect &r : {snipe, address, go})
        QVERIFY(r.bottom() < pane.top());
    QVERIFY2(w->tbrSnipe->sizeHint().width() <= snipe.width(), qPrintable(QString("snipe %1 > %2, button %3, margins %4").arg(w->tbrSnipe->sizeHint().width()).arg(snipe.width()).arg(w->tbrSnipe->widgetForAction(w->tbrSnipeButton)->sizeHint().width()).arg(w->tbrSnipe->layout()->contentsMargins().left())));
    QVERIFY(w->tbrGo->sizeHint().width() <= go.width());
    QVERIFY(w->cboAddress->minimumSizeHint().height() <= address.height());
    QVERIFY(w->SSTab1->rect().contains(pane));
    QLabel *name = w->sbStatusBarPanel(1);
    QCOMPARE(name->text(), QString("Auction Browser"));
    QVERIFY2(name->sizeHint().width() <= name->width(), qPrintable(QString("%1 > %2 min %3").arg(name->sizeHint().width()).arg(name->width()).arg(name->minimumWidth())));
    keepPicture(w, text ? "auction-text" : "auction-no-text");

    // The link label on the Talvex tab fits its text.
    w->setTabIndex(FMain::kTalvexTab);
    QVERIFY(w->lblMardell->sizeHint().width() <= w->lblMardell->width());
    QVERIFY(w->lblMardell->sizeHint().height() <= w->lblMardell->height());
    QVERIFY(w->lblMardell->geometry().top() > strip);
    keepPicture(w, text ? "talvex-text" : "talvex-no-text");
}

void TestLooks::buttonsTurnHotUnderThePointer()
{
    AppFixture f;
    FMain *w = f.start();
    QVERIFY(QTest::qWaitForWindowExposed(w));
    QToolButton *home = w->tbrNavigateToolButton(5);
    const auto iconCentre = [home]() {
        const QImage picture = home->grab().toImage();
        // The picture sits centred at the top of the button, above its caption.
        const int x = picture.width() / 2;
        const int y = 1 + (iconTop(home)) + home->iconSize().height() * 6 / 10;
        return picture.pixelColor(x, y);
    };
    const QColor cold = iconCentre();
    home->setAttribute(Qt::WA_UnderMouse, true);
    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(home, &enter);
    const QColor hot = iconCentre();
    keepPicture(w, "hot-home");
    // The resting picture is grey; the hot one is coloured.
    QVERIFY2(cold.hsvSaturation() < 60, qPrintable(cold.name()));
    QVERIFY2(hot.hsvSaturation() > 100, qPrintable(hot.name()));
}

BIDBENCH_TEST_MAIN(TestLooks)
#include "tst_looks.moc"
