#include "EditCommands.h"
#include "FindBar.h"
#include "RealWindow.h"
#include "TestMain.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPrinter>
#include <QSignalSpy>

// The main window with real panes; one loopback server is the redirect and the US site,
// another the German site. The Talvex pane is not under test: nothing listens at its host.
// Ends with Find and Print on a page of words.
class TestBrowsing : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void startUpGoesThroughTheRedirect();
    void secondPageEnablesBack();
    void choosingASiteLoadsItAtOnce();
    void homeFollowsTheCheckedSite();
    void findBarFindsAndCountsWords();
    void printGoesToPdfLikeFromTheDialog();
    void cleanupTestCase();

private:
    void expectPage(const QString &title);

    LoopbackServer us;
    LoopbackServer germany;
    std::unique_ptr<RealWindow> real;
    FMain *w = nullptr;
};

void TestBrowsing::expectPage(const QString &title)
{
    QTRY_COMPARE_WITH_TIMEOUT(w->windowTitle(), "Talvex Bidbench > " + title, 15000);
}

void TestBrowsing::initTestCase()
{
    us.setHandler(withRedirect([](const LoopbackServer::Request &r) {
        if (r.path == "/words")
            return LoopbackServer::page("Words", "<p>An apple a day. Apple pie.</p><p>APPLE cider, pear juice, apple tart.</p>");
        return LoopbackServer::page(r.path == "/" ? QString("eBay US") : "Page " + r.path);
    }));
    germany.setHandler([](const LoopbackServer::Request &) { return LoopbackServer::page("eBay DE"); });
    real = std::make_unique<RealWindow>(us, "127.0.0.1:1");
    real->context.destinations.ebayHostDE = germany.hostPort();
    w = real->open();
}

void TestBrowsing::startUpGoesThroughTheRedirect()
{
    const QString home = us.url("/");
    QTRY_COMPARE_WITH_TIMEOUT(real->addressBox()->itemText(0), home, 15000);
    QCOMPARE(real->addressBox()->currentText(), home);
    QTRY_VERIFY(!real->auction()->Busy());
    const QString encodedHost = QString(us.hostPort()).replace(":", "%3A");
    const QStringList paths = pagePaths(us);
    QVERIFY2(paths.contains("/link-1?loc=http%3A//" + encodedHost), qPrintable(paths.join(' ')));
    QCOMPARE(real->tab(), 0);
}

void TestBrowsing::secondPageEnablesBack()
{
    real->showTab(1);
    expectPage("eBay US");
    QVERIFY(!real->button(1)->isEnabled()); // the redirect left no page to go back to
    real->enterAddress(us.url("/second"));
    expectPage("Page /second");
    QTRY_VERIFY(real->button(1)->isEnabled());
    QVERIFY(!real->button(2)->isEnabled());
    real->screenshot("auction-real-page.png");

    real->button(1)->trigger();
    expectPage("eBay US");
    QTRY_VERIFY(real->button(2)->isEnabled());
    QTRY_COMPARE(real->addressBox()->itemText(0), us.url("/"));
    QCOMPARE(real->addressBox()->itemText(1), us.url("/second"));
}

void TestBrowsing::choosingASiteLoadsItAtOnce()
{
    real->showTab(0);
    germany.requests.clear();
    real->part("mnuOptionsSite(8)")->trigger();
    QCOMPARE(real->tab(), 1);
    expectPage("eBay DE");
    QCOMPARE(pagePaths(germany), QStringList({"/"}));
    QTRY_COMPARE(real->addressBox()->itemText(0), germany.url("/"));
}

void TestBrowsing::homeFollowsTheCheckedSite()
{
    real->enterAddress(us.url("/elsewhere"));
    expectPage("Page /elsewhere");
    germany.requests.clear();
    real->button(5)->trigger();
    expectPage("eBay DE");
    QCOMPARE(pagePaths(germany), QStringList({"/"}));
}

void TestBrowsing::findBarFindsAndCountsWords()
{
    real->enterAddress(us.url("/words"));
    expectPage("Words");
    real->part("mnuEditFind")->trigger();
    FindBar *bar = real->auction()->findChild<FindBar *>();
    QVERIFY(bar->isVisible());
    QTest::keyClicks(bar->textBox(), "apple");
    QTRY_COMPARE_WITH_TIMEOUT(bar->resultText(), QString("1 of 4"), 10000);
    QTest::keyClick(bar->textBox(), Qt::Key_Return);
    QTRY_COMPARE_WITH_TIMEOUT(bar->resultText(), QString("2 of 4"), 10000);
    QTest::keyClick(bar->textBox(), Qt::Key_Return, Qt::ShiftModifier);
    QTRY_COMPARE_WITH_TIMEOUT(bar->resultText(), QString("1 of 4"), 10000);

    bar->matchCaseBox()->click(); // only the two lower-case ones count
    QTRY_VERIFY_WITH_TIMEOUT(bar->resultText().endsWith(" of 2"), 10000);

    bar->textBox()->selectAll();
    QTest::keyClicks(bar->textBox(), "banana");
    QTRY_COMPARE_WITH_TIMEOUT(bar->resultText(), QString("Not found"), 10000);
    QVERIFY(bar->isNotFound());
    QTest::keyClick(bar->textBox(), Qt::Key_Escape);
    QVERIFY(!bar->isVisible());
}

void TestBrowsing::printGoesToPdfLikeFromTheDialog()
{
    const QString pdf = real->folder.path() + "/page.pdf";
    // What a user does in the print dialog: choose printing to a PDF file.
    real->window->findChild<EditCommands *>()->setPrintSetup([pdf](QPrinter &printer, QWidget *) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return true;
    });
    QSignalSpy finished(real->window->findChild<EditCommands *>(), &EditCommands::printFinished);
    real->part("mnuFilePrint")->trigger();
    QVERIFY(finished.wait(30000) || finished.size() == 1);
    QCOMPARE(finished.first().first().toBool(), true);

    QFile file(pdf);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QVERIFY(bytes.startsWith("%PDF"));
    QVERIFY(bytes.size() > 1000);
}

void TestBrowsing::cleanupTestCase()
{
    real.reset();
}

BIDBENCH_TEST_MAIN(TestBrowsing)
#include "tst_browsing.moc"
