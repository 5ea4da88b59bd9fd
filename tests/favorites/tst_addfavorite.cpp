#include "AddFavoriteDialog.h"
#include "BrowserHelper.h"
#include "FavoritesTestTools.h"
#include "TestMain.h"

#include <QAbstractButton> // ModalAnswer.h needs it complete
#include "ModalAnswer.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTreeWidget>

#include <csignal>
#include <sys/resource.h>

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
// Answers the next message boxes in turn, one button each, and keeps their texts. Other modal
// windows (the dialog under test) are left alone, unlike answerNextModal.
void answerMessageBoxes(QList<QMessageBox::StandardButton> buttons, QStringList *texts,
                        int attemptsLeft = 300)
{
    QTimer::singleShot(10, qApp, [buttons, texts, attemptsLeft]() mutable {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box || !box->isVisible()) {
            if (attemptsLeft > 0)
                answerMessageBoxes(buttons, texts, attemptsLeft - 1);
            return;
        }
        texts->append(box->text());
        const QMessageBox::StandardButton button = buttons.takeFirst();
        if (QAbstractButton *b = box->button(button))
            b->click();
        else
            box->done(button);
        if (!buttons.isEmpty())
            answerMessageBoxes(buttons, texts);
    });
}
} // namespace

class TestAddFavorite : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void untitledPageIsTold();
    void writesShortcutWithTitleAsName();
    void writesIntoChosenFolder();
    void newFolderIsMadeAndChosen();
    void unsafeNames_data();
    void unsafeNames();
    void replaceIsAskedFirst();
    void linkLeadingOutsideIsRefused();
    void cancelWritesNothing();
    void failedWriteKeepsDialogOpen();

    void importDialogOffersHtmlFiles();
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

void TestAddFavorite::writesShortcutWithTitleAsName()
{
    BrowserHelper helper(m_fav);
    QString prefilled;
    answerNextModal([&](QWidget *modal) {
        QVERIFY(dialogOf(modal));
        QCOMPARE(modal->windowTitle(), QString("Add Favorite"));
        prefilled = nameField(modal)->text();
        QCOMPARE(folderTree(modal)->currentItem()->text(0), QString("Favorites"));
        press(modal, "cmdOK");
    });
    const QString path = helper.AddPage(kUrl, "Bike \u2013 Fahrräder | eBay", nullptr);
    QCOMPARE(prefilled, QString("Bike \u2013 Fahrräder | eBay"));
    QCOMPARE(path, m_fav + "/Bike \u2013 Fahrräder | eBay.url");
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

void TestAddFavorite::newFolderIsMadeAndChosen()
{
    QVERIFY(QDir().mkpath(m_fav + "/Auctions"));
    BrowserHelper helper(m_fav);
    answerNextModal([&](QWidget *modal) {
        QTreeWidget *tree = folderTree(modal);
        tree->setCurrentItem(tree->findItems("Auctions", Qt::MatchExactly | Qt::MatchRecursive).constFirst());
        answerNextModal([modal](QWidget *ask) {
            auto *input = qobject_cast<QInputDialog *>(ask);
            QVERIFY(input);
            QCOMPARE(input->textValue(), QString("New Folder"));
            input->setTextValue("../Hot/Deals");
            input->accept();
            // Back in the add dialog: the new folder is the chosen one.
            QTimer::singleShot(0, modal, [modal] {
                QCOMPARE(folderTree(modal)->currentItem()->text(0), QString("-Hot-Deals"));
                press(modal, "cmdOK");
            });
        });
        press(modal, "cmdNewFolder");
    });
    helper.AddFavorite(kUrl, "Bike", nullptr);
    QCOMPARE(favoritesSnapshot(m_dir->path()),
             (QStringList{"Favorites/", "Favorites/Auctions/", "Favorites/Auctions/-Hot-Deals/",
                          "Favorites/Auctions/-Hot-Deals/Bike.url -> " + kUrl}));
}

void TestAddFavorite::unsafeNames_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("written"); // null: refused with a message

    QTest::newRow("slash") << "News/Sport" << "News-Sport.url";
    QTest::newRow("climbing out") << "../../../etc/passwd" << "-..-..-etc-passwd.url";
    QTest::newRow("control characters") << "Tab\tNew\nLine\x01" << "Tab New Line.url";
    QTest::newRow("nul") << QString("a") + QChar(0) + "b" << "a b.url";
    QTest::newRow("too long") << QString(300, 'x') << QString(200, 'x') + ".url";
    QTest::newRow("dot dot") << ".." << QString();
    QTest::newRow("empty") << "" << QString();
    QTest::newRow("blanks only") << "   " << QString();
}

void TestAddFavorite::unsafeNames()
{
    QFETCH(QString, typed);
    QFETCH(QString, written);

    BrowserHelper helper(m_fav);
    QStringList warnings;
    answerNextModal([&](QWidget *modal) {
        nameField(modal)->setText(typed);
        if (written.isNull())
            answerMessageBoxes({QMessageBox::Ok}, &warnings);
        press(modal, "cmdOK");
        if (written.isNull())
            press(modal, "cmdCancel");
    });
    const QString path = helper.AddFavorite(kUrl, "Page", nullptr);
    if (written.isNull()) {
        QCOMPARE(path, QString());
        QCOMPARE(warnings, QStringList{"Please type a name for the favorite."});
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
        answerMessageBoxes({QMessageBox::No}, &questions);
        press(modal, "cmdOK");
        // No keeps the old file and the dialog; a second OK, answered Yes, replaces it.
        stillOpenAfterNo = modal->isVisible();
        QCOMPARE(favoritesSnapshot(m_fav), QStringList{"Bike.url -> http://old/"});
        answerMessageBoxes({QMessageBox::Yes}, &questions);
        press(modal, "cmdOK");
    });
    const QString path = helper.AddFavorite(kUrl, "Bike", nullptr);
    QVERIFY(stillOpenAfterNo);
    const QString question("A favorite named \"Bike\" already exists in this folder.\nDo you want to replace it?");
    QCOMPARE(questions, (QStringList{question, question}));
    QCOMPARE(path, m_fav + "/Bike.url");
    QCOMPARE(favoritesSnapshot(m_fav), QStringList{"Bike.url -> " + kUrl});
}

void TestAddFavorite::linkLeadingOutsideIsRefused()
{
    writeFile(m_dir->filePath("outside.txt"), "keep");
    QVERIFY(QFile::link(m_dir->filePath("outside.txt"), m_fav + "/Bike.url"));
    BrowserHelper helper(m_fav);
    QStringList warnings;
    answerNextModal([&](QWidget *modal) {
        answerMessageBoxes({QMessageBox::Ok}, &warnings);
        press(modal, "cmdOK");
        press(modal, "cmdCancel");
    });
    QCOMPARE(helper.AddFavorite(kUrl, "Bike", nullptr), QString());
    QCOMPARE(warnings, QStringList{"The favorite can only be saved inside the Favorites folder."});
    QCOMPARE(favoritesSnapshot(m_dir->path()),
             (QStringList{"Favorites/", "Favorites/Bike.url @link", "outside.txt = keep"}));
}

void TestAddFavorite::cancelWritesNothing()
{
    AddFavoriteDialog dialog(m_fav);
    dialog.setUp(kUrl, "Bike");
    answerNextModal([](QWidget *modal) { press(modal, "cmdCancel"); });
    dialog.exec();
    QVERIFY(dialog.Cancelled());
    QCOMPARE(dialog.SavedPath(), QString());
    answerNextModal([](QWidget *modal) { modal->close(); });
    dialog.exec();
    QVERIFY(dialog.Cancelled());
    QCOMPARE(favoritesSnapshot(m_fav), QStringList());
}

void TestAddFavorite::failedWriteKeepsDialogOpen()
{
    writeShortcutFile(m_fav + "/Bike.url", "http://old/");
    const QString longUrl = "http://long.example/" + QString(400, 'x');
    BrowserHelper helper(m_fav);
    QStringList texts;
    bool openAfterFailure = false;
    answerNextModal([&](QWidget *modal) {
        answerMessageBoxes({QMessageBox::Yes, QMessageBox::Ok}, &texts); // replace; the failure
        // A file-size limit makes the write fail, as a full disk would, for root too.
        struct rlimit saved;
        getrlimit(RLIMIT_FSIZE, &saved);
        struct rlimit tiny = saved;
        tiny.rlim_cur = 100;
        auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        setrlimit(RLIMIT_FSIZE, &tiny);
        press(modal, "cmdOK");
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, previousHandler);
        openAfterFailure = modal->isVisible();
        press(modal, "cmdCancel");
    });
    QCOMPARE(helper.AddFavorite(longUrl, "Bike", nullptr), QString());
    QVERIFY(openAfterFailure);
    QCOMPARE(texts.size(), 2);
    QVERIFY2(texts.at(1).startsWith("The favorite could not be saved."), qPrintable(texts.at(1)));
    QCOMPARE(favoritesSnapshot(m_fav), QStringList{"Bike.url -> http://old/"});
}

void TestAddFavorite::importDialogOffersHtmlFiles()
{
    const QString home = QDir::homePath();
    for (const char *name : {"bookmarks.html", "OLD.HTM", "Mixed.Html", "page.htm", "notes.txt", "htm"})
        writeFile(home + "/" + name, "x");

    QStringList listed;
    QString title;
    answerNextModal([&](QWidget *modal) {
        auto *dialog = qobject_cast<QFileDialog *>(modal);
        QVERIFY(dialog);
        title = dialog->windowTitle();
        auto *view = dialog->findChild<QListView *>("listView");
        const auto listing = [&] {
            QStringList names;
            const QAbstractItemModel *model = view->model();
            for (int row = 0; row < model->rowCount(view->rootIndex()); ++row) {
                const QString name = model->index(row, 0, view->rootIndex()).data().toString();
                if (!QFileInfo(home + "/" + name).isDir())
                    names.append(name);
            }
            return names;
        };
        if (view) {
            (void)QTest::qWaitFor([&] { return listing().size() >= 4; }, 3000);
            QTest::qWait(50); // let the model finish
            listed = listing();
        }
        // Typed as the user would; selectFile() does not reach the name field offscreen.
        if (auto *edit = dialog->findChild<QLineEdit *>("fileNameEdit"))
            edit->setText("Mixed.Html");
        static_cast<QDialog *>(dialog)->accept();
    });
    QFileDialog dialog;
    const QString chosen = BrowserHelper::chooseBookmarkFile(dialog);
    listed.sort();
    QCOMPARE(title, QString("Import Netscape Bookmarks to Favorites"));
    QCOMPARE(listed, (QStringList{"Mixed.Html", "OLD.HTM", "bookmarks.html", "page.htm"}));
    QCOMPARE(chosen, home + "/Mixed.Html");

    answerNextModal([](QWidget *modal) { qobject_cast<QDialog *>(modal)->reject(); });
    QCOMPARE(BrowserHelper::chooseBookmarkFile(dialog), QString());
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
    QTest::newRow("empty file") << QByteArray("")
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
        writeFile(source, content);

    BrowserHelper helper(m_fav);
    int boxes = 0;
    QString text;
    // Answers every modal window that shows, for as long as this test runs.
    QTimer watcher;
    watcher.setInterval(10);
    connect(&watcher, &QTimer::timeout, this, [&] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible())
            return;
        ++boxes;
        if (auto *box = qobject_cast<QMessageBox *>(modal)) {
            text = box->text();
            QCOMPARE(box->windowTitle(), QString("Talvex Bidbench"));
        }
        modal->close();
    });
    watcher.start();
    const bool imported = helper.ImportFavorites(source, nullptr);
    QTest::qWait(100);
    watcher.stop();
    QCOMPARE(imported, message.isEmpty());
    QCOMPARE(boxes, message.isEmpty() ? 0 : 1);
    QCOMPARE(text, message);
    QCOMPARE(favoritesSnapshot(m_fav), written);
}

BIDBENCH_TEST_MAIN(TestAddFavorite)
#include "tst_addfavorite.moc"
