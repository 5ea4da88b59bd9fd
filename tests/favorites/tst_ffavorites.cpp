#include "FAddUserID.h"
#include "FFavorites.h"
#include "Helpers.h"
#include "ModalAnswer.h"
#include "ProgramEnd.h"
#include "TestMain.h"

#include "ModalAnswer.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace {
enum class AddAnswer { EnterKey, PasteThenEnter, EscThenAdd, CloseBox };

// Answers the next add dialog: type the text, then leave it as the user would.
void answerAddDialog(const QString &text, AddAnswer how)
{
    answerNextModal([text, how](QWidget *modal) {
        auto *box = modal->findChild<QLineEdit *>("txtUserID");
        if (!qobject_cast<FAddUserID *>(modal) || !box)
            return;
        if (how == AddAnswer::PasteThenEnter)
            box->insert(text); // what a paste or a drop does; it may hold line breaks
        else
            QTest::keyClicks(box, text);
        if (how == AddAnswer::EnterKey || how == AddAnswer::PasteThenEnter) {
            QTest::keyClick(box, Qt::Key_Return);
            if (modal->isVisible()) // refused: leave it
                modal->findChild<QPushButton *>("cmdCancel")->click();
        } else if (how == AddAnswer::CloseBox)
            modal->close();
        else {
            QTest::keyClick(box, Qt::Key_Escape);
            if (modal->isVisible()) // Esc must not have ended it
                modal->findChild<QPushButton *>("cmdAdd")->click();
        }
    });
}

struct Window
{
    Window(const QString &dir, bool sellers) : w(dir)
    {
        w.Initialize(sellers);
        w.show();
    }
    QPushButton *button(const char *name) { return w.findChild<QPushButton *>(name); }
    FFavorites w;
    QListWidget *list = w.findChild<QListWidget *>("lstFavorites");
};
} // namespace

Q_DECLARE_METATYPE(AddAnswer)

class TestFFavorites : public QObject
{
    Q_OBJECT

private slots:
    void showsItsKindSorted_data();
    void showsItsKindSorted();
    void doubleClickChoosesAndUnloadSaves();
    void deleteSelectsNeighbour_data();
    void deleteSelectsNeighbour();
    void addDialog_data();
    void addDialog();
    void closeBoxKeepsAdditions();
    void failedSaveIsToldAndCanBeRetried_data();
    void failedSaveIsToldAndCanBeRetried();
    void unreadableListIsToldAndLocked();
    void programEndSavesOpenList();
};

void TestFFavorites::showsItsKindSorted_data()
{
    QTest::addColumn<bool>("sellers");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QStringList>("shown");
    QTest::newRow("sellers") << true << "Favorite Sellers List" << QStringList{"ann", "Bob", "carl"};
    QTest::newRow("bidders") << false << "Favorite Bidders List" << QStringList{"1st", "Zed", "zoe"};
}

void TestFFavorites::showsItsKindSorted()
{
    QFETCH(bool, sellers);
    QFETCH(QString, caption);
    QFETCH(QStringList, shown);
    const QString dir = TestEnvironment::programDir();
    writeBytes(dir + "/Sellers.txt", "carl\r\nBob\r\nann\r\n");
    writeBytes(dir + "/Bidders.txt", "zoe\r\n1st\r\nZed\r\n");
    Window win(dir, sellers);
    QCOMPARE(win.w.windowTitle(), caption);
    QCOMPARE(rows(win.list), shown);
    QVERIFY(win.list->selectedItems().isEmpty());
    QVERIFY(!win.button("cmdDelete")->isEnabled());
}

void TestFFavorites::doubleClickChoosesAndUnloadSaves()
{
    const QString dir = TestEnvironment::programDir();
    writeBytes(dir + "/Bidders.txt", "ann\nbig spender\nann\n");
    Window win(dir, false);
    clickRow(win.list, "big spender", /*doubleClick=*/true);
    QVERIFY(!win.w.isVisible());
    QCOMPARE(win.w.SelectedUserID(), QStringLiteral("big spender"));
    // Go! only hides; the caller's unload writes the list back.
    QCOMPARE(readBytes(dir + "/Bidders.txt"), QByteArray("ann\nbig spender\nann\n"));
    win.w.Unload();
    QCOMPARE(readBytes(dir + "/Bidders.txt"), QByteArray("ann\r\nbig spender\r\n"));
}

void TestFFavorites::deleteSelectsNeighbour_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("deleted");
    QTest::addColumn<QString>("selected");
    QTest::addColumn<QByteArray>("saved");
    const QByteArray three("carl\r\nann\r\nbob\r\n");
    QTest::newRow("middle: the next moves up") << three << "bob" << "carl" << QByteArray("carl\r\nann\r\n");
    QTest::newRow("last: the row above") << three << "carl" << "bob" << QByteArray("ann\r\nbob\r\n");
    QTest::newRow("only row: none") << QByteArray("ann\r\n") << "ann" << QString() << QByteArray();
}

void TestFFavorites::deleteSelectsNeighbour()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, deleted);
    QFETCH(QString, selected);
    QFETCH(QByteArray, saved);
    const QString dir = TestEnvironment::programDir();
    writeBytes(dir + "/Sellers.txt", file);
    Window win(dir, true);
    clickRow(win.list, deleted);
    QVERIFY(win.button("cmdDelete")->isEnabled());
    win.button("cmdDelete")->click();
    QVERIFY(!rows(win.list).contains(deleted));
    QCOMPARE(selectedText(win.list), selected);
    QCOMPARE(win.button("cmdDelete")->isEnabled(), !selected.isEmpty());
    win.button("cmdClose")->click();
    QVERIFY(!win.w.isVisible());
    QCOMPARE(readBytes(dir + "/Sellers.txt"), saved);
}

void TestFFavorites::addDialog_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<AddAnswer>("how");
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<QByteArray>("saved");
    QTest::addColumn<QString>("told"); // the box a refusal names
    const QByteArray unchanged("carl\r\nann\r\n");
    QTest::newRow("Enter adds, at its sorted place")
        << "Bea" << AddAnswer::EnterKey << QStringList{"ann", "Bea", "carl"} << QByteArray("carl\r\nann\r\nBea\r\n")
        << QString();
    QTest::newRow("Esc does not cancel") << "dora" << AddAnswer::EscThenAdd << QStringList{"ann", "carl", "dora"}
                                         << QByteArray("carl\r\nann\r\ndora\r\n") << QString();
    QTest::newRow("duplicate in other case, silently")
        << "CARL" << AddAnswer::EnterKey << QStringList{"ann", "carl"} << unchanged << QString();
    QTest::newRow("close box") << "dora" << AddAnswer::CloseBox << QStringList{"ann", "carl"} << unchanged << QString();
    QTest::newRow("pasted line break refused")
        << "dora\r\nemil" << AddAnswer::PasteThenEnter << QStringList{"ann", "carl"} << unchanged << "\"User ID:\"";
}

void TestFFavorites::addDialog()
{
    QFETCH(QString, typed);
    QFETCH(AddAnswer, how);
    QFETCH(QStringList, shown);
    QFETCH(QByteArray, saved);
    QFETCH(QString, told);
    const QString dir = TestEnvironment::programDir();
    writeBytes(dir + "/Sellers.txt", "carl\r\nann\r\n");
    Window win(dir, true);
    clickRow(win.list, "carl");
    answerAddDialog(typed, how);
    ShownWindows recorder;
    win.button("cmdAdd")->click();
    QCOMPARE(recorder.texts.size(), told.isEmpty() ? 0 : 1);
    QVERIFY(told.isEmpty() || recorder.texts.first().contains(told));
    QCOMPARE(rows(win.list), shown);
    QCOMPARE(selectedText(win.list), QStringLiteral("carl")); // the selection stays on its row
    win.w.Unload();
    QCOMPARE(readBytes(dir + "/Sellers.txt"), saved);
}

void TestFFavorites::closeBoxKeepsAdditions()
{
    const QString dir = TestEnvironment::programDir(); // no list file yet
    Window win(dir, true);
    QTest::keyClick(&win.w, Qt::Key_Escape); // no cancel button: Esc closes nothing
    QVERIFY(win.w.isVisible());
    answerAddDialog("dora", AddAnswer::EnterKey);
    win.button("cmdAdd")->click();
    win.w.close();
    QVERIFY(!win.w.isVisible());
    QCOMPARE(win.w.SelectedUserID(), QString());
    QCOMPARE(readBytes(dir + "/Sellers.txt"), QByteArray("dora\r\n"));
    // The caller's unload after the close box writes nothing more.
    writeBytes(dir + "/Sellers.txt", "changed meanwhile\r\n");
    win.w.Unload();
    QCOMPARE(readBytes(dir + "/Sellers.txt"), QByteArray("changed meanwhile\r\n"));
}

void TestFFavorites::failedSaveIsToldAndCanBeRetried_data()
{
    QTest::addColumn<bool>("fullDisk"); // else the file's place is taken by a folder
    QTest::addColumn<bool>("retry");
    QTest::newRow("full disk, Cancel keeps the old file") << true << false;
    QTest::newRow("folder in the way, reason told, Retry") << false << true;
}

void TestFFavorites::failedSaveIsToldAndCanBeRetried()
{
    QFETCH(bool, fullDisk);
    QFETCH(bool, retry);
    const QString dir = TestEnvironment::programDir();
    const QString path = dir + "/Sellers.txt";
    QByteArray old;
    for (int i = 0; i < 20; ++i)
        old += "seller-" + QByteArray::number(i) + "\n";
    writeBytes(path, old);

    Window win(dir, true);
    FileSizeLimit limit(fullDisk ? 64 : 1 << 30);
    if (!fullDisk) {
        QFile::remove(path);
        QDir(dir).mkdir("Sellers.txt");
    }
    QStringList texts;
    answerNextModal([&](QWidget *modal) {
        auto *box = qobject_cast<QMessageBox *>(modal);
        QVERIFY(box);
        texts.append(box->text());
        limit.release();
        QDir(dir).rmdir("Sellers.txt");
        box->button(retry ? QMessageBox::Retry : QMessageBox::Cancel)->click();
    });
    win.button("cmdClose")->click();
    limit.release();

    QCOMPARE(texts.size(), 1);
    QVERIFY2(texts.first().contains(QDir::toNativeSeparators(path)), qPrintable(texts.first()));
    QVERIFY2(fullDisk || texts.first().contains("directory"), qPrintable(texts.first()));
    QVERIFY(!win.w.isVisible());
    QCOMPARE(readBytes(path), retry ? QByteArray(old).replace("\n", "\r\n") : old);
}

void TestFFavorites::unreadableListIsToldAndLocked()
{
    const QString dir = TestEnvironment::programDir();
    QVERIFY(QDir(dir).mkpath("Bidders.txt/inside"));
    ShownWindows recorder;
    {
        Window win(dir, false);
        const QLabel *why = win.w.findChild<QLabel *>("lblReadFailed");
        QVERIFY(why && why->isVisible() && why->text().contains(QDir::toNativeSeparators(dir + "/Bidders.txt")));
        QCOMPARE(win.list->count(), 0);
        // Nothing can be added that the close would then drop.
        QVERIFY(!win.button("cmdAdd")->isEnabled() && !win.button("cmdDelete")->isEnabled());
        win.button("cmdClose")->click();
    }
    // No attempt to write over it, so no failure message either.
    QCOMPARE(recorder.texts, QStringList());
    QVERIFY(QFileInfo(dir + "/Bidders.txt/inside").isDir());
}

void TestFFavorites::programEndSavesOpenList()
{
    const QString dir = TestEnvironment::programDir();
    writeBytes(dir + "/Bidders.txt", "ann\r\nbob\r\n");
    Window win(dir, false);
    clickRow(win.list, "bob");
    win.button("cmdDelete")->click();
    // What an accepted update announces before it ends the program.
    emit ProgramEnd::instance().savingBeforeEnd();
    QCOMPARE(readBytes(dir + "/Bidders.txt"), QByteArray("ann\r\n"));
    QVERIFY(!win.w.isVisible());
}

BIDBENCH_TEST_MAIN(TestFFavorites)
#include "tst_ffavorites.moc"
