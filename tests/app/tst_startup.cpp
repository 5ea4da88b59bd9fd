#include "AppFixture.h"
#include "FStart.h"
#include "SubMain.h"
#include "TestMain.h"

#include <QCheckBox>
#include <QPushButton>
#include <QTimer>

// Sub Main: whether the welcome screen shows, what its answer does, and the main window after it.
class TestStartup : public QObject
{
    Q_OBJECT

private slots:
    void startScreenSetting_data();
    void startScreenSetting();
    void welcomeOutcomes_data();
    void welcomeOutcomes();
};

namespace {
enum class Answer { Yes, No, Close };

// Answers the welcome screen when it shows and records that it did. Stops with the test.
class WelcomeAnswer : public QObject
{
public:
    WelcomeAnswer(Answer answer, bool tick)
    {
        auto *poll = new QTimer(this);
        connect(poll, &QTimer::timeout, this, [this, poll, answer, tick] {
            auto *welcome = qobject_cast<FStart *>(QApplication::activeModalWidget());
            if (!welcome)
                return;
            poll->stop();
            shown = true;
            welcome->chkHasAccount->setChecked(tick);
            switch (answer) {
            case Answer::Yes: welcome->cmdYes->click(); break;
            case Answer::No: welcome->Command1->click(); break;
            case Answer::Close: welcome->close(); break;
            }
        });
        poll->start(5);
    }
    bool shown = false;
};
} // namespace

void TestStartup::startScreenSetting_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("welcomeShown");
    QTest::newRow("missing") << QString() << true;
    QTest::newRow("lower case n") << "n" << true;
    QTest::newRow("N with a blank") << "N " << true;
    QTest::newRow("N") << "N" << false;
}

void TestStartup::startScreenSetting()
{
    QFETCH(QString, stored);
    QFETCH(bool, welcomeShown);
    AppFixture f;
    if (!stored.isNull())
        f.store("Settings", "StartScreen", stored);
    WelcomeAnswer welcome(Answer::No, false);
    std::unique_ptr<FMain> w = SubMain(f.context());
    QCOMPARE(welcome.shown, welcomeShown);
    // Shown and answered No: no account. Not shown: the user has one.
    QCOMPARE(w->isHasAccount(), !welcomeShown);
    QVERIFY(w->isVisible());
}

void TestStartup::welcomeOutcomes_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("tick");
    QTest::addColumn<bool>("hasAccount");
    QTest::addColumn<QString>("stored");
    QTest::newRow("Yes") << int(Answer::Yes) << false << true << "";
    QTest::newRow("No") << int(Answer::No) << false << false << "";
    QTest::newRow("title-bar close") << int(Answer::Close) << false << false << "";
    QTest::newRow("Yes, ticked") << int(Answer::Yes) << true << true << "N";
    QTest::newRow("No, ticked") << int(Answer::No) << true << false << "N";
    QTest::newRow("close, ticked") << int(Answer::Close) << true << false << "N";
}

void TestStartup::welcomeOutcomes()
{
    QFETCH(int, answer);
    QFETCH(bool, tick);
    QFETCH(bool, hasAccount);
    QFETCH(QString, stored);
    AppFixture f;
    WelcomeAnswer welcome(Answer(answer), tick);
    std::unique_ptr<FMain> w = SubMain(f.context());
    QVERIFY(welcome.shown);
    QVERIFY(w->isVisible());
    QCOMPARE(w->isHasAccount(), hasAccount);
    QCOMPARE(f.setting("Settings", "StartScreen"), stored);
    // First start: site 1 on the Talvex tab, button captions on.
    QCOMPARE(w->checkedSite(), 1);
    QCOMPARE(w->tabIndex(), FMain::kTalvexTab);
    QCOMPARE(w->tbrNavigateButton(7)->text(), QString("Toolbar"));

    // Ticked: the next start skips the screen and counts as having an account.
    if (tick) {
        w.reset();
        AppContext next = f.context();
        WelcomeAnswer again(Answer::No, false);
        std::unique_ptr<FMain> second = SubMain(next);
        QVERIFY(!again.shown);
        QVERIFY(second->isHasAccount());
    }
}

BIDBENCH_TEST_MAIN(TestStartup)
#include "tst_startup.moc"
