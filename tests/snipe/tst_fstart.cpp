#include "FStart.h"
#include "LinkLabel.h"
#include "RecordingShell.h"
#include "SettingsStore.h"
#include "TestMain.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>

// The welcome screen on its own: texts, answers, the stored setting and the link.
class TestFStart : public QObject
{
    Q_OBJECT

private slots:
    void textsAsDesigned();
    void answersHideTheWindow_data();
    void answersHideTheWindow();
    void linkHoverAndRestore();
    void linkClickOpensMakerPage();
};

namespace {
struct Welcome
{
    QTemporaryDir dir;
    SettingsStore settings{dir.path()};
    RecordingShell shell;
    std::unique_ptr<FStart> window{new FStart(&settings, &shell, "http://maker.test")};

    QString stored() const
    {
        return settings.GetSetting("Talvex Bidbench", "Settings", "StartScreen");
    }
};

void moveMouseOver(QWidget *widget)
{
    QMouseEvent move(QEvent::MouseMove, QPointF(2, 2), widget->mapToGlobal(QPointF(2, 2)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
}
} // namespace

void TestFStart::textsAsDesigned()
{
    Welcome w;
    FStart *s = w.window.get();
    QCOMPARE(s->windowTitle(), QString("Welcome to Talvex Bidbench"));
    QCOMPARE(s->lblTalvex->text(), QString("Talvex"));
    QCOMPARE(s->lblBidbench->text(), QString("Bidbench"));
    QCOMPARE(s->lblFrom->text(), QString("brought to you by"));
    QCOMPARE(s->lblMardell->text(), QString("&Mardell"));
    QCOMPARE(s->fraBody->title(), QString("Start Winning Auctions!"));
    QCOMPARE(s->lblExplanation1->text(),
             QString("Talvex Bidbench allows you to place last-second bids in online auctions.  Your bid requests "
                     "will be set up on a secure online server and placed for you automatically.  Your computer "
                     "does not even have to have to be turned on when your bid is placed."));
    QCOMPARE(s->lblExplanation2->text(),
             QString("Using Bidbench is easy and free!  When you are viewing an auction in the auction browser "
                     "window, just press the Snipe! button to set up a bid.  View and manage your bids in the "
                     "Talvex window."));
    QCOMPARE(s->lblAccountRequired->text(),
             QString("You need an account with Talvex to set up snipe bids.  It is free and only takes a moment "
                     "to set up."));
    QCOMPARE(s->lblAccountQuery->text(), QString("Do you have an account with Talvex?"));
    QCOMPARE(s->cmdYes->text(), QString("&Yes"));
    QCOMPARE(s->Command1->text(), QString("&No"));
    QCOMPARE(s->chkHasAccount->text(), QString("I have a Talvex &account.  Do not show this message again."));
    QVERIFY(!s->chkHasAccount->isChecked());
    QVERIFY(!s->HasAccount());
    QVERIFY(s->lblTalvex->font().bold());
    QVERIFY(!s->Image1->pixmap().isNull());
    // Dark blue until the pointer first touches it.
    QCOMPARE(s->lblMardell->textColor(), QColor(0, 0, 128));
}

void TestFStart::answersHideTheWindow_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<bool>("tick");
    QTest::addColumn<bool>("hasAccount");
    QTest::addColumn<QString>("stored");
    QTest::newRow("Yes") << "yes" << false << true << "";
    QTest::newRow("No") << "no" << false << false << "";
    QTest::newRow("close") << "close" << false << false << "";
    QTest::newRow("Escape") << "escape" << false << false << "";
    QTest::newRow("Yes ticked") << "yes" << true << true << "N";
    QTest::newRow("No ticked") << "no" << true << false << "N";
}

void TestFStart::answersHideTheWindow()
{
    QFETCH(QString, answer);
    QFETCH(bool, tick);
    QFETCH(bool, hasAccount);
    QFETCH(QString, stored);
    Welcome w;
    FStart *s = w.window.get();
    s->show();
    QVERIFY(QTest::qWaitForWindowExposed(s));
    if (tick)
        QTest::mouseClick(s->chkHasAccount, Qt::LeftButton, {}, QPoint(5, s->chkHasAccount->height() / 2));
    QCOMPARE(s->chkHasAccount->isChecked(), tick);

    if (answer == "yes")
        QTest::mouseClick(s->cmdYes, Qt::LeftButton);
    else if (answer == "no")
        QTest::mouseClick(s->Command1, Qt::LeftButton);
    else if (answer == "close")
        s->close();
    else if (answer == "escape")
        QTest::keyClick(s, Qt::Key_Escape);

    QVERIFY(!s->isVisible());
    QCOMPARE(s->HasAccount(), hasAccount);
    // Nothing is stored until the window is destroyed.
    QCOMPARE(w.stored(), QString());
    w.window.reset();
    QCOMPARE(w.stored(), stored);
}

void TestFStart::linkHoverAndRestore()
{
    Welcome w;
    FStart *s = w.window.get();
    s->show();
    QVERIFY(QTest::qWaitForWindowExposed(s));
    LinkLabel *link = s->lblMardell;

    moveMouseOver(link);
    QVERIFY(link->isUnderlined());
    QCOMPARE(link->textColor(), QColor(255, 0, 255));
    // Leaving for a place that does not restore it (a button) keeps the hover look.
    moveMouseOver(s->cmdYes);
    QVERIFY(link->isUnderlined());

    moveMouseOver(s->lblExplanation1);
    QVERIFY(link->isUnderlined());

    for (QWidget *restorer : QList<QWidget *>{s, s->fraBody, s->lblFrom, s->lblBidbench}) {
        moveMouseOver(link);
        QVERIFY(link->isHoverLook());
        moveMouseOver(restorer);
        QVERIFY2(!link->isUnderlined(), qPrintable(restorer->objectName()));
        QCOMPARE(link->textColor(), QColor(0, 0, 255));
    }

    // A button released over the link restores it too.
    moveMouseOver(link);
    QTest::mouseRelease(link, Qt::RightButton, {}, QPoint(2, 2));
    QVERIFY(!link->isUnderlined());
    QVERIFY(w.shell.opened.isEmpty());
}

void TestFStart::linkClickOpensMakerPage()
{
    Welcome w;
    FStart *s = w.window.get();
    s->show();
    QVERIFY(QTest::qWaitForWindowExposed(s));
    QTest::mouseClick(s->lblMardell, Qt::LeftButton, {}, QPoint(3, 3));
    QCOMPARE(w.shell.opened, QStringList({"http://maker.test"}));
    QVERIFY(!s->lblMardell->isUnderlined());
    QVERIFY(s->isVisible()); // the link does not answer the question
}

BIDBENCH_TEST_MAIN(TestFStart)
#include "tst_fstart.moc"
