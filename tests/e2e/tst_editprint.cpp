#include "EditCommands.h"
#include "FindBar.h"
#include "FMain.h"
#include "LoopbackServer.h"
#include "RecordingShell.h"
#include "SettingsStore.h"
#include "TestMain.h"
#include "WebEnginePane.h"

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QPrinter>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <memory>

namespace {

// The main window with real browser panes; every destination is the loopback server.
struct RealWindow
{
    explicit RealWindow(LoopbackServer &server)
        : settings(folder.path() + QStringLiteral("/settings"))
    {
        Destinations &d = context.destinations;
        const QString host = server.hostPort();
        d.serviceHost = d.talvexWebHost = d.makerWebHost = host;
        for (int i = 1; i <= 4; ++i)
            d.redirectBases.append(server.url(QStringLiteral("/link-%1").arg(i)));
        d.ebayHostUS = d.ebayHostCA = d.ebayHostUK = d.ebayHostAU = d.ebayHostDE = d.ebayHostAT
            = d.ebayHostCH = d.ebayHostFR = d.ebayHostES = d.ebayHostIT = d.ebayHostTW = host;
        d.ebayPagesHost = d.listedItemsHost = d.bidItemsHost = host;

        context.settings = &settings;
        context.shell = &shell;
        context.paneFactory = WebEnginePane::factory(folder.path() + QStringLiteral("/profiles"));
        context.programDir = TestEnvironment::programDir();
        context.endProgram = [] {};
        window = std::make_unique<FMain>(context, true);
        window->show();
    }

    // Shows a page of the server in the auction pane and waits for it.
    bool showAuctionPage(const QString &url)
    {
        window->setTabIndex(FMain::kAuctionTab);
        window->brwAuction->Navigate(url);
        return QTest::qWaitFor([&] {
            return !window->brwAuction->Busy() && window->brwAuction->LocationURL() == url;
        }, 20000);
    }

    QTemporaryDir folder;
    AppContext context;
    SettingsStore settings;
    RecordingShell shell;
    std::unique_ptr<FMain> window;
};

const QByteArray kWordsPage =
    "<p>An apple a day. Apple pie.</p><p>APPLE cider, pear juice, apple tart.</p>";

} // namespace

class TestEditPrint : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void findBarFindsAndCountsWords();
    void printGoesToPdfLikeFromTheDialog();

private:
    LoopbackServer m_server;
};

void TestEditPrint::initTestCase()
{
    QVERIFY(m_server.port() != 0);
    m_server.setHandler([](const LoopbackServer::Request &request) {
        if (request.path == QLatin1String("/words"))
            return LoopbackServer::page(QStringLiteral("Words"), kWordsPage);
        return LoopbackServer::page(request.path);
    });
}

void TestEditPrint::findBarFindsAndCountsWords()
{
    RealWindow real(m_server);
    FMain *w = real.window.get();
    QVERIFY(real.showAuctionPage(m_server.url(QStringLiteral("/words"))));

    w->mnuEditFind->trigger();
    FindBar *bar = w->editCommands->findBar(w->brwAuction);
    QVERIFY(bar->isVisible());
    QTest::keyClicks(bar->textBox(), "apple");
    QTRY_COMPARE_WITH_TIMEOUT(bar->resultText(), QStringLiteral("1 of 4"), 10000);
    QTest::keyClick(bar->textBox(), Qt::Key_Return);
    QTRY_COMPARE_WITH_TIMEOUT(bar->resultText(), QStringLiteral("2 of 4"), 10000);
    QTest::keyClick(bar->textBox(), Qt::Key_Return, Qt::ShiftModifier);
    QTRY_COMPARE_WITH_TIMEOUT(bar->resultText(), QStringLiteral("1 of 4"), 10000);

    // With the case matched only the two lower-case ones count.
    bar->matchCaseBox()->click();
    QTRY_VERIFY_WITH_TIMEOUT(bar->resultText().endsWith(QStringLiteral(" of 2")), 10000);

    bar->textBox()->selectAll();
    QTest::keyClicks(bar->textBox(), "banana");
    QTRY_COMPARE_WITH_TIMEOUT(bar->resultText(), QStringLiteral("Not found"), 10000);
    QVERIFY(bar->isNotFound());

    QTest::keyClick(bar->textBox(), Qt::Key_Escape);
    QVERIFY(!bar->isVisible());
}

void TestEditPrint::printGoesToPdfLikeFromTheDialog()
{
    RealWindow real(m_server);
    FMain *w = real.window.get();
    QVERIFY(real.showAuctionPage(m_server.url(QStringLiteral("/words"))));

    const QString pdf = real.folder.path() + QStringLiteral("/page.pdf");
    // What a user does in the print dialog: choose printing to a PDF file.
    w->editCommands->setPrintSetup([&pdf](QPrinter &printer, QWidget *) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return true;
    });
    QSignalSpy finished(w->editCommands, &EditCommands::printFinished);
    w->mnuFilePrint->trigger();
    QVERIFY(finished.wait(30000) || finished.size() == 1);
    QCOMPARE(finished.first().first().toBool(), true);

    QFile file(pdf);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QVERIFY(bytes.startsWith("%PDF"));
    QVERIFY(bytes.size() > 1000);
}

BIDBENCH_TEST_MAIN(TestEditPrint)
#include "tst_editprint.moc"
