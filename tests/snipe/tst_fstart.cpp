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

// The welcome screen on its own: texts and the link. Its answers are the start-up tests' business.
class TestFStart : public QObject
{
    Q_OBJECT

private slots:
    void textsAsDesigned();
    void linkHoverAndRestore();
    void linkClickOpensMakerPageEscapeAnswers();
};

namespace {
struct Welcome
{
    QTemporaryDir dir;
    SettingsStore settings{dir.path()};
    RecordingShell shell;
    std::unique_ptr<FStart> window{new FStart(&settings, &shell, "http://maker.test")};
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
    QCOMPARE(s->lblAccountQuery->text(), QString("Do you have an account with Talvex?"));
    QCOMPARE(s->chkHasAccount->text(), QString("I have a Talvex &account.  Do not show this message again."));
    QVERIFY(!s->chkHasAccount->isChecked());
    QVERIFY(!s->HasAccount());
    // Dark blue until the pointer first touches it.
    QCOMPARE(s->lblMardell->textColor(), QColor(0, 0, 128));
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
    // Leaving for a place that does not restore it keeps the hover look.
    moveMouseOver(s->cmdYes);
    QVERIFY(link->isUnderlined());

    for (QWidget *restorer : QList<QWidget *>{s, s->fraBody, s->lblFrom}) {
        moveMouseOver(link);
        QVERIFY(link->isHoverLook());
        moveMouseOver(restorer);
        QVERIFY2(!link->isUnderlined(), qPrintable(restorer->objectName()));
        QCOMPARE(link->textColor(), QColor(0, 0, 255));
    }

    QVERIFY(w.shell.opened.isEmpty());
}

void TestFStart::linkClickOpensMakerPageEscapeAnswers()
{
    Welcome w;
    FStart *s = w.window.get();
    s->show();
    QVERIFY(QTest::qWaitForWindowExposed(s));
    QTest::mouseClick(s->lblMardell, Qt::LeftButton, {}, QPoint(3, 3));
    QCOMPARE(w.shell.opened, QStringList({"http://maker.test"}));
    QVERIFY(!s->lblMardell->isUnderlined());
    QVERIFY(s->isVisible()); // the link does not answer the question
    QTest::keyClick(s, Qt::Key_Escape); // Escape does, as No
    QVERIFY(!s->isVisible());
    QVERIFY(!s->HasAccount());
}

BIDBENCH_TEST_MAIN(TestFStart)
#include "tst_fstart.moc"
