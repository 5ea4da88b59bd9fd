#include "AddFavoriteDialog.h"
#include "BookmarkImporter.h"
#include "BrowserHelper.h"
#include "FIEFavorites.h"
#include "ModalAnswer.h"
#include "ProgramIdentity.h"
#include "TestFiles.h"
#include "TestMain.h"

#include <optional>

namespace {
using List = QStringList;
const QString kUrl = QStringLiteral("https://www.example.com/itm/Bike?var=1,2;x=3");

// Makes entries below root from lines written as favoritesSnapshot() prints them: "Dir/" a
// folder, "Dir/Name.url -> address" a shortcut, "Name = text" another file, "Name @link target"
// a symbolic link, and "Dir/ read-only" a folder that loses its write permission last.
void makeEntries(const QString &root, const List &lines)
{
    List readOnly;
    for (const QString &line : lines) {
        const QString path = root + '/' + line.section(QRegularExpression(" (->|=|@link|read-only)( |$)"), 0, 0);
        if (line.contains(" -> ")) {
            writeShortcutFile(path, line.section(" -> ", 1));
        } else if (line.contains(" = ")) {
            writeBytes(path, line.section(" = ", 1).toUtf8());
        } else if (line.contains(" @link ")) {
            QDir().mkpath(QFileInfo(path).path());
            QFile::link(line.section(" @link ", 1), path);
        } else {
            QDir().mkpath(path);
            if (line.endsWith(" read-only"))
                readOnly.append(path);
        }
    }
    for (const QString &folder : std::as_const(readOnly))
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
}

// Every node as "key text image/selected image" (the folder's path shown as "~"), and for a
// node with children the kinds in their order, "key = FFss" (F a folder, s a shortcut).
// Sorted: siblings of one kind come in the file system's order.
List describe(const QTreeWidgetItem *node, const QString &folder)
{
    const QString key = node->data(0, FIEFavorites::KeyRole).toString().replace(folder, "~");
    List lines{QStringLiteral("%1 %2 %3/%4").arg(key, node->text(0)).arg(node->data(0, FIEFavorites::ImageRole).toInt())
                   .arg(node->data(0, FIEFavorites::SelectedImageRole).toInt())};
    QString kinds;
    for (int i = 0; i < node->childCount(); ++i) {
        kinds += node->child(i)->data(0, FIEFavorites::KeyRole).toString().endsWith('/') ? 'F' : 's';
        lines += describe(node->child(i), folder);
    }
    if (!kinds.isEmpty())
        lines.append(key + " = " + kinds);
    lines.sort();
    return lines;
}

struct AddCase
{
    QString url = kUrl, title, typed; // typed: null keeps the suggested name
    List entries;                     // in the Favorites folder before
    QString folder;                   // chosen in the dialog; empty: the root
    List offered = {"Favorites"};     // the dialog's folders
    QMessageBox::StandardButton answer = QMessageBox::Yes;
    bool fullDisk = false;            // while OK is pressed
    List told, written;               // told: part of "title: text" of each message
};
} // namespace

Q_DECLARE_METATYPE(AddCase)

// The browser favourites on disk: the tree window, adding the shown page, importing bookmarks.
class TestFavoritesFolder : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_fav = m_dir->filePath("Favorites");
        QVERIFY(QDir().mkpath(m_fav));
    }

    // Read-only folders get their write permission back, so that they can be removed.
    void cleanup()
    {
        QDirIterator it(m_dir->path(), QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
        while (it.hasNext())
            QFile::setPermissions(it.next(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    void tree_data()
    {
        QTest::addColumn<List>("entries"); // every shortcut opens "x"
        QTest::addColumn<List>("nodes");
        QTest::newRow("shortcut names; folders first at the top, shortcuts first inside; keys unique")
            << List{"Auction.url -> x", "CAPS.URL -> x", "myurl -> x", "xurl -> x", ".secret.url -> x", "notes.txt = x",
                    "Dup.url -> x", "Dup/Dup.url -> x", "Dup/DupXurl -> x", "Dup/Old/", "folder.url/"}
            << List{"IE Favorites 3/3", "IE = FFssssss", "~/Auction.url Auction 4/4", "~/CAPS.URL CAPS 4/4", "~/myurl m 4/4",
                    "~/xurl  4/4", "~/.secret.url .secret 4/4", "~/Dup.url Dup 4/4", "~/Dup/ Dup 1/2", "~/Dup/ = ssF",
                    "~/Dup/Dup.url Dup 4/4", "~/Dup/DupXurl Dup 4/4", "~/Dup/Old/ Old 1/2", "~/folder.url/ folder.url 1/2"};
        QTest::newRow("read-only, hidden and linked folders left out; loops end")
            << List{"Locked/in.url -> x", "Locked/ read-only", ".Hidden/in.url -> x", "Open/Shut/in.url -> x",
                    "Open/Shut/ read-only", "../elsewhere/in.url -> x", "Linked @link ../elsewhere", "Open/B/deep.url -> x",
                    "Open/B/top @link ../..", "Open/self @link .", "Open/B/loop1 @link loop2", "Open/B/loop2 @link loop1"}
            << List{"IE Favorites 3/3", "IE = F", "~/Open/ Open 1/2", "~/Open/ = F", "~/Open/B/ B 1/2", "~/Open/B/ = s",
                    "~/Open/B/deep.url deep 4/4"};
    }

    // (A shortcut chosen, by the mouse: the main window's browser favourite row.)
    void tree()
    {
        QFETCH(List, entries);
        QFETCH(List, nodes);
        makeEntries(m_fav, entries);
        FIEFavorites window(m_fav);
        QVERIFY(!window.TreeFilled());
        window.show();
        QTRY_VERIFY(window.TreeFilled());
        QTreeWidget *tree = window.tree();
        QVERIFY(tree->topLevelItemCount() == 1 && tree->topLevelItem(0)->isExpanded());
        nodes.sort();
        QCOMPARE(describe(tree->topLevelItem(0), m_fav), nodes);
    }

    void closingWhileFillingEndsTheShowing()
    {
        for (int i = 0; i < 20; ++i)
            writeShortcutFile(m_fav + QString("/F%1/s.url").arg(i), "http://x/");
        FIEFavorites window(m_fav);
        // A click on a shortcut as soon as the first folder is in, while the walk goes on.
        bool clicked = false;
        connect(window.tree()->model(), &QAbstractItemModel::rowsInserted, &window, [&] {
            if (!std::exchange(clicked, true))
                QTimer::singleShot(0, &window, [&window] {
                    QTreeWidgetItem *node = window.tree()->topLevelItem(0)->child(0)->child(0);
                    window.tree()->scrollToItem(node);
                    QTest::mouseClick(window.tree()->viewport(), Qt::LeftButton, {}, window.tree()->visualItemRect(node).center());
                });
        });
        // Should the showing never end, end it once more so that the test fails instead of hanging.
        bool stuck = false;
        QTimer::singleShot(3000, &window, [&] { stuck = true; window.show(); window.reject(); });
        QCOMPARE(window.exec(), int(QDialog::Accepted));
        QVERIFY(!stuck);
        QCOMPARE(window.URL(), QString("http://x/"));
        QVERIFY(window.tree()->topLevelItem(0)->childCount() < 20); // the walk stopped
    }

    void addPage_data()
    {
        QTest::addColumn<AddCase>("c");
        const QString question("\"Bike\" already exists");
        QTest::newRow("the title suggested") << AddCase{.title = "Bike \u2013 Fahrräder | eBay",
            .written = {"Bike \u2013 Fahrräder | eBay.url -> " + kUrl}};
        QTest::newRow("no <title>: the address") << AddCase{.written = {"https:--www.example.com-itm-Bike?var=1,2;x=3.url -> " + kUrl}};
        QTest::newRow("nothing shown: told, no dialog") << AddCase{.url = "about:blank", .offered = {}, .told = {ProgramIdentity::title()
            + ": You must navigate to a webpage and be viewing it\r\nto add it to your favorites list."}};
        QTest::newRow("no name left: asked for one") << AddCase{.typed = "..", .told = {"Please type a name"}};
        QTest::newRow("plain folders offered, the chosen one used") << AddCase{.title = "Page", .entries = {"Auctions/Bikes/",
            ".hidden/", "Locked/ read-only", "Up @link .."}, .folder = "Bikes", .offered = {"Favorites", "Auctions", "Bikes"},
            .written = {".hidden/", "Auctions/", "Auctions/Bikes/", "Auctions/Bikes/Page.url -> " + kUrl, "Locked/", "Up @link"}};
        const List old{"Bike.url -> http://old/"};
        QTest::newRow("replacing asked: No") << AddCase{.title = "Bike", .entries = old, .answer = QMessageBox::No,
            .told = {question}, .written = old};
        QTest::newRow("replacing asked: Yes") << AddCase{.title = "Bike", .entries = old, .told = {question},
            .written = {"Bike.url -> " + kUrl}};
        QTest::newRow("failed write: told, the old one kept") << AddCase{.title = "Bike", .entries = old, .fullDisk = true,
            .told = {question, "could not be saved"}, .written = old};
    }

    // A refused name, a No or a failed write leave the dialog open; the test then cancels it.
    void addPage()
    {
        QFETCH(AddCase, c);
        makeEntries(m_fav, c.entries);
        ShownWindows shown(c.answer);
        List seen;
        if (!c.offered.isEmpty()) { // a page to add brings up the dialog
            answerNextModal<AddFavoriteDialog>([&](AddFavoriteDialog *dialog) {
                auto *tree = dialog->findChild<QTreeWidget *>("tvwFolders");
                for (QTreeWidgetItemIterator it(tree); *it; ++it)
                    seen.append((*it)->text(0));
                if (!c.typed.isNull())
                    dialog->findChild<QLineEdit *>("txtName")->setText(c.typed);
                if (!c.folder.isEmpty())
                    tree->setCurrentItem(tree->findItems(c.folder, Qt::MatchExactly | Qt::MatchRecursive).value(0));
                std::optional<FileSizeLimit> limit;
                if (c.fullDisk)
                    limit.emplace(40);
                dialog->findChild<QPushButton *>("cmdOK")->click();
                limit.reset();
                if (dialog->isVisible())
                    dialog->findChild<QPushButton *>("cmdCancel")->click();
            });
        }
        const QString path = BrowserHelper(m_fav).AddPage(c.url, c.title, nullptr);
        QCOMPARE(seen, c.offered);
        QCOMPARE(shown.texts.size(), c.told.size());
        for (int i = 0; i < c.told.size(); ++i)
            QVERIFY2(QString(shown.titles[i] + ": " + shown.texts[i]).contains(c.told[i]), qPrintable(shown.texts[i]));
        QCOMPARE(favoritesSnapshot(m_fav), c.written);
        QCOMPARE(path.isEmpty(), !c.written.join(u'\n').contains(kUrl)); // the file written, if any
    }

    // Each case in data/ is a bookmark file (none: it is missing), the Favorites folder after the
    // import (or "told: " and part of the one message, the folder left as it was), and what the
    // folder held before, if anything.
    void importsExactlyOnce_data()
    {
        QTest::addColumn<QString>("source");
        const QDir data(QFINDTESTDATA("data"));
        for (const QString &expected : data.entryList({"*.expected"}))
            QTest::newRow(qPrintable(expected)) << data.filePath(QFileInfo(expected).completeBaseName());
    }

    // A second import of the same file finds everything in place and adds nothing. In "fulldisk"
    // no file may outgrow 200 bytes, as on a full disk: a failed import leaves nothing behind.
    void importsExactlyOnce()
    {
        QFETCH(QString, source);
        makeEntries(m_fav, QString::fromUtf8(readBytes(source + ".before")).split(u'\n', Qt::SkipEmptyParts));
        const List before = favoritesSnapshot(m_fav);
        const List expected = QString::fromUtf8(readBytes(source + ".expected")).split(u'\n', Qt::SkipEmptyParts);
        const bool told = expected.value(0).startsWith("told: ");
        for (int round = 0; round < 2; ++round) {
            ShownWindows shown;
            std::optional<FileSizeLimit> fullDisk;
            if (source.endsWith("fulldisk"))
                fullDisk.emplace(200);
            const bool imported = BrowserHelper(m_fav).ImportFavorites(source + ".html", nullptr);
            fullDisk.reset();
            QCOMPARE(imported, !told);
            QCOMPARE(shown.titles, told ? List{ProgramIdentity::title()} : List());
            QVERIFY(!told || (shown.texts[0].contains(expected[0].mid(6)) && shown.texts[0].size() < 400));
            QCOMPARE(favoritesSnapshot(m_fav), told ? before : expected);
        }
    }

    // Files made here, too large to keep, each imported in a few seconds (ctest's time-out guards
    // against a hang): nesting is cut at a depth of 100.
    void hostileFilesImport_data()
    {
        QTest::addColumn<QByteArray>("body"); // empty: a sparse file of 64 MiB and one byte
        QTest::addColumn<QString>("found");   // in the Favorites folder or the message
        const QByteArray list = "<!DOCTYPE NETSCAPE-Bookmark-file-1><DL><p>";
        QTest::newRow("200,000 nested folders")
            << list + QByteArray("<DT><H3>d</H3><DL><p>").repeated(200000) + "<DT><A HREF=http://deep/>deep</A>"
            << QString("d/").repeated(100) + "deep.url -> http://deep/";
        QTest::newRow("a million & in a title")
            << list + "<DT><A HREF=http://amp/>" + QByteArray(1000000, '&') << QString(200, '&') + ".url -> http://amp/";
        QByteArray sameName = list;
        for (int i = 0; i < 20000; ++i)
            sameName += "<DT><A HREF=http://x/" + QByteArray::number(i) + ">x</A>";
        QTest::newRow("20,000 links of one name") << sameName << "x (20000).url -> http://x/19999";
        QTest::newRow("over 64 MiB") << QByteArray() << "\"hostile.html\" is larger than 64 MiB";
    }

    void hostileFilesImport()
    {
        QFETCH(QByteArray, body);
        QFETCH(QString, found);
        const QString file = m_dir->filePath("hostile.html");
        writeBytes(file, body);
        if (body.isEmpty())
            QVERIFY(QFile::resize(file, (64 << 20) + 1));
        ShownWindows shown;
        BrowserHelper(m_fav).ImportFavorites(file, nullptr);
        // A whole entry of the folder, or part of the message.
        const QStringList entries = favoritesSnapshot(m_fav);
        QVERIFY2(entries.contains(found) || shown.texts.join('\n').contains(found), qPrintable(entries.join('\n').left(1000)));
    }

    void cancelUndoesTheImport_data()
    {
        QTest::addColumn<QString>("when");
        QTest::newRow("Cancel between two slices of writing") << "writing";
        QTest::newRow("Cancel while the file is read") << "reading";
        QTest::newRow("the program ends mid-import") << "end";
    }

    // Cancel, from the event loop, and the end of the program remove all the import made.
    void cancelUndoesTheImport()
    {
        QFETCH(QString, when);
        QByteArray body = "<!DOCTYPE NETSCAPE-Bookmark-file-1><DL><p><DT><H3>f</H3><DL><p>";
        for (int i = 0; i < 20000; ++i)
            body += QByteArray("<DT><A HREF=http://x/%1>%1</A>").replace("%1", QByteArray::number(i));
        const QString file = m_dir->filePath("many.html");
        writeBytes(file, body);
        BookmarkImporter importer(m_fav);
        int writtenBeforeCancel = 0;
        std::optional<BookmarkImporter::Outcome> outcome;
        connect(&importer, &BookmarkImporter::progress, this, [&](int written) {
            if (written > 0 && !std::exchange(writtenBeforeCancel, written))
                QTimer::singleShot(0, &importer, &BookmarkImporter::cancel);
        });
        connect(&importer, &BookmarkImporter::finished, this, [&](const auto &result) { outcome = result.outcome; });
        if (when == "end") {
            QTimer end; // as the program's end leaves every event loop, once the first folder is written
            end.callOnTimeout(this, [&] {
                if (QFileInfo(m_fav + "/f").isDir() && !std::exchange(writtenBeforeCancel, 1))
                    QCoreApplication::exit(0);
            });
            end.start(1);
            QVERIFY(!BrowserHelper(m_fav).ImportFavorites(file, nullptr));
        } else {
            importer.start(file);
            if (when == "reading")
                importer.cancel();
            QTRY_VERIFY_WITH_TIMEOUT(outcome.has_value(), 120000);
            QCOMPARE(*outcome, BookmarkImporter::Outcome::Cancelled);
        }
        QCOMPARE(writtenBeforeCancel > 0, when != "reading");
        QCOMPARE(favoritesSnapshot(m_fav), List());
        if (when != "writing")
            return;

        // One import at a time: another asked for while the first reads its file does nothing.
        ShownWindows shown;
        BrowserHelper helper(m_fav);
        bool second = true;
        QTimer::singleShot(0, this, [&] { second = helper.ImportFavorites(file, nullptr); });
        QVERIFY(helper.ImportFavorites(file, nullptr) && !second);
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_fav;
};

BIDBENCH_TEST_MAIN(TestFavoritesFolder)
#include "tst_favoritesfolder.moc"
