#include "AppFixture.h"
#include "FFavorites.h"
#include "FPassword.h"
#include "FStart.h"
#include "FToolbar.h"
#include "SiteMenu.h"
#include "StartRequests.h"
#include "SubMain.h"
#include "TestMain.h"
#include "TitleBarClose.h"

#include <cstdio>

namespace {
const QString kSignUp = QStringLiteral("http://service.test/secure/signup.cfm");

// The child of sessionEndIsAnUnload, in the folder it is given: the main window with the
// sellers list open, and no user name stored, so that a user's close would ask for it.
[[maybe_unused]] const int kListOpenChild = TestRegistry::addChild("listOpen", [] {
    const QString folder = qEnvironmentVariable("BIDBENCH_CHILD_FOLDER");
    AppFixture f;
    SettingsStore settings(folder);
    AppContext context = f.context();
    context.settings = &settings;
    context.dataDir = folder;
    context.endProgram = {};
    FMain window(context, true);
    window.show();
    answerNextModal<FFavorites>([](QWidget *) {
        std::puts("ready");
        std::fflush(stdout);
        // What the session manager sends when the session ends: the application is to quit.
        QCoreApplication::postEvent(qApp, new QEvent(QEvent::Quit));
    }, 6000);
    QTimer::singleShot(0, &window, [&] { window.findChild<QAction *>(Menus::mnuFavoritesSellers)->trigger(); });
    return qApp->exec();
});
} // namespace

// The start-up (welcome screen, login) and the delayed exit with the settings it stores.
class TestStartAndExit : public QObject
{
    Q_OBJECT

private slots:
    // Yes (an account, the login) and StartScreen=N (no welcome screen) are the desktop journeys'.
    void welcomeScreen_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<bool>("tick");
        QTest::newRow("lower case n, No") << "n" << "Command1" << false;
        QTest::newRow("N with a blank, title-bar close, ticked") << "N " << "close" << true;
    }

    void welcomeScreen()
    {
        QFETCH(QString, stored);
        QFETCH(QString, answer);
        QFETCH(bool, tick);
        AppFixture f;
        f.store("Settings", "StartScreen", stored);
        f.store("Main", "User", "bob");
        bool shown = false;
        answerNextModal<FStart>([&](FStart *welcome) {
            // The maker's link opens in the browser and answers nothing.
            QTest::mouseClick(welcome->findChild<QLabel *>("lblMardell"), Qt::LeftButton);
            shown = welcome->isVisible() && f.shell.opened == QStringList{"http://maker.test"};
            welcome->findChild<QCheckBox *>("chkHasAccount")->setChecked(tick);
            if (answer == "close")
                welcome->close();
            else
                welcome->findChild<QPushButton *>(answer)->click();
        }, 100);
        f.window = SubMain(f.context());
        QVERIFY(shown && f.window->isVisible());
        // The please-wait page, then without an account the sign-up page, whatever user is stored.
        QCOMPARE(readBytes(f.dataDir + "/PleaseWait.html"), QByteArray("<b>Please wait . . .</b>\r\n"));
        QTRY_COMPARE(f.talvex()->requests, QStringList({f.dataDir + "/PleaseWait.html", kSignUp}));
        QCOMPARE(f.setting("Settings", "StartScreen"), tick ? QString("N") : stored);
    }

    void startRequests_data()
    {
        QTest::addColumn<QString>("when");
        QTest::addColumn<bool>("fromLaterStart");
        QTest::addColumn<QString>("seen"); // the Talvex pane's requests after the please-wait page; the window
        const QString after = "login.cfm snipe | ";
        QTest::newRow("the first start's own, minimized window") << "before window" << false << after + "minimized";
        QTest::newRow("a later start's, before the window exists") << "before window" << true << after + "normal";
        QTest::newRow("a later start's, while the window closes") << "closing" << true << "login.cfm | minimized";
        QTest::newRow("a later start's, floating toolbar up") << "toolbar" << true << after + "hidden";
    }

    // What a start asks for waits for the start-up login. Only a later start brings the window
    // to the front (a minimized one from its settings stays so otherwise), not while the floating
    // toolbar stands in for it; while the window closes, nothing more is done.
    void startRequests()
    {
        QFETCH(QString, when);
        QFETCH(bool, fromLaterStart);
        QFETCH(QString, seen);
        AppFixture f;
        for (auto [key, value] : {std::pair{"WindowState", "1"}, {"WindowWidth", "9000"}, {"WindowHeight", "6000"}})
            f.settings.SaveSetting("Mardell", "Talvex Bidbench", key, value);
        StartRequests requests;
        CommandLine::Parsed snipe;
        snipe.item = "123456789";
        if (when == "before window")
            requests.add(snipe, fromLaterStart);
        FMain *w = f.create();
        requests.setWindow(w);
        w->show();
        QTRY_VERIFY(w->isStartupLoginOver());
        QString window;
        if (when == "closing") {
            f.trigger(Menus::mnuFileExit);
            requests.add(snipe, fromLaterStart);
        } else if (when == "toolbar") {
            answerNextModal<FToolbar>([&](FToolbar *toolbar) {
                requests.add(snipe, fromLaterStart);
                window = w->isHidden() ? "hidden" : "shown";
                toolbar->close();
            });
            f.trigger(Menus::mnuToolsToolbar);
        }
        if (window.isEmpty())
            window = w->windowState() & Qt::WindowMinimized ? "minimized" : "normal";
        QStringList talvex = f.talvex()->requests.mid(1);
        talvex.replaceInStrings("http://service.test/secure/", "").replaceInStrings("login.cfm?item_number=123456789", "snipe");
        QCOMPARE(talvex.join(' ') + " | " + window, seen);
        // The hourglass and the pending end of a closing window must not outlive the row.
        QTRY_COMPARE_WITH_TIMEOUT(f.ended, when == "closing" ? 1 : 0, 4000);
    }

    void exit_data()
    {
        QTest::addColumn<QString>("storedUser");
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("answer"); // to the Talvex Password window
        QTest::addColumn<int>("asks");
        QTest::addColumn<int>("site"); // checked at the exit; 0: none
        QTest::addColumn<bool>("textOff");
        QTest::newRow("File > Exit, no user, Save") << "" << "exit" << "cmdSave" << 1 << 1 << false;
        QTest::newRow("close box, no user, closed; text hidden") << "" << "close box" << "close" << 1 << 14 << true;
        QTest::newRow("close box, user stored, no site checked") << "bob" << "close box" << "" << 0 << 0 << false;
        // Only Save changes the user of this run: after it the exit asks nothing more. (Its close box
        // is Cancel: the second row.)
        QTest::newRow("Tools menu, Save, exit") << "" << "tools" << "cmdSave" << 1 << 1 << false;
        QTest::newRow("Tools menu, Cancel, exit") << "" << "tools" << "cmdCancel" << 2 << 1 << false;
    }

    // File > Exit and the close box keep the window, disabled with the hourglass, for two seconds
    // while the auction pane goes home, then store the settings. The Talvex Password window comes
    // first while no user is stored. (The program's own close, at once and asking nothing: the
    // session's end below.)
    void exit()
    {
        QFETCH(QString, storedUser);
        QFETCH(QString, how);
        QFETCH(QString, answer);
        QFETCH(int, asks);
        QFETCH(int, site);
        QFETCH(bool, textOff);
        AppFixture f;
        f.store("Main", "User", storedUser);
        FMain *w = f.start();
        SiteMenu *sites = w->findChild<SiteMenu *>();
        sites->site(qMax(site, 1))->trigger();
        if (site == 0)
            sites->site(1)->setChecked(false);
        if (textOff)
            f.trigger(Menus::mnuButtonBarStatusViewLabels);
        w->resize(700, 500);
        QWidget other;
        other.show();
        f.store("Settings", "Site", "untouched");
        const qsizetype before = f.auction()->requests.size();
        auto *appEnd = f.part<QTimer>("timAppEnd");
        if (asks != 1 || how != "exit")
            appEnd->setInterval(1); // the first row waits the whole two seconds
        int shown = 0;
        QList<QPointer<QObject>> answers;
        const auto answerWith = [&](const QString &button) {
            answers << answerNextModal<FPassword>([&, button](FPassword *dialog) {
                ++shown;
                QVERIFY(w->isEnabled()); // before the shutdown
                QCOMPARE(dialog->findChild<QLineEdit *>("txtUser")->text(), storedUser);
                dialog->findChild<QLineEdit *>("txtUser")->setText("typed");
                button == "close" ? void(closeFromTitleBar(dialog)) : dialog->findChild<QPushButton *>(button)->click();
            }, 30);
        };
        answerWith(answer);
        if (how == "tools") {
            f.trigger(Menus::mnuToolsPassword);
            answerWith("cmdCancel");
        }
        if (how == "close box") {
            QVERIFY(!closeFromTitleBar(w)); // refused: the window stays for the delayed exit
            QVERIFY(!closeFromTitleBar(w)); // and a second close neither ends early nor starts over
        } else {
            f.trigger(Menus::mnuFileExit);
        }
        QCOMPARE(shown, asks);
        QCOMPARE(f.setting("Main", "User"), answer == "cmdSave" ? QString("typed") : storedUser);
        QVERIFY(!w->isEnabled() && w->isVisible());
        QCOMPARE(QApplication::overrideCursor() ? QApplication::overrideCursor()->shape() : Qt::ArrowCursor, Qt::WaitCursor);
        QCOMPARE(f.auction()->requests.size(), before + 1); // home
        QVERIFY(appEnd->isActive() && (appEnd->interval() == 1 || appEnd->remainingTime() > 1500));
        QCOMPARE(f.setting("Settings", "Site"), QString("untouched"));
        const QSize outer = w->frameGeometry().size();
        QTRY_COMPARE_WITH_TIMEOUT(f.ended, 1, 4000);
        QVERIFY(!w->isVisible() && !other.isVisible() && !QApplication::overrideCursor());
        QStringList stored{f.setting("Settings", "Site"), f.setting("Settings", "TextLabels")};
        for (const char *key : {"WindowState", "WindowWidth", "WindowHeight"})
            stored << f.settings.GetSetting("Mardell", "Talvex Bidbench", key);
        QCOMPARE(stored, QStringList({QString::number(site), textOff ? "N" : "", "0", QString::number(outer.width() * 15),
                                      QString::number(outer.height() * 15)}));
        // Complete when the program was told to end; an empty TextLabels is a key, not left out.
        QVERIFY(f.settingsAtEnd.value(0).contains(textOff ? "TextLabels=N" : "TextLabels=\n"));
        QVERIFY(f.settingsAtEnd.value(1).contains("WindowHeight="));
        qDeleteAll(answers); // those not needed must not answer the next test's windows
    }

    // The session's end is an unload: the open list is saved (its duplicate dropped), the settings
    // are stored, status 0; nothing is asked, though no user name is stored. (SIGTERM, a logout's
    // end, does the same: the one-running-copy test's password rows.)
    void sessionEndIsAnUnload()
    {
        QTemporaryDir folder;
        writeBytes(folder.filePath("Sellers.txt"), "bob\r\nann\r\nbob\r\n");
        QProcess child;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("BIDBENCH_TEST_CHILD", "listOpen");
        environment.insert("BIDBENCH_CHILD_FOLDER", folder.path());
        child.setProcessEnvironment(environment);
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        child.start(QCoreApplication::applicationFilePath());
        QTRY_VERIFY_WITH_TIMEOUT(child.canReadLine(), 60000); // a hang guard
        QCOMPARE(child.readLine(), "ready\n");
        QVERIFY(child.state() == QProcess::NotRunning || child.waitForFinished(60000));
        QCOMPARE(child.exitStatus(), QProcess::NormalExit);
        QCOMPARE(child.exitCode(), 0);
        QCOMPARE(readBytes(folder.filePath("Sellers.txt")), "bob\r\nann\r\n");
        QVERIFY(!SettingsStore(folder.path()).GetSetting("Mardell", "Talvex Bidbench", "WindowWidth").isEmpty());
    }
};

BIDBENCH_TEST_MAIN(TestStartAndExit)
#include "tst_startandexit.moc"
