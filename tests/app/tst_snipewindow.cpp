#include <QPushButton> // ModalAnswer.h needs it

#include "AppFixture.h"
#include "FPassword.h"
#include "ModalAnswer.h"
#include "TabControl.h"
#include "TestMain.h"
#include "TitleBarClose.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>

// The sniping-service session and the Snipe command in the main window, over fake panes.
class TestSnipeWindow : public QObject
{
    Q_OBJECT

private slots:
    void startupChoosesLoginBySavedAccount_data();
    void startupChoosesLoginBySavedAccount();
    void passwordWindowFromToolsMenu_data();
    void passwordWindowFromToolsMenu();
    void exitAsksForPasswordOnlyWithoutUser_data();
    void exitAsksForPasswordOnlyWithoutUser();
    void snipeStateFollowsAddressAndTabs();
    void snipeCommandEntryPoints_data();
    void snipeCommandEntryPoints();
    void ctrlZSnipesATypedAddress();
    void indicatorFollowsShownPaneAndLabels();

private:
    static void tick(FMain *w) { QMetaObject::invokeMethod(w->timStar, "timeout"); }
    static qint64 shownKey(FMain *w) { return w->picSnipe->pixmap().cacheKey(); }
};

void TestSnipeWindow::startupChoosesLoginBySavedAccount_data()
{
    QTest::addColumn<bool>("hasAccount");
    QTest::addColumn<QString>("storedUser");
    QTest::addColumn<QString>("address");
    QTest::addColumn<QByteArray>("postData");

    QTest::newRow("no account, user stored") << false << "bob" << "http://service.test/secure/signup.cfm"
                                             << QByteArray();
    QTest::newRow("account and user") << true << "bob" << "http://service.test/secure/login.cfm"
                                      << QByteArray("username=bob&temp_password=p%26w+d");
    QTest::newRow("account, no user") << true << "" << "http://service.test/secure/login.cfm" << QByteArray();
}

void TestSnipeWindow::startupChoosesLoginBySavedAccount()
{
    QFETCH(bool, hasAccount);
    QFETCH(QString, storedUser);
    QFETCH(QString, address);
    QFETCH(QByteArray, postData);

    AppFixture f;
    f.store("Main", "User", storedUser);
    f.store("Main", "Password", "p&w d");
    FMain *w = f.start(hasAccount);

    QCOMPARE(w->talvexUser(), storedUser);
    QCOMPARE(w->talvexPassword(), QString("p&w d"));
    const QString page = f.programDir + "/PleaseWait.html";
    QFile file(page);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("<b>Please wait . . .</b>\r\n"));

    const QList<FakeBrowserPane::Request> &sent = f.talvex()->requests;
    QCOMPARE(sent.size(), 2);
    QCOMPARE(sent.at(0).address, page);
    QCOMPARE(sent.at(1).address, address);
    QCOMPARE(sent.at(1).isPost, !postData.isEmpty());
    QCOMPARE(sent.at(1).postData, postData);
    QCOMPARE(sent.at(1).headerLine,
             postData.isEmpty() ? QString() : QString("Content-Type: application/x-www-form-urlencoded"));
    QCOMPARE(w->tabIndex(), FMain::kTalvexTab);
}

void TestSnipeWindow::passwordWindowFromToolsMenu_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("saved");
    QTest::newRow("Save") << "save" << true;
    QTest::newRow("Cancel") << "cancel" << false;
    QTest::newRow("title-bar close") << "close" << false;
}

void TestSnipeWindow::passwordWindowFromToolsMenu()
{
    QFETCH(QString, how);
    QFETCH(bool, saved);
    AppFixture f;
    f.store("Main", "User", "old");
    f.store("Main", "Password", "oldpw");
    FMain *w = f.start();

    QString shownUser;
    answerNextModal([&](QWidget *modal) {
        auto *dialog = qobject_cast<FPassword *>(modal);
        if (!dialog)
            return;
        shownUser = dialog->findChild<QLineEdit *>("txtUser")->text();
        dialog->findChild<QLineEdit *>("txtUser")->setText("new user");
        dialog->findChild<QLineEdit *>("txtPassword")->setText("");
        if (how == "save")
            dialog->findChild<QPushButton *>("cmdSave")->click();
        else if (how == "cancel")
            dialog->findChild<QPushButton *>("cmdCancel")->click();
        else
            dialog->close();
    });
    w->mnuToolsPassword->trigger();

    QCOMPARE(shownUser, QString("old"));
    QCOMPARE(w->talvexUser(), saved ? QString("new user") : QString("old"));
    QCOMPARE(w->talvexPassword(), saved ? QString() : QString("oldpw"));
    QCOMPARE(f.setting("Main", "User"), saved ? QString("new user") : QString("old"));
    QCOMPARE(f.setting("Main", "Password"), saved ? QString() : QString("oldpw"));
    // The login made at start-up is not repeated.
    QCOMPARE(f.talvex()->requests.size(), 2);
}

void TestSnipeWindow::exitAsksForPasswordOnlyWithoutUser_data()
{
    QTest::addColumn<QString>("storedUser");
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<bool>("asked");

    QTest::newRow("File > Exit, no user, saved") << "" << "exit" << "save" << true;
    QTest::newRow("close box, no user, closed") << "" << "close box" << "close" << true;
    QTest::newRow("close box, user stored") << "bob" << "close box" << "" << false;
    // Not the user's close: the program's own, or the session's end.
    QTest::newRow("program's close, no user") << "" << "program" << "" << false;
}

void TestSnipeWindow::exitAsksForPasswordOnlyWithoutUser()
{
    QFETCH(QString, storedUser);
    QFETCH(QString, how);
    QFETCH(QString, answer);
    QFETCH(bool, asked);

    AppFixture f;
    f.store("Main", "User", storedUser);
    FMain *w = f.start();
    QVERIFY(QTest::qWaitForWindowExposed(w));

    bool dialogShown = false;
    // Gives up after about 300 ms, so it cannot answer anything after this test.
    answerNextModal(
        [&](QWidget *modal) {
            auto *dialog = qobject_cast<FPassword *>(modal);
            if (!dialog)
                return;
            dialogShown = true;
            QVERIFY(!f.window->isShuttingDown());
            dialog->findChild<QLineEdit *>("txtUser")->setText("typed at exit");
            if (answer == "save")
                dialog->findChild<QPushButton *>("cmdSave")->click();
            else if (answer == "cancel")
                dialog->findChild<QPushButton *>("cmdCancel")->click();
            else
                dialog->close();
        },
        30);
    if (how == "program") {
        QVERIFY(w->close()); // straight to the unload
        QCOMPARE(f.ended, 1);
        QVERIFY(!dialogShown);
        QTest::qWait(350);
        return;
    }
    if (how == "close box")
        QVERIFY(!closeFromTitleBar(w)); // cancelled; the exit sequence runs instead
    else
        w->mnuFileExit->trigger();

    QCOMPARE(dialogShown, asked);
    // The program ends whatever the answer was.
    QVERIFY(w->isShuttingDown());
    QVERIFY(!w->isEnabled());
    QCOMPARE(f.setting("Main", "User"), answer == "save" ? QString("typed at exit") : storedUser);
    QTest::qWait(350);
}

void TestSnipeWindow::snipeStateFollowsAddressAndTabs()
{
    AppFixture f;
    FMain *w = f.start();
    const auto state = [w] {
        return QString("%1%2").arg(w->tbrSnipeButton->isEnabled() ? "B" : "-", w->mnuNavigateSnipe->isEnabled() ? "M" : "-");
    };
    const QString item = "http://cgi.test/ws/eBayISAPI.dll?ViewItem&item=1234567890";
    const QString itm = "https://www.ebay.com/itm/Some-Title/123456789012?hash=item1c";
    const QString other = "http://www.ebay.com/";
    QCOMPARE(state(), QString("--")); // the start page is no item page

    w->setTabIndex(FMain::kAuctionTab);
    f.auction()->finishLoad(item);
    QCOMPARE(state(), QString("BM"));
    // On the Talvex tab the menu item keeps its state.
    w->setTabIndex(FMain::kTalvexTab);
    QCOMPARE(state(), QString("BM"));
    f.auction()->finishLoad(other);
    QCOMPARE(state(), QString("--"));
    f.auction()->finishLoad(item);
    QCOMPARE(state(), QString("B-"));
    w->setTabIndex(FMain::kAuctionTab);
    QCOMPARE(state(), QString("BM"));
    f.auction()->finishLoad(itm);
    QCOMPARE(state(), QString("BM"));
    f.auction()->finishLoad("http://cgi.test/ws/eBayISAPI.dll?ViewItem&ITEM=1234567890");
    QCOMPARE(state(), QString("--"));
}

void TestSnipeWindow::snipeCommandEntryPoints_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("snipeUrl");
    const QString item = "http://cgi.test/ws/eBayISAPI.dll?ViewItem&item=1234567890&category=12";
    const QString itemUrl = "http://service.test/secure/login.cfm?item_number=1234567890&category=12";
    QTest::newRow("Snipe! button") << "button" << item << itemUrl;
    QTest::newRow("Ctrl+Z in the address box") << "ctrlz-box" << item << itemUrl;
    QTest::newRow("Ctrl+Z in the auction pane") << "ctrlz-pane" << item << itemUrl;
    QTest::newRow("item page path") << "button" << "https://www.ebay.co.uk/itm/Title/123456789012?hash=item1c#x"
                                    << "http://service.test/secure/login.cfm?item_number=123456789012";
    QTest::newRow("key at the end") << "menu" << "http://cgi.test/v?item="
                                    << "http://service.test/secure/login.cfm?item_number=";
}

void TestSnipeWindow::snipeCommandEntryPoints()
{
    QFETCH(QString, entry);
    QFETCH(QString, address);
    QFETCH(QString, snipeUrl);

    AppFixture f;
    FMain *w = f.start();
    QVERIFY(QTest::qWaitForWindowActive(w));
    w->setTabIndex(FMain::kAuctionTab);
    f.auction()->finishLoad(address);
    const int before = int(f.talvex()->requests.size());

    if (entry == "button") {
        w->tbrSnipeButton->trigger();
    } else if (entry == "menu") {
        w->mnuNavigateSnipe->trigger();
    } else if (entry == "ctrlz-box") {
        w->cboAddress->lineEdit()->setFocus();
        QTest::keyClick(w->cboAddress->lineEdit(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(w->cboAddress->currentText(), address);
    } else {
        f.auction()->setFocus();
        QTest::keyClick(f.auction(), Qt::Key_Z, Qt::ControlModifier);
    }

    QCOMPARE(f.talvex()->requests.size(), before + 1);
    const FakeBrowserPane::Request &sent = f.talvex()->requests.last();
    QCOMPARE(sent.address, snipeUrl);
    QVERIFY(!sent.isPost);
    QVERIFY(sent.headerLine.isEmpty());
    QCOMPARE(w->tabIndex(), FMain::kTalvexTab);
    QVERIFY(w->isSnipePaneCurrent());
}

void TestSnipeWindow::ctrlZSnipesATypedAddress()
{
    AppFixture f;
    FMain *w = f.start();
    QVERIFY(QTest::qWaitForWindowActive(w));
    w->setTabIndex(FMain::kAuctionTab);
    f.auction()->finishLoad("http://www.ebay.com/");
    QVERIFY(!w->mnuNavigateSnipe->isEnabled());

    QLineEdit *box = w->cboAddress->lineEdit();
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, "www.ebay.com/itm/987654321098");
    QTest::keyClick(box, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(f.talvex()->requests.last().address,
             QString("http://service.test/secure/login.cfm?item_number=987654321098"));
    QCOMPARE(w->cboAddress->currentText(), QString("www.ebay.com/itm/987654321098"));

    // Text that is no item address keeps Ctrl+Z as the box's own undo.
    w->setTabIndex(FMain::kAuctionTab);
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, "abc");
    const int sent = int(f.talvex()->requests.size());
    QTest::keyClick(box, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(f.talvex()->requests.size(), sent);
    QVERIFY(box->text() != QString("abc"));
}

void TestSnipeWindow::indicatorFollowsShownPaneAndLabels()
{
    AppFixture f;
    FMain *w = f.start();
    const StarFrames &frames = w->starFrames();
    w->timStar->stop(); // ticks come from the test
    QCOMPARE(shownKey(w), frames.large(8).cacheKey());

    // The Talvex tab is shown: its pane decides.
    f.talvex()->busy = true;
    f.auction()->busy = false;
    const int start = w->starFrameCounter();
    tick(w);
    const int first = BusyIndicator::nextCounter(start);
    QCOMPARE(shownKey(w), frames.large(first).cacheKey());

    // Labels off: the small list from the next tick on.
    w->mnuButtonBarStatusViewLabels->trigger();
    QVERIFY(!w->isTextShown());
    w->timStar->stop();
    tick(w);
    const int second = BusyIndicator::nextCounter(first);
    QCOMPARE(shownKey(w), frames.small(second).cacheKey());

    // The auction tab is shown and its pane is idle: the resting picture.
    w->setTabIndex(FMain::kAuctionTab);
    tick(w);
    QCOMPARE(shownKey(w), frames.small(8).cacheKey());
    f.auction()->busy = true;
    tick(w);
    QCOMPARE(w->starFrameCounter(), BusyIndicator::nextCounter(BusyIndicator::nextCounter(second)));
    QCOMPARE(shownKey(w), frames.small(w->starFrameCounter()).cacheKey());
}

BIDBENCH_TEST_MAIN(TestSnipeWindow)
#include "tst_snipewindow.moc"
