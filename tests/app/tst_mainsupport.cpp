#include "AppFixture.h"
#include "CError.h"
#include "CStartStatus.h"
#include "FError.h"
#include "LinkLabel.h"
#include "LoopbackServer.h"
#include "MdWebCon.h"
#include "ModalAnswer.h"
#include "TabControl.h"
#include "TestMain.h"

#include <QAction>
#include <QDir>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabBar>
#include <QToolBar>

namespace {
QList<FError *> errorWindows()
{
    QList<FError *> windows;
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (auto *e = qobject_cast<FError *>(w); e && e->isVisible())
            windows.append(e);
    }
    return windows;
}
} // namespace

// The main window's ways out (Help menu, link label, About box) and its version check.
class TestMainSupport : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();

    void helpMenuItemsOpenTheirTargets_data();
    void helpMenuItemsOpenTheirTargets();
    void linkLabelOpensMakerHomePage();
    void linkLabelHoverAndRestore_data();
    void linkLabelHoverAndRestore();

    void versionCheckIsTheLastLoadStep();
    void versionCheckThatCannotStartIsReported();
    void versionAnswerShowsMessageOverMainWindow();

private:
    // A fixture whose main window has a start-status object asking the given server.
    void withVersionCheck(AppFixture &f, const QString &serverHost);
};

void TestMainSupport::cleanup()
{
    for (FError *w : errorWindows())
        w->close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void TestMainSupport::withVersionCheck(AppFixture &f, const QString &serverHost)
{
    AppContext context = f.context();
    context.destinations.makerWebHost = serverHost;
    context.errors = std::make_shared<CError>(context.destinations.supportEmail, *context.shell);
    context.startStatus = std::make_shared<CStartStatus>(*context.errors, *context.shell, context.destinations);
    context.startStatus->Initialize(10, 1.2f);
    f.window = std::make_unique<FMain>(context, true);
}

void TestMainSupport::helpMenuItemsOpenTheirTargets_data()
{
    QTest::addColumn<int>("position"); // in the Help menu, separators included
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("target");
    QTest::newRow("Contents") << 0 << "&Contents" << "<program>/help/Bidbench_help.htm";
    QTest::newRow("Mardell Home Page") << 2 << "&Mardell Home Page" << "http://talvex.test?bidbench";
    QTest::newRow("Talvex Online") << 3 << "Talvex &Online" << "http://service.test";
    QTest::newRow("Email Talvex Help") << 4 << "Email Talvex &Help"
                                       << "mailto:help@service.test?subject= Talvex Bidbench 1.2.0";
    QTest::newRow("Join Mailing List") << 5 << "&Join Mailing List"
                                       << "mailto:info@maker.test?subject=Subscribe List REF: Talvex Bidbench 1.2.0";
}

void TestMainSupport::helpMenuItemsOpenTheirTargets()
{
    QFETCH(int, position);
    QFETCH(QString, caption);
    QFETCH(QString, target);

    AppFixture f;
    FMain *w = f.start();
    QAction *item = w->mnuHelp->actions().value(position);
    QVERIFY(item);
    QCOMPARE(item->text(), caption);
    const QString before = QDir::currentPath();
    QDir::setCurrent(QDir::tempPath()); // the help file does not depend on the current folder
    item->trigger();
    QDir::setCurrent(before);
    target.replace(QLatin1String("<program>"), f.programDir);
    QCOMPARE(f.shell.opened, QStringList{target});
}

void TestMainSupport::linkLabelOpensMakerHomePage()
{
    AppFixture f;
    FMain *w = f.start();
    QVERIFY(QTest::qWaitForWindowExposed(w));
    QTest::mouseClick(w->lblMardell, Qt::LeftButton);
    // The maker's host, not the Talvex one the Help menu's home page uses.
    QCOMPARE(f.shell.opened, QStringList{QStringLiteral("http://maker.test?bidbench")});
}

void TestMainSupport::linkLabelHoverAndRestore_data()
{
    QTest::addColumn<QString>("then");
    QTest::addColumn<bool>("restored");
    QTest::newRow("pointer onto the tab strip") << "tabStrip" << true;
    QTest::newRow("pointer onto the window background") << "background" << true;
    QTest::newRow("Talvex pane takes the focus") << "paneFocus" << true;
    QTest::newRow("pointer onto the Talvex pane keeps hover") << "pane" << false;
}

void TestMainSupport::linkLabelHoverAndRestore()
{
    QFETCH(QString, then);
    QFETCH(bool, restored);

    AppFixture f;
    FMain *w = f.start();
    QVERIFY(QTest::qWaitForWindowExposed(w));
    LinkLabel *link = w->lblMardell;
    auto looksRestored = [link] { return link->textColor() == QColor(0, 0, 255) && !link->isUnderlined(); };
    auto looksHovered = [link] { return link->textColor() == QColor(255, 0, 255) && link->isUnderlined(); };
    QVERIFY(looksRestored());

    // The pointer comes from the pane, then onto the link.
    QTest::mouseMove(w->brwSnipe, w->brwSnipe->rect().center());
    QTest::mouseMove(link, link->rect().center());
    QTRY_VERIFY(looksHovered());

    QWidget *client = w->centralWidget();
    if (then == QLatin1String("tabStrip")) {
        QTabBar *bar = w->SSTab1->tabBar();
        QTest::mouseMove(bar, bar->tabRect(1).center());
    } else if (then == QLatin1String("background")) {
        // Some bare spot of the client area: beside the tab control.
        QPoint spot;
        for (int x = client->width() - 1; x >= 0 && spot.isNull(); --x) {
            for (int y = client->height() - 1; y >= client->height() / 2; y -= 3) {
                if (!client->childAt(x, y)) {
                    spot = QPoint(x, y);
                    break;
                }
            }
        }
        QVERIFY2(!spot.isNull(), "no bare background in the client area");
        QTest::mouseMove(client, spot);
    } else if (then == QLatin1String("paneFocus")) {
        emit w->brwSnipe->focusReceived();
    } else if (then == QLatin1String("pane")) {
        QTest::mouseMove(w->brwSnipe, w->brwSnipe->rect().center() + QPoint(5, 5));
    }
    QTest::qWait(20);
    QCOMPARE(looksRestored(), restored);
    QCOMPARE(looksHovered(), !restored);
    QVERIFY(f.shell.opened.isEmpty());
}

void TestMainSupport::versionCheckIsTheLastLoadStep()
{
    LoopbackServer server;
    AppFixture f;
    f.store(QStringLiteral("Settings"), QStringLiteral("TextLabels"), QStringLiteral("N"));
    withVersionCheck(f, server.hostPort());

    // What the window has done by the time the check starts.
    bool loaded = false, labelsOff = false;
    int auctionNavigations = -1;
    f.window->startStatus()->setConnectionFactory([&](QObject *parent) {
        loaded = f.window->isLoaded();
        labelsOff = !f.window->isTextShown();
        auctionNavigations = f.auction()->requests.size();
        return new MdWebCon(parent);
    });
    QSignalSpy done(f.window->startStatus(), &CStartStatus::DoneChecking);
    f.window->show();

    QVERIFY(loaded);
    QVERIFY(labelsOff);
    QCOMPARE(auctionNavigations, 2); // SelectSite, then the start page again
    QVERIFY(done.wait(5000));
    QCOMPARE(server.requests.size(), 1);
    QCOMPARE(server.requests.first().pathAndQuery(),
             QStringLiteral("/version/versioncheck.asp?app=Talvex%20Bidbench&version=2.0.1&appclass=10&language="));
    QVERIFY(errorWindows().isEmpty());
}

void TestMainSupport::versionCheckThatCannotStartIsReported()
{
    AppFixture f;
    withVersionCheck(f, QStringLiteral("maker.test"));
    f.window->startStatus()->setConnectionFactory([](QObject *) -> MdWebCon * { return nullptr; });
    f.window->show(); // the load goes on to its end

    QVERIFY(f.window->isVisible());
    const QList<FError *> windows = errorWindows();
    QCOMPARE(windows.size(), 1);
    QCOMPARE(windows.first()->txtError->toPlainText(),
             QStringLiteral("FMain.StartVersionCheck\noStartStatus.Check 429 Can't create object"));
}

void TestMainSupport::versionAnswerShowsMessageOverMainWindow()
{
    LoopbackServer server;
    server.setHandler([](const LoopbackServer::Request &) {
        LoopbackServer::Reply reply;
        reply.body = "<status><message>Bidbench news: all is well.</message></status>";
        return reply;
    });
    AppFixture f;
    withVersionCheck(f, server.hostPort());
    QSignalSpy done(f.window->startStatus(), &CStartStatus::DoneChecking);
    QString text, title;
    answerNextMessageBox(QMessageBox::Ok, &text, &title);
    f.window->show();
    QVERIFY(done.wait(5000));
    QCOMPARE(title, QStringLiteral("Mardell Message"));
    QCOMPARE(text, QStringLiteral("Bidbench news: all is well."));
    QVERIFY(f.window->isVisible());
    QCOMPARE(f.ended, 0);
}

BIDBENCH_TEST_MAIN(TestMainSupport)
#include "tst_mainsupport.moc"
