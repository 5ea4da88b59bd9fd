#include "FPassword.h"
#include "FToolbar.h"
#include "FakeBrowserPane.h"
#include "ItemNumber.h"
#include "SecretService.h"
#include "SettingsStore.h"
#include "StartupLogin.h"
#include "TalvexCredentials.h"
#include "TalvexSession.h"
#include "TalvexService.h"
#include "TestFiles.h"
#include "TestMain.h"

namespace {
// The child of passwordWindowWithARealStore, on the store it is given: where the Talvex Password
// window says the password is kept and the password it shows, then where Save kept a new one.
[[maybe_unused]] const int kPasswordWindowChild = TestRegistry::addChild("passwordWindow", [] {
    SettingsStore settings(qEnvironmentVariable("BIDBENCH_CHILD_FOLDER"));
    TalvexCredentials credentials(settings, 1000);
    QSignalSpy loaded(&credentials, &TalvexCredentials::loaded);
    credentials.load();
    const auto keeper = [&] { return credentials.keeper() == TalvexCredentials::Keeper::SecretStore ? "store" : "file"; };
    if (!credentials.isLoaded() && !loaded.wait(5000))
        return 2;
    FPassword window(credentials);
    window.SetCredentials(credentials.user(), credentials.password());
    const bool saysStore = window.findChild<QLabel *>("lblKeptIn")->text().contains("desktop's secret store");
    std::printf("%s:%s -> ", saysStore ? "store" : "file", qPrintable(window.findChild<QLineEdit *>("txtPassword")->text()));
    window.findChild<QLineEdit *>("txtPassword")->setText("n3w&pw");
    window.show();
    QTest::mouseClick(window.findChild<QPushButton *>("cmdSave"), Qt::LeftButton);
    if (!QTest::qWaitFor([&] { return window.isHidden(); }, 5000))
        return 3;
    std::printf("%s\n", keeper());
    return 0;
});

} // namespace

// The sniping rules, the start-up login and the sniping windows. (What the busy indicator costs
// while idle is the start-up bench's idle measurement.)
class TestSnipe : public QObject
{
    Q_OBJECT

private slots:
    void itemNumber_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("item"); // "-": none, Snipe stays off
        // With the key: everything behind its first occurrence, uncut.
        QTest::newRow("upper-case key only") << "http://cgi.ebay.com/ws/eBayISAPI.dll?ViewItem&ITEM=1234567890" << "-";
        QTest::newRow("key at the very end") << "http://cgi.ebay.com/ws/eBayISAPI.dll?ViewItem&item=" << "";
        QTest::newRow("key twice: the first counts, the rest uncut") << "http://x.example/v?item=111&olditem=222" << "111&olditem=222";
        QTest::newRow("key wins over an item path") << "https://www.ebay.com/itm/123456789012?item=9" << "9";
        QTest::newRow("no key") << "http://www.ebay.com/" << "-";
        // Outer blanks limit the length taken to the address's length without them.
        QTest::newRow("outer blanks cut the rest") << "item=1          " << "1     ";
        // Today's item pages.
        QTest::newRow("itm, title, query, fragment") << "https://www.ebay.co.uk/itm/Some-Title/123456789012?hash=item1c9a#rwid"
                                                     << "123456789012";
        QTest::newRow("9 digits") << "https://www.ebay.com/itm/123456789" << "123456789";
        QTest::newRow("19 digits") << "https://www.ebay.com/itm/1234567890123456789" << "1234567890123456789";
        QTest::newRow("8 digits too few") << "https://www.ebay.com/itm/12345678" << "-";
        QTest::newRow("20 digits too many") << "https://www.ebay.com/itm/12345678901234567890" << "-";
        QTest::newRow("digits with a letter") << "https://www.ebay.com/itm/12345678901x" << "-";
        QTest::newRow("itm only in the query") << "https://www.ebay.com/sch?x=/itm/123456789012" << "-";
        QTest::newRow("itm as the host") << "http://itm/123456789012" << "-";
        QTest::newRow("product page") << "https://www.ebay.com/p/123456789012" << "-";
    }

    // Snipe is on exactly when there is an item number. Button and menu item for (auction tab, menu
    // item on now): the auction tab turns the menu item on, the Talvex tab leaves it as it is.
    void itemNumber()
    {
        QFETCH(QString, address);
        QFETCH(QString, item);
        QCOMPARE(itemNumberFromAddress(address).value_or(QStringLiteral("-")), item);
        QStringList states;
        for (auto [auctionTab, menuItemOn] : {std::pair{true, false}, {false, false}, {false, true}}) {
            const SnipeCommandState state = snipeCommandState(address, auctionTab, menuItemOn);
            states.append(QString(state.button ? "B" : "-") + (state.menuItem ? "M" : "-"));
        }
        QCOMPARE(states.join(' '), item == "-" ? "-- -- --" : "BM B- BM");
    }

    void loginBody_data()
    {
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("password");
        QTest::addColumn<QByteArray>("body");
        QTest::newRow("blanks are plus; 0-9 *-._ kept") << "jo smith" << " 9*b-c.d_e " << QByteArray("username=jo+smith&temp_password=+9*b-c.d_e+");
        QTest::newRow("UTF-8, line break") << "Jürgen" << "€\r\n" << QByteArray("username=J%C3%BCrgen&temp_password=%E2%82%AC%0D%0A");
        QTest::newRow("empty password") << "jsmith" << "" << QByteArray("username=jsmith&temp_password=");
    }

    // Also what a form parser on the service's side makes of it: exactly the two fields, as typed.
    // (& = + % in a password: the real window's login.)
    void loginBody()
    {
        QFETCH(QString, user);
        QFETCH(QString, password);
        QFETCH(QByteArray, body);
        QCOMPARE(TalvexService::loginBody(user, password), body);
        const QUrlQuery fields(QString::fromLatin1(QByteArray(body).replace('+', "%20")));
        QCOMPARE(fields.queryItems(QUrl::FullyDecoded),
                 (QList<std::pair<QString, QString>>{{"username", user}, {"temp_password", password}}));
    }

    // The login waits for the please-wait page, rewritten whole, and for a password that only the
    // store can give (none here: the login page then, without a post); it is over once its page
    // has loaded. (The post's header: the real window's test; the sign-up page: the welcome screen's.) A page that cannot be written, a stopped load or a pane that is gone does not
    // hold it up, and a pane that never loads is given up on.
    void startupLoginWaits()
    {
        const QString dir = TestEnvironment::programDir();
        writeBytes(dir + "/PleaseWait.html", "an earlier, longer page that must not survive in part\r\n");
        SettingsStore settings(dir);
        settings.SaveSetting("Talvex Bidbench", "Main", "User", "bob");
        const QString pleaseWait = dir + "/PleaseWait.html", login = "http://svc.test/secure/login.cfm";
        const auto logIn = [&](FakeBrowserPane &pane, const QString &folder, const std::function<void()> &meanwhile = {}) {
            TalvexSession session(settings, "svc.test");
            QSignalSpy over(&session, &TalvexSession::loginOver);
            session.LoadTalvexCredentials();
            session.LogIntoTalvex(pane, folder, true);
            if (meanwhile)
                meanwhile();
            const QPointer<FakeBrowserPane> watched(&pane);
            const auto loginAsked = [&] { return watched && watched->requests.value(watched->requests.size() - 1) == login; };
            if (QTest::qWaitFor(loginAsked, 1000))
                watched->finishLoad(login); // the service's answer
            return over.count() == 1 || over.wait(3000);
        };
        FakeBrowserPane pane;
        QVERIFY(logIn(pane, dir, [&] {
            QCOMPARE(readBytes(pleaseWait), QByteArray("<b>Please wait . . .</b>\r\n"));
            QTest::qWait(100); // the store has answered by now: nothing without the page
            QCOMPARE(pane.requests, QStringList{pleaseWait});
            pane.finishLoad(pleaseWait);
            QTRY_COMPARE(pane.requests, (QStringList{pleaseWait, login}));
        }));
        QCOMPARE(pane.posted, QByteArray());

        settings.SaveSetting("Talvex Bidbench", "Main", "Password", "pw"); // as an earlier version kept it
        writeBytes(dir + "/file", "");
        FakeBrowserPane unwritable; // would stay busy for ever if it were sent anywhere and waited for
        QVERIFY(logIn(unwritable, dir + "/file"));
        QCOMPARE(unwritable.requests, QStringList{login});
        QCOMPARE(unwritable.posted, QByteArray("username=bob&temp_password=pw"));

        FakeBrowserPane stopped; // Stop ends a load without any event
        QVERIFY(logIn(stopped, dir, [&] { QTimer::singleShot(50, &stopped, [&] { stopped.Stop(); }); }));
        QCOMPARE(stopped.requests.size(), 2);

        auto *gone = new FakeBrowserPane; // the login is over without it
        QVERIFY(logIn(*gone, dir, [gone] { QTimer::singleShot(30, qApp, [gone] { delete gone; }); }));
        settings.SaveSetting("Talvex Bidbench", "Main", "User", ""); // a password without a user: the login page
        FakeBrowserPane noUser;
        QVERIFY(logIn(noUser, dir + "/file"));
        QCOMPARE(noUser.requests, QStringList{login});
        QCOMPARE(noUser.posted, QByteArray());

        // A pane that never loads is given up on; one that loads long is waited for.
        for (bool loads : {false, true}) {
            FakeBrowserPane waited;
            StartupLogin::PaneLoadWait wait(waited, 300);
            QSignalSpy done(&wait, &StartupLogin::PaneLoadWait::done);
            QTimer::singleShot(loads ? 200 : 400, &waited, [&] { waited.finishLoad("/x/PleaseWait.html"); });
            waited.Navigate("/x/PleaseWait.html");
            waited.busy = loads;
            wait.begin();
            QVERIFY(done.wait(2000));
            QCOMPARE(wait.gaveUp(), !loads);
        }
    }

    void passwordWindowWithARealStore_data()
    {
        QTest::addColumn<QString>("store");
        QTest::addColumn<QString>("seen"); // where the window says it is kept: what it shows -> where Save kept it
        QTest::newRow("running, the password still in the file") << "running" << "file:old -> store";
        QTest::newRow("locked") << "locked" << "store: -> file";
        QTest::newRow("not answering") << "frozen" << "file: -> file";
    }

    // Save puts the password into the store and takes it out of the settings file; a store that
    // refuses it or does not answer leaves it in the file, and holds the window up briefly only.
    void passwordWindowWithARealStore()
    {
        QFETCH(QString, store);
        QFETCH(QString, seen);
        SecretService service;
        QVERIFY(service.isRunning());
        QTemporaryDir folder;
        SettingsStore settings(folder.path());
        settings.SaveSetting("Talvex Bidbench", "Main", "User", "bob");
        if (store == "running")
            settings.SaveSetting("Talvex Bidbench", "Main", "Password", "old");
        else if (store == "locked")
            service.lock();
        else
            service.freeze();
        QProcess child;
        QProcessEnvironment environment = service.environment();
        environment.insert("BIDBENCH_TEST_CHILD", "passwordWindow");
        environment.insert("BIDBENCH_CHILD_FOLDER", folder.path());
        child.setProcessEnvironment(environment);
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        child.start(QCoreApplication::applicationFilePath());
        QVERIFY(child.waitForFinished(60000));
        QCOMPARE(QString::fromUtf8(child.readAllStandardOutput()).trimmed(), seen);
        const bool inStore = seen.endsWith("store");
        QCOMPARE(settings.HasSetting("Talvex Bidbench", "Main", "Password"), !inStore);
        QCOMPARE(settings.GetSetting("Talvex Bidbench", "Main", "Password"), inStore ? QString() : "n3w&pw");
        if (store != "frozen")
            QCOMPARE(service.lookup("bob"), inStore ? "n3w&pw" : QString());
    }

    void floatingToolbar()
    {
        // Topmost, and the focus goes into the box.
        FToolbar toolbar;
        QLineEdit *box = toolbar.itemBox();
        QVERIFY(toolbar.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        toolbar.show();
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget *>(box));
        QStringList seen;
        const auto edit = [&](const std::function<void()> &change) {
            change();
            seen.append(box->text() + (toolbar.snipeAction()->isEnabled() ? ":on" : ":off"));
        };
        for (const char *keys : {"", "0042", "a", "\b", " "}) // "\b": Backspace
            edit([&] { QTest::keyClicks(QApplication::focusWidget(), keys); });
        // Dropped in the middle of the old text, where an ordinary box would insert it; as text
        // or as a link only, the whole address replaces it, undoably, and the source keeps it.
        for (bool asUrl : {false, true}) {
            edit([&] {
                box->setText("123");
                QMimeData data;
                asUrl ? data.setUrls({QUrl("http://x/v?item=3041234567")}) : data.setText("http://x/v?item=3041234567");
                QDragEnterEvent enter(box->rect().center(), Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, {});
                QVERIFY(QApplication::sendEvent(box, &enter) && enter.isAccepted());
                QDropEvent drop(QPointF(box->rect().center()), Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, {});
                QApplication::sendEvent(box, &drop);
                QCOMPARE(drop.dropAction(), Qt::CopyAction);
            });
            edit([&] { box->undo(); });
        }
        QCOMPARE(seen, (QStringList{":off", "0042:on", "0042a:off", "0042:on", "0042 :off",
                                    "http://x/v?item=3041234567:off", "123:on", "http://x/v?item=3041234567:off", "123:on"}));

        // Neither Esc nor Enter ends it.
        QVERIFY(keyToFocus(&toolbar, Qt::Key_Escape));
        QVERIFY(keyToFocus(&toolbar, Qt::Key_Return));
        QVERIFY(toolbar.isVisible() && toolbar.ItemNumber().isEmpty());
    }
};

BIDBENCH_TEST_MAIN(TestSnipe)
#include "tst_snipe.moc"
