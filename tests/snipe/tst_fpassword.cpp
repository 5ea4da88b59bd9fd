#include <QPushButton> // ModalAnswer.h needs it

#include "FPassword.h"
#include "ModalAnswer.h"
#include "SettingsStore.h"
#include "TalvexCredentials.h"
#include "TestMain.h"

#include <QLineEdit>
#include <QStyle>
#include <QTemporaryDir>

class TestFPassword : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void looksAndTabOrder();
    void leaving_data();
    void leaving();
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

void TestFPassword::looksAndTabOrder()
{
    FPassword w(*m_store);
    w.SetCredentials(QStringLiteral("bob"), QStringLiteral("pw"));
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));

    QCOMPARE(w.windowTitle(), QStringLiteral("Save your Talvex Password"));
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
}

void TestFPassword::leaving_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("user");
    QTest::addColumn<QString>("password");
    QTest::newRow("Save: blanks and symbols kept") << "click" << " j smith " << "a&b=c%d+e;f";
    QTest::newRow("Save: both empty") << "click" << "" << "";
    QTest::newRow("Save by Enter: empty password") << "enter" << "jsmith" << "";
    QTest::newRow("Cancel button") << "cancel" << "changed" << "changed too";
    QTest::newRow("title-bar close") << "close" << "changed" << "changed too";
    QTest::newRow("Escape") << "escape" << "changed" << "changed too";
}

// Save stores exactly what was typed; any other way out leaves settings and memory alone.
void TestFPassword::leaving()
{
    QFETCH(QString, how);
    QFETCH(QString, user);
    QFETCH(QString, password);
    TalvexCredentials{QStringLiteral("old user"), QStringLiteral("old pw")}.save(*m_store);
    QFile file(m_store->fileFor("Talvex Bidbench"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray before = file.readAll();
    file.close();

    FPassword w(*m_store);
    w.SetCredentials(QStringLiteral("old user"), QStringLiteral("old pw"));
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    type(edit(w, "txtUser"), user);
    type(edit(w, "txtPassword"), password);
    if (how == "click")
        QTest::mouseClick(button(w, "cmdSave"), Qt::LeftButton);
    else if (how == "enter")
        QTest::keyClick(edit(w, "txtPassword"), Qt::Key_Return);
    else if (how == "cancel")
        QTest::mouseClick(button(w, "cmdCancel"), Qt::LeftButton);
    else if (how == "close")
        QVERIFY(w.close());
    else
        QTest::keyClick(edit(w, "txtUser"), Qt::Key_Escape);

    QVERIFY(w.isHidden());
    const bool saved = how == "click" || how == "enter";
    QCOMPARE(w.Cancelled(), !saved);
    QCOMPARE(w.User(), saved ? user : QString());
    QCOMPARE(w.Password(), saved ? password : QString());
    if (saved) {
        const TalvexCredentials stored = TalvexCredentials::load(*m_store);
        QCOMPARE(stored.user, user);
        QCOMPARE(stored.password, password);
        // An empty value is stored as an empty value, not dropped.
        QVERIFY(!m_store->GetSetting("Talvex Bidbench", "Main", "User").isNull());
    } else {
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), before);
    }
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
