#include "AddFavoriteDialog.h"
#include "BrowserHelper.h"
#include "TestFiles.h"
#include "Helpers.h"
#include "ModalAnswer.h"
#include "TestMain.h"

#include <QAbstractButton> // ModalAnswer.h needs it complete
#include "ModalAnswer.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTreeWidget>


namespace {
const QString kUrl = QStringLiteral("https://www.example.com/itm/Bike?var=1,2;x=3");

AddFavoriteDialog *dialogOf(QWidget *modal)
{
    return qobject_cast<AddFavoriteDialog *>(modal);
}

QLineEdit *nameField(QWidget *dialog)
{
    return dialog->findChild<QLineEdit *>("txtName");
}

QTreeWidget *folderTree(QWidget *dialog)
{
    return dialog->findChild<QTreeWidget *>("tvwFolders");
}

void press(QWidget *dialog, const char *button)
{
    dialog->findChild<QPushButton *>(button)->click();
}

QStringList folderOutline(QTreeWidgetItem *item, const QString &prefix = QString())
{
    QStringList lines{prefix + item->text(0)};
    for (int i = 0; i < item->childCount(); ++i)
        lines += folderOutline(item->child(i), prefix + "  ");
    return lines;
}
} // namespace

class TestAddFavorite : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void untitledPageIsTold();
    void writesShortcutWithTitleAsName_data();
    void writesShortcutWithTitleAsName();
    void writesIntoChosenFolder();
    void unsafeNames_data();
    void unsafeNames();
    void replaceIsAskedFirst();
    void failedWriteKeepsDialogOpen();

    void importTellsFailuresOnce_data();
    void importTellsFailuresOnce();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_fav;
};

void TestAddFavorite::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_fav = m_dir->filePath("Favorites");
    QVERIFY(QDir().mkpath(m_fav));
}

void TestAddFavorite::untitledPageIsTold()
{
    BrowserHelper helper(m_fav);
    QString text, title;
    QMessageBox::Icon icon = QMessageBox::Warning;
    QList<QMessageBox::StandardButton> buttons;
    answerNextModal([&](QWidget *modal) {
        auto *box = qobject_cast<QMessageBox *>(modal);
        QVERIFY(box);
        text = box->text();
        title = box->windowTitle();
        icon = box->icon();
        for (QAbstractButton *b : box->buttons())
            buttons.append(box->standardButton(b));
        box->button(QMessageBox::Ok)->click();
    });
    QCOMPARE(helper.AddPage("about:blank", QString(), nullptr), QString());
    QCOMPARE(text, QString("You must navigate to a webpage and be viewing it\r\nto add it to your favorites list."));
    QCOMPARE(title, QString("Talvex Bidbench"));
    QCOMPARE(icon, QMessageBox::NoIcon);
    QCOMPARE(buttons, QList<QMessageBox::StandardButton>{QMessageBox::Ok});
    QCOMPARE(favoritesSnapshot(m_fav), QStringList());
}

void TestAddFavorite::writesShortcutWithTitleAsName_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("name");
    QTest::newRow("title") << "Bike \u2013 Fahrräder | eBay" << "Bike \u2013 Fahrräder | eBay";
    QTest::newRow("no <title>: the address") << "" << "https:--www.example.com-itm-Bike?var=1,2;x=3";
}

void TestAddFavorite::writesShortcutWithTitleAsName()
{
    QFETCH(QString, title);
    QFETCH(QString, name);
    BrowserHelper helper(m_fav);
    QString prefilled;
    answerNextModal([&](QWidget *modal) {
        QVERIFY(dialogOf(modal));
        QCOMPARE(modal->windowTitle(), QString("Add Favorite"));
        prefilled = nameField(modal)->text();
        QCOMPARE(folderTree(modal)->currentItem()->text(0), QString("Favorites"));
        press(modal, "cmdOK");
    });
    const QString path = helper.AddPage(kUrl, title, nullptr);
    QCOMPARE(prefilled, name);
    QCOMPARE(path, m_fav + "/" + name + ".url");
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), "[InternetShortcut]\r\nURL=" + kUrl.toUtf8() + "\r\n");
}

void TestAddFavorite::writesIntoChosenFolder()
{
    QVERIFY(QDir().mkpath(m_fav + "/Auctions/Bikes"));
    QVERIFY(QDir().mkpath(m_fav + "/.hidden"));
    QVERIFY(QDir().mkpath(m_fav + "/Locked"));
    QVERIFY(QFile::setPermissions(m_fav + "/Locked", QFile::ReadOwner | QFile::ExeOwner));
    QVERIFY(QFile::link(m_dir->path(), m_fav + "/Up"));

    BrowserHelper helper(m_fav);
    QStringList shown;
    answerNextModal([&](QWidget *modal) {
        QTreeWidget *tree = folderTree(modal);
        shown = folderOutline(tree->topLevelItem(0));
        tree->setCurrentItem(tree->findItems("Bikes", Qt::MatchExactly | Qt::MatchRecursive).constFirst());
        press(modal, "cmdOK");
    });
    helper.AddFavorite(kUrl, "Road bike", nullptr);
    QFile::setPermissions(m_fav + "/Locked", QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QCOMPARE(shown, (QStringList{"Favorites", "  Auctions", "    Bikes"}));
    QCOMPARE(favoritesSnapshot(m_fav),
             (QStringList{".hidden/", "Auctions/", "Auctions/Bikes/", "Auctions/Bikes/Road bike.url -> " + kUrl,
                          "Locked/", "Up @link"}));
}

void TestAddFavorite::unsafeNames_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("written"); // null: refused with a message

    QTest::newRow("slash") << "News/Sport" << "News-Sport.url";
    QTest::newRow("climbing out") << "../../../etc/passwd" << "-..-..-etc-passwd.url";
    QTest::newRow("too long") << QString(300, 'x') << QString(200, 'x') + ".url";
    QTest::newRow("dot dot") << ".." << QString();
    QTest::newRow("empty") << "" << QString();
}

void TestAddFavorite::unsafeNames()
{
    QFETCH(QString, typed);
    QFETCH(QString, written);

    BrowserHelper helper(m_fav);
    ShownWindows warnings;
    answerNextModal([&](QWidget *modal) {
        nameField(modal)->setText(typed);
        press(modal, "cmdOK");
        if (written.isNull())
            press(modal, "cmdCancel");
    });
    const QString path = helper.AddFavorite(kUrl, "Page", nullptr);
    if (written.isNull()) {
        QCOMPARE(path, QString());
        QCOMPARE(warnings.texts, QStringList{"Please type a name for the favorite."});
        QCOMPARE(favoritesSnapshot(m_dir->path()), QStringList{"Favorites/"});
    } else {
        QCOMPARE(path, m_fav + "/" + written);
        QCOMPARE(favoritesSnapshot(m_dir->path()),
                 (QStringList{"Favorites/", "Favorites/" + written + " -> " + kUrl}));
    }
}

void TestAddFavorite::replaceIsAskedFirst()
{
    writeShortcutFile(m_fav + "/Bike.url", "http://old/");
    BrowserHelper helper(m_fav);
    QStringList questions;
    bool stillOpenAfterNo = false;
    answerNextModal([&](QWidget *modal) {
        // No keeps the old file and the dialog; a second OK, answered Yes, replaces it.
        for (const QMessageBox::StandardButton answer : {QMessageBox::No, QMessageBox::Yes}) {
            ShownWindows recorder(answer);
            press(modal, "cmdOK");
            questions += recorder.texts;
            if (answer == QMessageBox::No) {
                stillOpenAfterNo = modal->isVisible();
                QCOMPARE(favoritesSnapshot(m_fav), QStringList{"Bike.url -> http://old/"});
            }
        }
    });
    const QString path = helper.AddFavorite(kUrl, "Bike", nullptr);
    QVERIFY(stillOpenAfterNo);
    const QString question("A favorite named \"Bike\" already exists in this folder.\nDo you want to replace it?");
    QCOMPARE(questions, (QStringList{question, question}));
    QCOMPARE(path, m_fav + "/Bike.url");
    QCOMPARE(favoritesSnapshot(m_fav), QStringList{"Bike.url -> " + kUrl});
}

void TestAddFavorite::failedWriteKeepsDialogOpen()
{
    writeShortcutFile(m_fav + "/Bike.url", "http://old/");
    const QString longUrl = "http://long.example/" + QString(400, 'x');
    BrowserHelper helper(m_fav);
    ShownWindows recorder(QMessageBox::Yes); // replace; then the failure
    const QStringList &texts = recorder.texts;
    bool openAfterFailure = false;
    answerNextModal([&](QWidget *modal) {
        FileSizeLimit limit(100); // as a full disk would
        press(modal, "cmdOK");
        limit.release();
        openAfterFailure = modal->isVisible();
        press(modal, "cmdCancel");
    });
    QCOMPARE(helper.AddFavorite(longUrl, "Bike", nullptr), QString());
    QVERIFY(openAfterFailure);
    QCOMPARE(texts.size(), 2);
    QVERIFY2(texts.at(1).startsWith("The favorite could not be saved."), qPrintable(texts.at(1)));
    QCOMPARE(favoritesSnapshot(m_fav), QStringList{"Bike.url -> http://old/"});
}

void TestAddFavorite::importTellsFailuresOnce_data()
{
    QTest::addColumn<QByteArray>("content"); // null: no file at all
    QTest::addColumn<QString>("message");    // empty: imported without a word
    QTest::addColumn<QStringList>("written");

    QTest::newRow("bookmarks")
        << QByteArray("<!DOCTYPE NETSCAPE-Bookmark-file-1>\n<DL><p><DT><A HREF=\"http://x/\">x</A></DL>")
        << QString() << QStringList{"x.url -> http://x/"};
    QTest::newRow("not a bookmark file")
        << QByteArray("<html><body>hello</body></html>")
        << "The file \"in.html\" is not a Netscape bookmark file.\nNothing was imported." << QStringList();
    QTest::newRow("missing file") << QByteArray()
        << "The file \"in.html\" could not be read: No such file.\nNothing was imported." << QStringList();
}

void TestAddFavorite::importTellsFailuresOnce()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, message);
    QFETCH(QStringList, written);
    const QString source = m_dir->filePath("in.html");
    if (!content.isNull())
        writeBytes(source, content);

    BrowserHelper helper(m_fav);
    ShownWindows recorder;
    const bool imported = helper.ImportFavorites(source, nullptr);
    QCOMPARE(imported, message.isEmpty());
    QCOMPARE(recorder.texts, message.isEmpty() ? QStringList() : QStringList{message});
    QCOMPARE(recorder.titles, message.isEmpty() ? QStringList() : QStringList{"Talvex Bidbench"});
    QCOMPARE(favoritesSnapshot(m_fav), written);
}

BIDBENCH_TEST_MAIN(TestAddFavorite)
#include "tst_addfavorite.moc"
