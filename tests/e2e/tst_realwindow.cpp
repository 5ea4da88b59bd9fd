#include "EditCommands.h"
#include "FMain.h"
#include "FindBar.h"
#include "LoopbackServer.h"
#include "MenuNames.h"
#include "RecordingShell.h"
#include "SettingsStore.h"
#include "StarFrames.h"
#include "TabControl.h"
#include "TestFiles.h"
#include "TestMain.h"
#include "WebEnginePane.h"

#include <QDesktopServices>
#include <QPrinter>
#include <QTcpServer>
#include <QWebEnginePage>
#include <QWebEngineView>

#include <signal.h>

// Stands in for the desktop's mail program, should the engine hand it an address.
class MailProgram : public QObject
{
    Q_OBJECT

public slots:
    void open(const QUrl &) {}
};

// The main window with real panes against loopback servers: one is the sniping service, the
// other the redirect and the eBay sites. The tests run in order on the one window.
class TestRealWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        service.setHandler([this](const LoopbackServer::Request &r) {
            const bool login = r.path == "/secure/login.cfm", post = r.method == "POST";
            LoopbackServer::Reply reply = LoopbackServer::page(login ? QString(post ? "Talvex logged in" : "Talvex item") : "Talvex " + r.path,
                                                               r.path == "/opener" ? "<script>window.open('/popup', 'x')</script>" : "ok");
            if (login && post) {
                talvexShownAtLogin = talvexShown;
                reply.headers.emplaceBack("Set-Cookie", "TALVEXSESSION=s3ss10n; Path=/; Max-Age=86400");
            }
            return reply;
        });
        us.setHandler([](const LoopbackServer::Request &r) {
            if (r.path.startsWith("/link-")) // the affiliate redirect
                return LoopbackServer::redirect(QUrl::fromPercentEncoding(r.query.mid(r.query.indexOf("loc=") + 4).toUtf8()));
            if (r.path == "/untitled")
                return LoopbackServer::Reply{200, "<html><body>no title</body></html>"};
            const QMap<QString, std::pair<QString, QByteArray>> pages{{"/", {"eBay US", "ok"}},
                {"/itemA", {"Item A", "<a id='next' href='/itemB?item=222'>B</a>"}}, {"/itemB", {"Item B", "<img src='/slow.png'>"}},
                {"/links", {"Links", "<a href='/itm/123456789012' style='display:block;font-size:40px'>Lamp</a>"}},
                {"/words", {"Words", "<p>An apple a day. Apple pie.</p><p>APPLE cider, pear juice, apple tart.</p>"}}};
            const auto [title, body] = pages.value(r.path, {"Page " + r.path, "ok"});
            LoopbackServer::Reply reply = LoopbackServer::page(title, body);
            if (r.path == "/download")
                reply.headers.emplaceBack("Content-Disposition", "attachment; filename=x.bin");
            reply.delayMs = r.path == "/slow.png" || r.path == "/held" ? 20000 : 0;
            return reply;
        });

        settings = std::make_unique<SettingsStore>(folder.path() + "/settings");
        settings->SaveSetting("Talvex Bidbench", "Main", "User", "bob smith");
        settings->SaveSetting("Talvex Bidbench", "Main", "Password", "p&ss=w+rd%");
        AppContext context;
        Destinations &d = context.destinations;
        d.serviceHost = service.hostPort();
        for (int i = 1; i <= 4; ++i)
            d.redirectBases.append(us.url(QString("/link-%1").arg(i)));
        d.ebayHostUS = d.ebayHostCA = d.ebayHostUK = d.ebayHostAU = d.ebayHostDE = d.ebayHostAT = d.ebayHostCH = d.ebayHostFR
            = d.ebayHostES = d.ebayHostIT = d.ebayHostTW = d.ebayPagesHost = d.listedItemsHost = d.bidItemsHost = us.hostPort();
        context.settings = settings.get();
        context.shell = &shell;
        context.dataDir = programDir = TestEnvironment::programDir();
        context.endProgram = [] {};
        // Watch the Talvex pane from its creation, before the load sends it anywhere.
        context.paneFactory = [this, make = WebEnginePane::factory(folder.path() + "/profiles")](PaneKind kind, QWidget *parent) {
            BrowserPane *made = make(kind, parent);
            if (kind == PaneKind::Talvex)
                connect(made, &BrowserPane::NavigateComplete2, this, [this, made] { talvexShown.append(made->LocationURL()); });
            return made;
        };
        w = std::make_unique<FMain>(context, true);
        w->show();
    }

    void startUpLogsInAfterThePleaseWaitPage()
    {
        const LoopbackServer::Request login = serviceAsked();
        QCOMPARE(login.method + ' ' + login.path.toUtf8() + ' ' + login.header("Content-Type") + ' ' + login.body,
                 "POST /secure/login.cfm application/x-www-form-urlencoded username=bob+smith&temp_password=p%26ss%3Dw%2Brd%25");
        // The please-wait page was on show, and nothing else, when the post went out.
        QCOMPARE(talvexShownAtLogin, QStringList{QUrl::fromLocalFile(programDir + "/PleaseWait.html").toString()});
        QTRY_COMPARE_WITH_TIMEOUT(pane("brwSnipe")->LocationName(), QString("Talvex logged in"), 10000);
        QCOMPARE(service.pageRequests().size(), 1);
    }

    void startUpGoesThroughTheRedirect()
    {
        QTRY_COMPARE_WITH_TIMEOUT(box()->itemText(0), us.url("/"), 15000);
        QCOMPARE(box()->currentText(), us.url("/"));
        QVERIFY(us.pagePaths().contains("/link-1?loc=http%3A//" + us.hostPort().replace(":", "%3A")));
    }

    void secondPageEnablesBack()
    {
        showTab(1);
        expectPage("eBay US");
        QTRY_VERIFY(!pane("brwAuction")->Busy());
        QVERIFY(!button(1)->isEnabled()); // the redirect left no page to go back to
        enterAddress(us.url("/second"));
        expectShown("Page /second", us.url("/second"));
        QTRY_VERIFY(button(1)->isEnabled());
        QVERIFY(!button(2)->isEnabled());

        button(1)->trigger();
        expectShown("eBay US", us.url("/"));
        QTRY_VERIFY(button(2)->isEnabled());
        QCOMPARE(box()->itemText(1), us.url("/second"));
    }

    // The login's cookie goes with the snipe, a GET: see the desktop journeys and the pop-up test below.
    void itemPageEnablesSnipeWhichAsksForTheItem()
    {
        const QString item = us.url("/ws/eBayISAPI.dll?ViewItem&item=1234567890&category=12");
        pane("brwAuction")->Navigate(item);
        QTRY_COMPARE_WITH_TIMEOUT(box()->currentText(), item, 10000);
        QTRY_VERIFY(part("tbrSnipe.Buttons(1)")->isEnabled());

        QCOMPARE(askedAfter([this] { part("tbrSnipe.Buttons(1)")->trigger(); }), "/secure/login.cfm?item_number=1234567890&category=12");
        expectPage("Talvex item");
        // Each pane has a profile of its own: the auction pane does not send the service's cookie.
        pane("brwAuction")->Navigate(service.url("/from-auction"));
        QTRY_VERIFY_WITH_TIMEOUT(service.pagePaths().contains("/from-auction"), 10000);
        QCOMPARE(service.pageRequests().last().header("Cookie"), QByteArray());
    }

    // The engine's own menu for a link to an item offers Snipe; the item's page is not opened.
    void linkMenuSnipesTheItem()
    {
        showTab(1);
        enterAddress(us.url("/links"));
        expectPage("Links");
        QTest::mouseClick(pane("brwAuction")->findChild<QWebEngineView *>()->focusProxy(), Qt::RightButton, {}, QPoint(30, 30));
        QTRY_VERIFY_WITH_TIMEOUT(qobject_cast<QMenu *>(QApplication::activePopupWidget()), 10000);
        QWidget *menu = QApplication::activePopupWidget();
        QCOMPARE(askedAfter([menu] { menu->actions().first()->trigger(); }), "/secure/login.cfm?item_number=123456789012");
        menu->close();
        QVERIFY(!us.pagePaths().contains("/itm/123456789012"));
    }

    // Item page B shows at once but one of its pictures takes long: Snipe is for B meanwhile.
    void snipeTakesTheShownPageWhileItsPartsLoad()
    {
        showTab(1);
        enterAddress(us.url("/itemA?item=111"));
        expectPage("Item A");
        pane("brwAuction")->findChild<QWebEngineView *>()->page()->runJavaScript("document.getElementById('next').click()");
        QTRY_VERIFY_WITH_TIMEOUT(us.pagePaths().contains("/slow.png"), 10000);

        const QString itemB = us.url("/itemB?item=222");
        QTRY_COMPARE_WITH_TIMEOUT(box()->currentText(), itemB, 5000);
        QCOMPARE(box()->itemText(0), itemB);
        QVERIFY(pane("brwAuction")->Busy()); // the picture is still on its way
        QCOMPARE(askedAfter([this] { part("tbrSnipe.Buttons(1)")->trigger(); }), "/secure/login.cfm?item_number=222");
    }

    void titlesAndFailedLoads()
    {
        showTab(1);
        // Without a title the name is empty, not the address the engine shows instead.
        enterAddress(us.url("/untitled"));
        expectShown("", us.url("/untitled"));
        // A refused connection ends the load too, with the engine's error page, and the address.
        QTcpServer probe;
        probe.listen(QHostAddress::LocalHost, 0);
        const QString refused = QString("http://127.0.0.1:%1/nothing").arg(probe.serverPort());
        probe.close();
        enterAddress(refused);
        QTRY_COMPARE_WITH_TIMEOUT(box()->itemText(0) + (pane("brwAuction")->Busy() ? " busy" : ""), refused, 15000);
    }

    void movesWithinAPageLeaveTheWindowAtRest()
    {
        showTab(1);
        const QString item = us.url("/itemA?item=333");
        enterAddress(item);
        expectPage("Item A");
        enterAddress(item + "#description");
        QTRY_COMPARE(box()->itemText(0), item + "#description");
        const QImage resting = StarFrames().frame(true, StarFrames::kRestingFrame).toImage();
        QTRY_VERIFY(!pane("brwAuction")->Busy() && !part<QTimer>("timTimer")->isActive()
                    && part<QLabel>("picSnipe")->pixmap().toImage() == resting);
        QCOMPARE(w->windowTitle(), QString("Talvex Bidbench > Item A"));
        // So does a page's own history.pushState, and a javascript: address starts no load.
        pane("brwAuction")->findChild<QWebEngineView *>()->page()->runJavaScript("history.pushState({}, '', '/itemA/moved')");
        QTRY_COMPARE(box()->itemText(0), us.url("/itemA/moved"));
        enterAddress("javascript:void(0)");
        QVERIFY(!pane("brwAuction")->Busy());
        // Addresses that go elsewhere load nothing here: busy at once, then not, whether the
        // engine reports the end of the load or the guard gives up on it.
        QDesktopServices::setUrlHandler("mailto", &mail, "open");
        for (const QString &elsewhere : {QString("mailto:someone@p.test"), us.url("/download")}) {
            enterAddress(elsewhere);
            QVERIFY(pane("brwAuction")->Busy()); // at once, as callers look right after navigating
            QTRY_VERIFY_WITH_TIMEOUT(!pane("brwAuction")->Busy(), 10000);
        }
        // Stop during a load whose page never arrives.
        enterAddress(us.url("/held"));
        QTRY_VERIFY(us.pagePaths().contains("/held"));
        button(3)->trigger();
        QTRY_VERIFY(!pane("brwAuction")->Busy() && !part<QTimer>("timTimer")->isActive());
    }

    // Refresh reloads a live page, which arrives again. A renderer that crashes or is killed
    // leaves a page that says so; Refresh brings it back.
    void endedRendererShowsAStoppedPageUntilRefresh()
    {
        showTab(1);
        enterAddress(us.url("/after"));
        expectPage("Page /after");
        QSignalSpy arrived(pane("brwAuction"), &BrowserPane::NavigateComplete2);
        us.requests.clear();
        button(4)->trigger();
        QTRY_VERIFY_WITH_TIMEOUT(arrived.size() == 1 && !pane("brwAuction")->Busy(), 15000);
        QCOMPARE(us.pagePaths(), QStringList{"/after"});
        QWebEnginePage *page = pane("brwAuction")->findChild<QWebEngineView *>()->page();
        QTRY_VERIFY(page->renderProcessPid() > 0);
        ::kill(pid_t(page->renderProcessPid()), SIGKILL);
        auto *stopped = pane("brwAuction")->findChild<QLabel *>("stoppedPage");
        QTRY_VERIFY_WITH_TIMEOUT(stopped->isVisible(), 15000);
        QVERIFY(stopped->text().contains(us.url("/after")) && !pane("brwAuction")->Busy());
        QSignalSpy loaded(pane("brwAuction"), &BrowserPane::DownloadComplete);
        button(4)->trigger();
        QVERIFY(!stopped->isVisible() && loaded.wait(15000));
        QString liveTitle; // a new renderer shows the page again
        page->runJavaScript("document.title", [&liveTitle](const QVariant &title) { liveTitle = title.toString(); });
        QTRY_COMPARE_WITH_TIMEOUT(liveTitle, QString("Page /after"), 15000);
    }

    void findBarFindsAndCountsWords()
    {
        showTab(1);
        enterAddress(us.url("/words"));
        expectPage("Words");
        part(Menus::mnuEditFind)->trigger();
        auto *bar = pane("brwAuction")->findChild<FindBar *>();
        QVERIFY(bar->isVisible());
        QTest::keyClicks(QApplication::focusWidget(), "apple");
        QTRY_COMPARE_WITH_TIMEOUT(bar->resultText(), QString("1 of 4"), 10000);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTRY_COMPARE_WITH_TIMEOUT(bar->resultText(), QString("2 of 4"), 10000);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return, Qt::ShiftModifier);
        QTRY_COMPARE_WITH_TIMEOUT(bar->resultText(), QString("1 of 4"), 10000);
        bar->matchCaseBox()->click(); // only the two lower-case ones count
        QTRY_VERIFY_WITH_TIMEOUT(bar->resultText().endsWith(" of 2"), 10000);
        bar->textBox()->selectAll();
        QTest::keyClicks(QApplication::focusWidget(), "banana");
        QTRY_COMPARE_WITH_TIMEOUT(bar->resultText(), QString("Not found"), 10000);
        QVERIFY(bar->isNotFound());
        pane("brwAuction")->Navigate(us.url("/words")); // a new page has none of the old result
        QTRY_COMPARE_WITH_TIMEOUT(bar->resultText(), QString(), 10000);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QVERIFY(!bar->isVisible());
        part(Menus::mnuEditFind)->trigger(); // opened again, the old text is ready to be typed over
        QCOMPARE(bar->textBox()->selectedText(), QString("banana"));
    }

    void printGoesToPdfLikeFromTheDialog()
    {
        const QString pdf = folder.path() + "/page.pdf";
        auto *edit = w->findChild<EditCommands *>();
        // What a user does in the print dialog: choose printing to a PDF file.
        edit->setPrintSetup([pdf](QPrinter &printer, QWidget *) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdf);
            return true;
        });
        QSignalSpy finished(edit, &EditCommands::printFinished);
        part(Menus::mnuFilePrint)->trigger();
        QVERIFY(finished.wait(30000) || finished.size() == 1);
        QCOMPARE(finished.first().first().toBool(), true);
        const QByteArray bytes = readBytes(pdf);
        QVERIFY(bytes.startsWith("%PDF") && bytes.size() > 1000);
    }

    // The Talvex pane's pop-ups share its cookies, and the cookies outlive the window, as they
    // must for the next start of the program.
    void talvexCookiesReachPopupsAndTheNextStart()
    {
        pane("brwSnipe")->Navigate(service.url("/opener"));
        QTRY_VERIFY_WITH_TIMEOUT(service.pagePaths().contains("/popup"), 20000);
        QVERIFY(service.pageRequests().last().header("Cookie").contains("TALVEXSESSION=s3ss10n"));
        w.reset();
        // The engine writes its cookie database in the background after the profile goes.
        QTRY_VERIFY_WITH_TIMEOUT(readBytes(folder.filePath("profiles/talvex/Cookies")).contains("TALVEXSESSION"), 20000);
        WebEnginePane again(folder.path() + "/profiles", "talvex");
        again.Navigate(service.url("/again"));
        QTRY_VERIFY_WITH_TIMEOUT(service.pagePaths().contains("/again"), 20000);
        QVERIFY(service.pageRequests().last().header("Cookie").contains("TALVEXSESSION=s3ss10n"));
    }

private:
    template <typename T = QAction>
    T *part(const QString &name) const { return w->findChild<T *>(name); }
    QAction *button(int index) const { return w->findChild<QAction *>(QString("tbrNavigate.Buttons(%1)").arg(index)); }
    QComboBox *box() const { return part<QComboBox>("cboAddress"); }
    BrowserPane *pane(const char *name) const { return part<BrowserPane>(name); }
    void showTab(int tab) const { part<TabControl>("SSTab1")->setTab(tab); }

    void enterAddress(const QString &url)
    {
        box()->setEditText(url);
        box()->setFocus();
        QVERIFY(keyToFocus(w.get(), Qt::Key_Return));
    }

    void expectPage(const QString &title)
    {
        QTRY_COMPARE_WITH_TIMEOUT(w->windowTitle(), "Talvex Bidbench > " + title, 15000);
    }
    // Waits for the service's first request since its list was last cleared.
    LoopbackServer::Request serviceAsked()
    {
        if (!QTest::qWaitFor([this] { return !service.pageRequests().isEmpty(); }, 20000))
            return {};
        return service.pageRequests().first();
    }
    // What the service was asked for after `act` (the snipe page, say).
    QString askedAfter(const std::function<void()> &act)
    {
        service.requests.clear();
        act();
        return serviceAsked().pathAndQuery();
    }
    // Waits until the page with this title is shown at this address and has finished loading.
    void expectShown(const QString &title, const QString &address)
    {
        QTRY_COMPARE_WITH_TIMEOUT(w->windowTitle() + ' ' + box()->itemText(0) + (pane("brwAuction")->Busy() ? " busy" : ""),
                                  "Talvex Bidbench > " + title + ' ' + address, 15000);
    }
    MailProgram mail;
    LoopbackServer service, us;
    QTemporaryDir folder;
    std::unique_ptr<SettingsStore> settings;
    RecordingShell shell;
    QString programDir;
    std::unique_ptr<FMain> w;
    QStringList talvexShown, talvexShownAtLogin; // the pages that arrived in the Talvex pane
};

BIDBENCH_TEST_MAIN(TestRealWindow)
#include "tst_realwindow.moc"
