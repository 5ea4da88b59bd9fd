#include "CError.h"
#include "FError.h"
#include "RecordingShell.h"
#include "SupportTestKit.h"
#include "TestMain.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTextBlock>

class TestErrorWindow : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { closeAllErrorWindows(); }

    void alertShowsTheReport_data();
    void alertShowsTheReport();
    void twoAlertsLeaveTwoTopmostWindows();
    void sendErrorHandsOverTheLinkAndCloses_data();
    void sendErrorHandsOverTheLinkAndCloses();
};

void TestErrorWindow::alertShowsTheReport_data()
{
    QTest::addColumn<QString>("report");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("empty") << QString() << QStringList{QString()};
    QTest::newRow("CR LF gives two lines")
        << QStringLiteral("oStartStatus.OnVersionCheckAsynchResponse\r\noStartStatus.CheckVersionPage 5 Invalid")
        << QStringList{QStringLiteral("oStartStatus.OnVersionCheckAsynchResponse"),
                       QStringLiteral("oStartStatus.CheckVersionPage 5 Invalid")};
}

void TestErrorWindow::alertShowsTheReport()
{
    QFETCH(QString, report);
    QFETCH(QStringList, lines);

    RecordingShell shell;
    CError errors(QStringLiteral("support@mardell.example"), shell);
    errors.Alert(report);

    const QList<FError *> windows = openErrorWindows();
    QCOMPARE(windows.size(), 1);
    FError *w = windows.first();
    QCOMPARE(w->windowTitle(), QStringLiteral("Talvex Bidbench Error"));
    QCOMPARE(w->lblError->text(),
             QStringLiteral("An error has occured in this application.  The application has returned "
                            "the following information about this error:<0253>"));
    // Whatever font stands in for Tahoma, the label's text is not cut off and nothing overlaps it.
    QVERIFY(w->lblError->height() >= w->lblError->heightForWidth(w->lblError->width()));
    QVERIFY(w->lblError->geometry().bottom() < w->txtError->geometry().top());
    QVERIFY(w->rect().contains(w->cmdContinue->geometry()));
    QVERIFY(w->cmdEmail->isDefault());

    QStringList shown;
    for (QTextBlock b = w->txtError->document()->begin(); b.isValid(); b = b.next())
        shown.append(b.text());
    QCOMPARE(shown, lines);
    QVERIFY(!w->isModal());
    QVERIFY(!w->parentWidget());
    QVERIFY(shell.opened.isEmpty());
}

void TestErrorWindow::twoAlertsLeaveTwoTopmostWindows()
{
    RecordingShell shell;
    CError errors(QStringLiteral("support@mardell.example"), shell);
    errors.Alert(QStringLiteral("first"));
    errors.Alert(QStringLiteral("second"));

    const QList<FError *> windows = openErrorWindows();
    QCOMPARE(windows.size(), 2);
    QStringList texts;
    for (FError *w : windows) {
        QVERIFY(w->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(w->windowHandle());
        QVERIFY(w->windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint));
        texts.append(w->txtError->toPlainText());
    }
    texts.sort();
    QCOMPARE(texts, (QStringList{QStringLiteral("first"), QStringLiteral("second")}));

    // Continue closes one and the close box the other; neither sends anything.
    windows.first()->cmdContinue->click();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(openErrorWindows().size(), 1);
    openErrorWindows().first()->close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(openErrorWindows().size(), 0);
    QVERIFY(shell.opened.isEmpty());
}

void TestErrorWindow::sendErrorHandsOverTheLinkAndCloses_data()
{
    QTest::addColumn<QString>("report");
    QTest::addColumn<bool>("byEnter");
    QTest::addColumn<bool>("mailProgramThere");
    QTest::addColumn<QString>("link");
    const QString head = QStringLiteral("mailto:help@mardell.example?subject=Talvex Bidbench 2.0.1 Error&body=");
    QTest::newRow("empty report") << QString() << false << true << head;
    QTest::newRow("line break kept, Enter presses it")
        << QStringLiteral("line one\r\nline two") << true << true << head + QStringLiteral("line one\r\nline two");
    QTest::newRow("nothing encoded, no mail program")
        << QStringLiteral("50% & more?") << false << false << head + QStringLiteral("50% & more?");
}

void TestErrorWindow::sendErrorHandsOverTheLinkAndCloses()
{
    QFETCH(QString, report);
    QFETCH(bool, byEnter);
    QFETCH(bool, mailProgramThere);
    QFETCH(QString, link);

    RecordingShell shell;
    shell.result = mailProgramThere;
    CError errors(QStringLiteral("help@mardell.example"), shell);
    errors.Alert(report);
    QPointer<FError> w = openErrorWindows().value(0);
    QVERIFY(w);
    QVERIFY(QTest::qWaitForWindowExposed(w));

    if (byEnter)
        QTest::keyClick(w, Qt::Key_Return);
    else
        w->cmdEmail->click();

    QCOMPARE(shell.opened, QStringList{link});
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!w); // closed and gone
}

BIDBENCH_TEST_MAIN(TestErrorWindow)
#include "tst_errorwindow.moc"
