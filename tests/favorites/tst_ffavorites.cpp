#include "FAddUserID.h"
#include "FFavorites.h"
#include "FileHelpers.h"
#include "MessageBoxRecorder.h"
#include <QAbstractButton> // ModalAnswer.h uses it without including it
#include "ModalAnswer.h"
#include "TestMain.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace {
QStringList rows(const QListWidget *list)
{
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts.append(list->item(i)->text());
    return texts;
}

QString selectedText(const QListWidget *list)
{
    const auto selected = list->selectedItems();
    return selected.isEmpty() ? QString() : selected.first()->text();
}

void selectRow(QListWidget *list, const QString &text)
{
    const auto found = list->findItems(text, Qt::MatchExactly);
    QVERIFY2(found.size() == 1, qPrintable(text));
    const QRect rect = list->visualItemRect(found.first());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
    QCOMPARE(selectedText(list), text);
}

// How the user answers the add dialog.
enum class AddAnswer { AddButton, EnterKey, CancelButton, CloseBox, EscThenAdd };

void answerAddDialog(const QString &text, AddAnswer how)
{
    answerNextModal([text, how](QWidget *modal) {
        auto *dialog = qobject_cast<FAddUserID *>(modal);
        if (!dialog)
            return;
        auto *box = dialog->findChild<QLineEdit *>("txtUserID");
        QTest::keyClicks(box, text);
        switch (how) {
        case AddAnswer::AddButton:
            dialog->findChild<QPushButton *>("cmdAdd")->click();
            break;
        case AddAnswer::EnterKey:
            QTest::keyClick(box, Qt::Key_Return);
            break;
        case AddAnswer::CancelButton:
            dialog->findChild<QPushButton *>("cmdCancel")->click();
            break;
        case AddAnswer::CloseBox:
            dialog->close();
            break;
        case AddAnswer::EscThenAdd:
            QTest::keyClick(box, Qt::Key_Escape);
            if (dialog->isVisible()) // Esc must not have ended it
                dialog->findChild<QPushButton *>("cmdAdd")->click();
            break;
        }
    });
}

class Window
{
public:
    Window(const QString &dir, bool sellers) : w(dir)
    {
        w.Initialize(sellers);
        w.show();
        list = w.findChild<QListWidget *>("lstFavorites");
        go = w.findChild<QPushButton *>("cmdGetInfo");
        add = w.findChild<QPushButton *>("cmdAdd");
        del = w.findChild<QPushButton *>("cmdDelete");
        close = w.findChild<QPushButton *>("cmdClose");
    }
    FFavorites w;
    QListWidget *list;
    QPushButton *go, *add, *del, *close;
};
} // namespace

Q_DECLARE_METATYPE(AddAnswer)

class TestFFavorites : public QObject
{
    Q_OBJECT

private slots:
    void showsItsKindSorted_data();
    void showsItsKindSorted();
    void chosenUserIsReturnedAndListSaved_data();
    void chosenUserIsReturnedAndListSaved();
    void goWithoutSelectionReturnsNothing();
    void deleteSelectsNeighbour_data();
    void deleteSelectsNeighbour();
    void addDialogAnswers_data();
    void addDialogAnswers();
    void duplicateInOtherCaseChangesNothing();
    void addedRowKeepsSelection();
    void everyWayOutSaves_data();
    void everyWayOutSaves();
    void failedSaveIsToldAndCanBeRetried_data();
    void failedSaveIsToldAndCanBeRetried();
    void unreadableListIsToldAndNeverOverwritten();
};

void TestFFavorites::showsItsKindSorted_data()
{
    QTest::addColumn<bool>("sellers");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QStringList>("shown");
    QTest::newRow("sellers") << true << QStringLiteral("Favorite Sellers List")
                             << QStringList{"ann", "Bob", "carl", "Carla"};
    QTest::newRow("bidders") << false << QStringLiteral("Favorite Bidders List")
                             << QStringList{"1st", "_x", "Zed", "zoe"};
}

void TestFFavorites::showsItsKindSorted()
{
    QFETCH(bool, sellers);
    QFETCH(QString, caption);
    QFETCH(QStringList, shown);
    const QString dir = TestEnvironment::programDir();
    writeBytesRaw(dir + "/Sellers.txt", "carl\r\nCarla\r\nBob\r\nann\r\n");
    writeBytesRaw(dir + "/Bidders.txt", "zoe\r\n1st\r\nZed\r\n_x\r\n");

    Window win(dir, sellers);
    QCOMPARE(win.w.windowTitle(), caption);
    QCOMPARE(rows(win.list), shown);
    QVERIFY(win.list->selectedItems().isEmpty());
    QVERIFY(!win.del->isEnabled());
    QVERIFY(win.go->isDefault());
}

void TestFFavorites::chosenUserIsReturnedAndListSaved_data()
{
    QTest::addColumn<int>("way");
    QTest::newRow("Go! button") << 0;
    QTest::newRow("double-click") << 1;
    QTest::newRow("Enter in the list") << 2;
}

void TestFFavorites::chosenUserIsReturnedAndListSaved()
{
    QFETCH(int, way);
    const QString dir = TestEnvironment::programDir();
    writeBytesRaw(dir + "/Bidders.txt", "ann\nbig spender\nann\n");

    Window win(dir, false);
    selectRow(win.list, "big spender");
    QVERIFY(win.del->isEnabled());
    if (way == 0) {
        win.go->click();
    } else if (way == 1) {
        const QRect rect = win.list->visualItemRect(win.list->selectedItems().first());
        QTest::mouseDClick(win.list->viewport(), Qt::LeftButton, {}, rect.center());
    } else {
        win.list->setFocus();
        QTest::keyClick(win.list, Qt::Key_Return);
    }
    QVERIFY(!win.w.isVisible());
    QCOMPARE(win.w.result(), int(QDialog::Accepted));
    QCOMPARE(win.w.SelectedUserID(), QStringLiteral("big spender"));

    // Go! only hides; the caller's unload writes the list back (here: CR LF, duplicate gone).
    QCOMPARE(readBytes(dir + "/Bidders.txt"), QByteArray("ann\nbig spender\nann\n"));
    win.w.Unload();
    QCOMPARE(readBytes(dir + "/Bidders.txt"), QByteArray("ann\r\nbig spender\r\n"));
    QCOMPARE(win.w.SelectedUserID(), QStringLiteral("big spender"));
}

void TestFFavorites::goWithoutSelectionReturnsNothing()
{
    const QString dir = TestEnvironment::programDir();
    writeBytesRaw(dir + "/Sellers.txt", "ann\r\n");
    Window win(dir, true);
    win.list->setFocus(); // the list may get a current row on focus, but no selection
    win.go->click();
    QVERIFY(!win.w.isVisible());
    QCOMPARE(win.w.SelectedUserID(), QString());
}

void TestFFavorites::deleteSelectsNeighbour_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("deleted");
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<QString>("selected");
    QTest::addColumn<QByteArray>("saved");

    const QByteArray three("carl\r\nann\r\nbob\r\n");
    QTest::newRow("middle row: next moves up") << three << "bob" << QStringList{"ann", "carl"}
                                               << "carl" << QByteArray("carl\r\nann\r\n");
    QTest::newRow("first row") << three << "ann" << QStringList{"bob", "carl"} << "bob"
                               << QByteArray("carl\r\nbob\r\n");
    QTest::newRow("last row: row above") << three << "carl" << QStringList{"ann", "bob"} << "bob"
                                         << QByteArray("ann\r\nbob\r\n");
    QTest::newRow("only row: nothing left") << QByteArray("ann\r\n") << "ann" << QStringList()
                                            << QString() << QByteArray();
}

void TestFFavorites::deleteSelectsNeighbour()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, deleted);
    QFETCH(QStringList, shown);
    QFETCH(QString, selected);
    QFETCH(QByteArray, saved);
    const QString dir = TestEnvironment::programDir();
    writeBytesRaw(dir + "/Sellers.txt", file);

    Window win(dir, true);
    selectRow(win.list, deleted);
    win.del->click();
    QCOMPARE(rows(win.list), shown);
    QCOMPARE(selectedText(win.list), selected);
    QCOMPARE(win.del->isEnabled(), !selected.isEmpty());

    win.close->click();
    QVERIFY(!win.w.isVisible());
    QCOMPARE(readBytes(dir + "/Sellers.txt"), saved);
}

void TestFFavorites::addDialogAnswers_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<AddAnswer>("how");
    QTest::addColumn<QStringList>("shown");

    QTest::newRow("Add button") << "dora" << AddAnswer::AddButton << QStringList{"ann", "dora"};
    QTest::newRow("Enter adds") << "Dora" << AddAnswer::EnterKey << QStringList{"ann", "Dora"};
    QTest::newRow("typed as it stands") << " big spender " << AddAnswer::AddButton
                                        << QStringList{" big spender ", "ann"};
    QTest::newRow("Esc does not cancel") << "dora" << AddAnswer::EscThenAdd << QStringList{"ann", "dora"};
    QTest::newRow("Cancel") << "dora" << AddAnswer::CancelButton << QStringList{"ann"};
    QTest::newRow("close box") << "dora" << AddAnswer::CloseBox << QStringList{"ann"};
    QTest::newRow("empty text ignored") << "" << AddAnswer::AddButton << QStringList{"ann"};
}

void TestFFavorites::addDialogAnswers()
{
    QFETCH(QString, typed);
    QFETCH(AddAnswer, how);
    QFETCH(QStringList, shown);
    const QString dir = TestEnvironment::programDir();
    writeBytesRaw(dir + "/Sellers.txt", "ann\r\n");

    Window win(dir, true);
    answerAddDialog(typed, how);
    win.add->click();
    QCOMPARE(rows(win.list), shown);
    QVERIFY(win.w.isVisible());
}

void TestFFavorites::duplicateInOtherCaseChangesNothing()
{
    const QString dir = TestEnvironment::programDir();
    writeBytesRaw(dir + "/Bidders.txt", "bob\r\nann\r\n");
    Window win(dir, false);
    answerAddDialog("BOB", AddAnswer::AddButton);
    win.add->click();
    QCOMPARE(rows(win.list), (QStringList{"ann", "bob"}));
    win.w.Unload();
    QCOMPARE(readBytes(dir + "/Bidders.txt"), QByteArray("bob\r\nann\r\n"));
}

void TestFFavorites::addedRowKeepsSelection()
{
    const QString dir = TestEnvironment::programDir();
    writeBytesRaw(dir + "/Sellers.txt", "carl\r\nann\r\n");
    Window win(dir, true);
    selectRow(win.list, "carl");
    answerAddDialog("Bea", AddAnswer::AddButton);
    win.add->click();
    QCOMPARE(rows(win.list), (QStringList{"ann", "Bea", "carl"}));
    QCOMPARE(selectedText(win.list), QStringLiteral("carl"));
    // Deleting now removes carl, not the row that was at carl's old index.
    win.del->click();
    QCOMPARE(rows(win.list), (QStringList{"ann", "Bea"}));
    win.w.Unload();
    QCOMPARE(readBytes(dir + "/Sellers.txt"), QByteArray("ann\r\nBea\r\n"));
}

void TestFFavorites::everyWayOutSaves_data()
{
    QTest::addColumn<int>("way");
    QTest::addColumn<bool>("fileBefore");
    QTest::newRow("close box") << 0 << true;
    QTest::newRow("Close button") << 1 << true;
    QTest::newRow("caller's unload") << 2 << true;
    QTest::newRow("close box, no file yet") << 0 << false;
}

void TestFFavorites::everyWayOutSaves()
{
    QFETCH(int, way);
    QFETCH(bool, fileBefore);
    const QString dir = TestEnvironment::programDir();
    if (fileBefore)
        writeBytesRaw(dir + "/Sellers.txt", "ann\r\n");
    const QByteArray expected = fileBefore ? QByteArray("ann\r\ndora\r\n") : QByteArray("dora\r\n");

    Window win(dir, true);
    QTest::keyClick(&win.w, Qt::Key_Escape); // no cancel button: Esc closes nothing
    QVERIFY(win.w.isVisible());
    answerAddDialog("dora", AddAnswer::AddButton);
    win.add->click();
    if (way == 0)
        win.w.close();
    else if (way == 1)
        win.close->click();
    else
        win.w.Unload();
    QVERIFY(!win.w.isVisible());
    QCOMPARE(win.w.SelectedUserID(), QString());
    QCOMPARE(readBytes(dir + "/Sellers.txt"), expected);

    // A second unload (the caller's, after Close) writes nothing new.
    writeBytesRaw(dir + "/Sellers.txt", "changed meanwhile\r\n");
    win.w.Unload();
    QCOMPARE(readBytes(dir + "/Sellers.txt"), QByteArray("changed meanwhile\r\n"));
}

void TestFFavorites::failedSaveIsToldAndCanBeRetried_data()
{
    QTest::addColumn<bool>("fullDisk"); // else the file's place is taken by a folder
    QTest::addColumn<bool>("retry");
    QTest::newRow("full disk, Cancel keeps the old file") << true << false;
    QTest::newRow("full disk, Retry once there is room") << true << true;
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
    writeBytesRaw(path, old);

    Window win(dir, true);
    FileSizeLimit limit(fullDisk ? 64 : 1 << 30);
    if (!fullDisk) {
        QFile::remove(path);
        QDir(dir).mkdir("Sellers.txt");
    }
    QString text;
    int boxes = 0;
    answerNextModal([&](QWidget *modal) {
        auto *box = qobject_cast<QMessageBox *>(modal);
        QVERIFY(box);
        ++boxes;
        text = box->text();
        limit.release();
        QDir(dir).rmdir("Sellers.txt");
        box->button(retry ? QMessageBox::Retry : QMessageBox::Cancel)->click();
    });
    win.close->click();
    limit.release();

    QCOMPARE(boxes, 1);
    QVERIFY2(text.contains(QDir::toNativeSeparators(path)), qPrintable(text));
    if (!fullDisk)
        QVERIFY2(text.contains("directory"), qPrintable(text));
    QVERIFY(!win.w.isVisible());
    QCOMPARE(readBytes(path), retry ? QByteArray(old).replace("\n", "\r\n") : old);
}

void TestFFavorites::unreadableListIsToldAndNeverOverwritten()
{
    const QString dir = TestEnvironment::programDir();
    QVERIFY(QDir(dir).mkpath("Bidders.txt/inside"));
    MessageBoxRecorder recorder;
    {
        Window win(dir, false);
        QTRY_COMPARE(recorder.texts.size(), 1);
        QVERIFY(recorder.texts.first().contains(QDir::toNativeSeparators(dir + "/Bidders.txt")));
        QVERIFY(win.w.isVisible());
        QCOMPARE(win.list->count(), 0);
        win.close->click();
        QVERIFY(!win.w.isVisible());
    }
    // No attempt to write over it, so no failure message either.
    QCOMPARE(recorder.texts.size(), 1);
    QVERIFY(QFileInfo(dir + "/Bidders.txt/inside").isDir());
}

BIDBENCH_TEST_MAIN(TestFFavorites)
#include "tst_ffavorites.moc"
