#include <QPushButton> // ModalAnswer.h needs it

#include "FPassword.h"
#include "ModalAnswer.h"
#include "SettingsStore.h"
#include "TalvexCredentials.h"
#include "TestMain.h"

#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QTemporaryDir>

class TestFPassword : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void looksAndKeyboard();
    void saveStoresExactlyAsTyped_data();
    void saveStoresExactlyAsTyped();
    void leavingWithoutSaveChangesNothing_data();
    void leavingWithoutSaveChangesNothing();
    void modalShowingEndsOnCancel();
    void failedSaveIsToldAndKept();

private:
    static QLineEdit *edit(FPassword &w, const char *name) { return w.findChild<QLineEdit *>(name); }
    static QPushButton *button(FPassword &w, const char *name) { return w.findChild<QPushButton *>(name); }
    static void type(QLineEdit *box, const QString &text)
    {
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Delete);
        QTest::keyClicks(box, text);
    }

    std::unique_ptr<QTemporaryDir> m_root;
    std::unique_ptr<SettingsStore> m_store;
};

void TestFPassword::init()
{
    m_root = std::make_unique<QTemporaryDir>();
    m_store = std::make_unique<SettingsStore>(m_root->path() + QStringLiteral("/settings"));
}

void TestFPassword::looksAndKeyboard()
{
    FPassword w(*m_store);
    w.SetCredentials(QStringLiteral("bob"), QStringLiteral("pw"));
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));

    QCOMPARE(w.windowTitle(), QStringLiteral("Save your Talvex Password"));
    QCOMPARE(w.findChild<QLabel *>("lblSavePassword")->text(),
             QStringLiteral("If you wish, you may save your Talvex username and password so you do not "
                            "have to log into the service every time you start Bidbench."));
    QCOMPARE(w.findChild<QLabel *>("lblName")->text(), QStringLiteral("&User Name:"));
    QCOMPARE(w.findChild<QLabel *>("lblPassword")->text(), QStringLiteral("&Password:"));
    QCOMPARE(button(w, "cmdSave")->text(), QStringLiteral("&Save"));
    QCOMPARE(button(w, "cmdCancel")->text(), QStringLiteral("&Cancel"));
    QVERIFY(button(w, "cmdSave")->isDefault());

    QLineEdit *user = edit(w, "txtUser");
    QLineEdit *password = edit(w, "txtPassword");
    QCOMPARE(user->text(), QStringLiteral("bob"));
    QCOMPARE(password->text(), QStringLiteral("pw"));
    QCOMPARE(password->echoMode(), QLineEdit::Password);
    QCOMPARE(password->style()->styleHint(QStyle::SH_LineEdit_PasswordCharacter, nullptr, password),
             int('*'));

    // Focus starts in the user name and follows the stated order.
    QCOMPARE(QApplication::focusWidget(), user);
    const QList<QWidget *> order{password, button(w, "cmdSave"), button(w, "cmdCancel"), user};
    for (QWidget *next : order) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), next);
    }
    // The labels' access keys reach their boxes.
    QTest::keyClick(&w, Qt::Key_P, Qt::AltModifier);
    QCOMPARE(QApplication::focusWidget(), password);
    QTest::keyClick(&w, Qt::Key_U, Qt::AltModifier);
    QCOMPARE(QApplication::focusWidget(), user);
}

void TestFPassword::saveStoresExactlyAsTyped_data()
{
    QTest::addColumn<QString>("user");
    QTest::addColumn<QString>("password");
    QTest::addColumn<bool>("byEnter");
    QTest::newRow("plain, by click") << "jsmith" << "secret" << false;
    QTest::newRow("plain, by Enter") << "jsmith" << "secret" << true;
    QTest::newRow("blanks and symbols kept") << " j smith " << "a&b=c%d+e;f" << false;
    QTest::newRow("both empty") << "" << "" << false;
    QTest::newRow("empty password") << "jsmith" << "" << true;
}

void TestFPassword::saveStoresExactlyAsTyped()
{
    QFETCH(QString, user);
    QFETCH(QString, password);
    QFETCH(bool, byEnter);
    TalvexCredentials{QStringLiteral("old user"), QStringLiteral("old pw")}.save(*m_store);

    FPassword w(*m_store);
    w.SetCredentials(QStringLiteral("old user"), QStringLiteral("old pw"));
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    type(edit(w, "txtUser"), user);
    type(edit(w, "txtPassword"), password);
    if (byEnter)
        QTest::keyClick(edit(w, "txtPassword"), Qt::Key_Return);
    else
        QTest::mouseClick(button(w, "cmdSave"), Qt::LeftButton);

    QVERIFY(w.isHidden());
    QCOMPARE(w.result(), int(QDialog::Accepted));
    QVERIFY(!w.Cancelled());
    QCOMPARE(w.User(), user);
    QCOMPARE(w.Password(), password);
    const TalvexCredentials stored = TalvexCredentials::load(*m_store);
    QCOMPARE(stored.user, user);
    QCOMPARE(stored.password, password);
    // An empty value is stored as an empty value, not dropped.
    QCOMPARE(m_store->GetSetting("Talvex Bidbench", "Main", "User").isNull(), false);
}

void TestFPassword::leavingWithoutSaveChangesNothing_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("Cancel button") << "cancel";
    QTest::newRow("title-bar close") << "close";
    QTest::newRow("Escape") << "escape";
    QTest::newRow("Alt+C") << "altc";
}

void TestFPassword::leavingWithoutSaveChangesNothing()
{
    QFETCH(QString, how);
    TalvexCredentials{QStringLiteral("stored"), QStringLiteral("kept")}.save(*m_store);
    const QByteArray before = [&] {
        QFile f(m_store->fileFor("Talvex Bidbench"));
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }();

    FPassword w(*m_store);
    w.SetCredentials(QStringLiteral("stored"), QStringLiteral("kept"));
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    type(edit(w, "txtUser"), QStringLiteral("changed"));
    type(edit(w, "txtPassword"), QStringLiteral("changed too"));
    if (how == "cancel")
        QTest::mouseClick(button(w, "cmdCancel"), Qt::LeftButton);
    else if (how == "close")
        QVERIFY(w.close());
    else if (how == "escape")
        QTest::keyClick(edit(w, "txtUser"), Qt::Key_Escape);
    else
        QTest::keyClick(&w, Qt::Key_C, Qt::AltModifier); // clicks the button a moment later

    QTRY_VERIFY(w.isHidden());
    QVERIFY(w.Cancelled());
    QCOMPARE(w.User(), QString());
    QCOMPARE(w.Password(), QString());
    QFile f(m_store->fileFor("Talvex Bidbench"));
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), before);
}

void TestFPassword::modalShowingEndsOnCancel()
{
    FPassword w(*m_store);
    QString focusedBox;
    answerNextModal([&](QWidget *modal) {
        focusedBox = QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
        modal->findChild<QPushButton *>("cmdCancel")->click();
    });
    w.exec();
    QCOMPARE(focusedBox, QStringLiteral("txtUser"));
    QVERIFY(w.Cancelled());
}

void TestFPassword::failedSaveIsToldAndKept()
{
    // A settings root that is a file cannot hold the settings folder.
    const QString blocked = m_root->path() + QStringLiteral("/blocked");
    QFile file(blocked);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    SettingsStore store(blocked);

    FPassword w(store);
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    type(edit(w, "txtUser"), QStringLiteral("bob"));
    type(edit(w, "txtPassword"), QStringLiteral("pw"));
    QString told;
    answerNextMessageBox(QMessageBox::Ok, &told);
    QTest::mouseClick(button(w, "cmdSave"), Qt::LeftButton);

    QVERIFY(told.contains(QStringLiteral("could not be saved")));
    QVERIFY(w.isHidden());
    QVERIFY(!w.Cancelled());
    QCOMPARE(w.User(), QStringLiteral("bob"));
    QCOMPARE(w.Password(), QStringLiteral("pw"));
}

BIDBENCH_TEST_MAIN(TestFPassword)
#include "tst_fpassword.moc"
