#include "FIEFavorites.h"
#include "FavoritesTestTools.h"
#include <QAbstractButton> // ModalAnswer.h needs it complete
#include "ModalAnswer.h"
#include "TestMain.h"

#include <QSet>
#include <QTemporaryDir>
#include <QTreeWidget>

namespace {
struct Node
{
    QString key;
    QString text;
    int image = 0;
    int selectedImage = 0;
};

Node nodeOf(const QTreeWidgetItem *item)
{
    return {item->data(0, FIEFavorites::KeyRole).toString(), item->text(0),
            item->data(0, FIEFavorites::ImageRole).toInt(),
            item->data(0, FIEFavorites::SelectedImageRole).toInt()};
}

QStringList childTexts(const QTreeWidgetItem *item)
{
    QStringList texts;
    for (int i = 0; i < item->childCount(); ++i)
        texts.append(item->child(i)->text(0));
    return texts;
}

bool isFolderNode(const QTreeWidgetItem *item)
{
    return item->data(0, FIEFavorites::KeyRole).toString().endsWith('/');
}

// Every node as "parent text > text", depth first.
QStringList outline(const QTreeWidgetItem *item, const QString &prefix = QString())
{
    QStringList lines{prefix + item->text(0)};
    for (int i = 0; i < item->childCount(); ++i)
        lines += outline(item->child(i), prefix + item->text(0) + " > ");
    return lines;
}

QTreeWidgetItem *findByText(QTreeWidget *tree, const QString &text)
{
    const auto found = tree->findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
    return found.isEmpty() ? nullptr : found.constFirst();
}

void clickNode(QTreeWidget *tree, QTreeWidgetItem *item)
{
    tree->scrollToItem(item);
    const QRect rect = tree->visualItemRect(item);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, rect.center());
}
} // namespace

class TestIEFavorites : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void emptyFolderShowsExpandedRoot();
    void missingFolderShowsOnlyRoot();
    void shortcutNames_data();
    void shortcutNames();
    void keysTextsAndImages();
    void foldersFirstAtTopShortcutsFirstInside();
    void readOnlyHiddenAndLinkedFoldersSkipped();
    void symlinkLoopEnds();
    void keysAreUnique();
    void eventsRunWhileFilling();
    void closingStopsTheWalk();
    void closingWhileFillingEndsTheShowing();

    void clickOnShortcutChoosesIt();
    void clickOnFolderOrRootDoesNothing();
    void shortcutWithoutUrlChoosesNothing();
    void longAddressComesWhole();
    void closingChoosesNothing();
    void enterKeyOpensToo();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_fav;
};

void TestIEFavorites::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_fav = m_dir->filePath("Favorites");
    QVERIFY(QDir().mkpath(m_fav));
}

void TestIEFavorites::emptyFolderShowsExpandedRoot()
{
    FIEFavorites window(m_fav);
    QCOMPARE(window.windowTitle(), QString("Browser Favorites"));
    QVERIFY(!window.TreeFilled());
    window.show();
    QTRY_VERIFY(window.TreeFilled());
    QCOMPARE(window.tree()->topLevelItemCount(), 1);
    QTreeWidgetItem *root = window.tree()->topLevelItem(0);
    const Node node = nodeOf(root);
    QCOMPARE(node.key, QString("IE"));
    QCOMPARE(node.text, QString("Favorites"));
    QCOMPARE(node.image, 3);
    QCOMPARE(node.selectedImage, 3);
    QVERIFY(root->isExpanded());
    QCOMPARE(root->childCount(), 0);
}

void TestIEFavorites::missingFolderShowsOnlyRoot()
{
    FIEFavorites window{QString()};
    window.FillTree();
    QCOMPARE(window.tree()->topLevelItemCount(), 1);
    QCOMPARE(window.tree()->topLevelItem(0)->childCount(), 0);
    QVERIFY(window.TreeFilled());
}

void TestIEFavorites::shortcutNames_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QString>("text"); // null: not listed
    QTest::newRow("dot url") << "Auction.url" << "Auction";
    QTest::newRow("capitals") << "CAPS.URL" << "CAPS";
    QTest::newRow("mixed case") << "Mixed.Url" << "Mixed";
    QTest::newRow("url without dot") << "myurl" << "m";
    QTest::newRow("only xurl") << "xurl" << "";
    QTest::newRow("too short") << "url" << QString();
    QTest::newRow("hidden file listed") << ".secret.url" << ".secret";
    QTest::newRow("other extension") << "notes.txt" << QString();
    QTest::newRow("url not last") << "page.url.bak" << QString();
    QTest::newRow("link file") << "shortcut.lnk" << QString();
    QTest::newRow("blanks kept") << "  spaced  .url" << "  spaced  ";
}

void TestIEFavorites::shortcutNames()
{
    QFETCH(QString, fileName);
    QFETCH(QString, text);
    writeShortcutFile(m_fav + "/" + fileName, "http://x/");
    FIEFavorites window(m_fav);
    window.FillTree();
    const QStringList texts = childTexts(window.tree()->topLevelItem(0));
    if (text.isNull()) {
        QVERIFY2(texts.isEmpty(), qPrintable(texts.join('|')));
    } else {
        QCOMPARE(texts, QStringList{text});
        const Node node = nodeOf(window.tree()->topLevelItem(0)->child(0));
        QCOMPARE(node.key, m_fav + "/" + fileName);
    }
}

void TestIEFavorites::keysTextsAndImages()
{
    writeShortcutFile(m_fav + "/Top.url", "http://top/");
    writeShortcutFile(m_fav + "/Shop/Deal.url", "http://deal/");
    QVERIFY(QDir().mkpath(m_fav + "/Shop/Old"));
    QVERIFY(QDir().mkpath(m_fav + "/folder.url")); // a folder, whatever its name

    FIEFavorites window(m_fav);
    window.FillTree();
    QTreeWidget *tree = window.tree();
    const QTreeWidgetItem *shop = findByText(tree, "Shop");
    const QTreeWidgetItem *old = findByText(tree, "Old");
    const QTreeWidgetItem *deal = findByText(tree, "Deal");
    const QTreeWidgetItem *top = findByText(tree, "Top");
    const QTreeWidgetItem *folderUrl = findByText(tree, "folder.url");
    QVERIFY(shop && old && deal && top && folderUrl);

    const QTreeWidgetItem *root = tree->topLevelItem(0);
    QCOMPARE(shop->parent(), root);
    QCOMPARE(top->parent(), root);
    QCOMPARE(folderUrl->parent(), root);
    QCOMPARE(deal->parent(), shop);
    QCOMPARE(old->parent(), shop);

    auto same = [](const Node &a, const Node &b) {
        return a.key == b.key && a.text == b.text && a.image == b.image && a.selectedImage == b.selectedImage;
    };
    QVERIFY(same(nodeOf(shop), {m_fav + "/Shop/", "Shop", 1, 2}));
    QVERIFY(same(nodeOf(old), {m_fav + "/Shop/Old/", "Old", 1, 2}));
    QVERIFY(same(nodeOf(folderUrl), {m_fav + "/folder.url/", "folder.url", 1, 2}));
    QVERIFY(same(nodeOf(deal), {m_fav + "/Shop/Deal.url", "Deal", 4, 4}));
    QVERIFY(same(nodeOf(top), {m_fav + "/Top.url", "Top", 4, 4}));
    QCOMPARE(outline(root).size(), 6);
}

void TestIEFavorites::foldersFirstAtTopShortcutsFirstInside()
{
    for (const char *name : {"a.url", "b.url", "c.url"}) {
        writeShortcutFile(m_fav + "/" + name, "http://x/");
        writeShortcutFile(m_fav + "/Inside/" + name, "http://x/");
    }
    for (const char *name : {"F1", "F2"}) {
        QVERIFY(QDir().mkpath(m_fav + "/" + name));
        QVERIFY(QDir().mkpath(m_fav + "/Inside/" + name));
    }
    FIEFavorites window(m_fav);
    window.FillTree();
    auto kinds = [](const QTreeWidgetItem *item) {
        QString k;
        for (int i = 0; i < item->childCount(); ++i)
            k += isFolderNode(item->child(i)) ? 'F' : 's';
        return k;
    };
    const QTreeWidgetItem *root = window.tree()->topLevelItem(0);
    QCOMPARE(kinds(root), QString("FFFsss"));
    QCOMPARE(kinds(findByText(window.tree(), "Inside")), QString("sssFF"));
}

void TestIEFavorites::readOnlyHiddenAndLinkedFoldersSkipped()
{
    writeShortcutFile(m_fav + "/Locked/in.url", "http://x/");
    writeShortcutFile(m_fav + "/.Hidden/in.url", "http://x/");
    writeShortcutFile(m_fav + "/Open/Locked inside/in.url", "http://x/");
    writeShortcutFile(m_dir->filePath("elsewhere/in.url"), "http://x/");
    QVERIFY(QFile::setPermissions(m_fav + "/Locked", QFile::ReadOwner | QFile::ExeOwner));
    QVERIFY(QFile::setPermissions(m_fav + "/Open/Locked inside", QFile::ReadOwner | QFile::ExeOwner));
    QVERIFY(QFile::link(m_dir->filePath("elsewhere"), m_fav + "/Linked"));

    FIEFavorites window(m_fav);
    window.FillTree();
    QCOMPARE(outline(window.tree()->topLevelItem(0)), (QStringList{"Favorites", "Favorites > Open"}));
    QFile::setPermissions(m_fav + "/Locked", QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QFile::setPermissions(m_fav + "/Open/Locked inside", QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

void TestIEFavorites::symlinkLoopEnds()
{
    writeShortcutFile(m_fav + "/A/B/deep.url", "http://deep/");
    QVERIFY(QFile::link(m_fav, m_fav + "/A/B/back to top"));
    QVERIFY(QFile::link(".", m_fav + "/A/self"));
    QVERIFY(QFile::link(m_fav + "/A/B/loop1", m_fav + "/A/B/loop2"));
    QVERIFY(QFile::link(m_fav + "/A/B/loop2", m_fav + "/A/B/loop1"));

    FIEFavorites window(m_fav);
    window.FillTree();
    QVERIFY(window.TreeFilled());
    QCOMPARE(outline(window.tree()->topLevelItem(0)),
             (QStringList{"Favorites", "Favorites > A", "Favorites > A > B", "Favorites > A > B > deep"}));
}

void TestIEFavorites::keysAreUnique()
{
    // The same text at several places and as folder and shortcut alike.
    writeShortcutFile(m_fav + "/Dup.url", "http://1/");
    writeShortcutFile(m_fav + "/Dup/Dup.url", "http://2/");
    writeShortcutFile(m_fav + "/Dup/Dup/Dup.url", "http://3/");
    writeShortcutFile(m_fav + "/Dup/DupXurl", "http://4/");
    FIEFavorites window(m_fav);
    window.FillTree();
    QSet<QString> keys;
    int count = 0;
    for (QTreeWidgetItemIterator it(window.tree()); *it; ++it) {
        keys.insert((*it)->data(0, FIEFavorites::KeyRole).toString());
        ++count;
    }
    QCOMPARE(count, 7);
    QCOMPARE(keys.size(), count);
}

void TestIEFavorites::eventsRunWhileFilling()
{
    for (int i = 0; i < 5; ++i)
        writeShortcutFile(m_fav + QString("/F%1/s.url").arg(i), "http://x/");
    FIEFavorites window(m_fav);
    int nodesWhenTimerRan = -1;
    QTimer::singleShot(0, &window, [&] {
        nodesWhenTimerRan = 0;
        for (QTreeWidgetItemIterator it(window.tree()); *it; ++it)
            ++nodesWhenTimerRan;
    });
    window.FillTree();
    QVERIFY2(nodesWhenTimerRan > 1 && nodesWhenTimerRan < 11, qPrintable(QString::number(nodesWhenTimerRan)));
}

void TestIEFavorites::closingStopsTheWalk()
{
    for (int i = 0; i < 20; ++i)
        QVERIFY(QDir().mkpath(m_fav + QString("/F%1").arg(i)));
    FIEFavorites window(m_fav);
    QTimer::singleShot(0, &window, [&] { window.reject(); });
    window.FillTree();
    const int folders = window.tree()->topLevelItem(0)->childCount();
    QVERIFY2(folders >= 1 && folders < 20, qPrintable(QString::number(folders)));
}

void TestIEFavorites::closingWhileFillingEndsTheShowing()
{
    for (int i = 0; i < 20; ++i)
        writeShortcutFile(m_fav + QString("/F%1/s.url").arg(i), "http://x/");
    writeShortcutFile(m_fav + "/top.url", "http://top/");
    FIEFavorites window(m_fav);
    // A click on a shortcut as soon as the first folder is in, while the walk goes on.
    bool clicked = false;
    connect(window.tree()->model(), &QAbstractItemModel::rowsInserted, &window, [&] {
        if (clicked)
            return;
        clicked = true;
        QTimer::singleShot(0, &window, [&window] {
            QCOMPARE(window.tree()->topLevelItem(0)->childCount(), 1);
            clickNode(window.tree(), window.tree()->topLevelItem(0)->child(0)->child(0));
        });
    });
    // Should the showing never end, show and close once more so that the test can fail.
    bool stuck = false;
    QTimer::singleShot(3000, &window, [&] {
        stuck = true;
        window.show();
        window.reject();
    });
    QCOMPARE(window.exec(), int(QDialog::Accepted));
    QVERIFY(!stuck);
    QCOMPARE(window.URL(), QString("http://x/"));
    QVERIFY(window.tree()->topLevelItem(0)->childCount() < 21); // the walk stopped
}

void TestIEFavorites::clickOnShortcutChoosesIt()
{
    writeShortcutFile(m_fav + "/Shop/Deal.url", "http://deal.example/?a=1,2;b");
    FIEFavorites window(m_fav);
    answerNextModal([&window](QWidget *modal) {
        QCOMPARE(modal, &window);
        QTreeWidget *tree = window.tree();
        tree->topLevelItem(0)->child(0)->setExpanded(true);
        clickNode(tree, findByText(tree, "Deal"));
    });
    QCOMPARE(window.exec(), int(QDialog::Accepted));
    QVERIFY(!window.isVisible());
    QCOMPARE(window.URL(), QString("http://deal.example/?a=1,2;b"));
    QCOMPARE(window.property("URL").toString(), window.URL());
}

void TestIEFavorites::clickOnFolderOrRootDoesNothing()
{
    writeShortcutFile(m_fav + "/Shop/Deal.url", "http://deal/");
    FIEFavorites window(m_fav);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTRY_VERIFY(window.TreeFilled());
    QTreeWidget *tree = window.tree();
    clickNode(tree, tree->topLevelItem(0));
    clickNode(tree, findByText(tree, "Shop"));
    QVERIFY(window.isVisible());
    QCOMPARE(window.URL(), QString());
}

void TestIEFavorites::shortcutWithoutUrlChoosesNothing()
{
    writeFile(m_fav + "/Broken.url", "[InternetShortcut]\r\nIconIndex=0\r\n");
    FIEFavorites window(m_fav);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTRY_VERIFY(window.TreeFilled());
    clickNode(window.tree(), findByText(window.tree(), "Broken"));
    QVERIFY(!window.isVisible());
    QCOMPARE(window.URL(), QString());
}

void TestIEFavorites::longAddressComesWhole()
{
    QString url = "https://www.example.com/itm/Vintage-Bike?hash=item";
    while (url.size() < 2000)
        url += QString::number(url.size() % 10);
    writeShortcutFile(m_fav + "/Long.url", url);
    FIEFavorites window(m_fav);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTRY_VERIFY(window.TreeFilled());
    clickNode(window.tree(), findByText(window.tree(), "Long"));
    QCOMPARE(window.URL().size(), 2000);
    QCOMPARE(window.URL(), url);
}

void TestIEFavorites::closingChoosesNothing()
{
    writeShortcutFile(m_fav + "/Deal.url", "http://deal/");
    FIEFavorites window(m_fav);
    answerNextModal([](QWidget *modal) { modal->close(); });
    QCOMPARE(window.exec(), int(QDialog::Rejected));
    QCOMPARE(window.URL(), QString());
}

void TestIEFavorites::enterKeyOpensToo()
{
    writeShortcutFile(m_fav + "/Deal.url", "http://deal/");
    FIEFavorites window(m_fav);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTRY_VERIFY(window.TreeFilled());
    QTreeWidget *tree = window.tree();
    tree->setFocus();
    tree->setCurrentItem(tree->topLevelItem(0));
    QTest::keyClick(tree, Qt::Key_Return); // the root: nothing
    QVERIFY(window.isVisible());
    QTest::keyClick(tree, Qt::Key_Down);
    QTest::keyClick(tree, Qt::Key_Return);
    QVERIFY(!window.isVisible());
    QCOMPARE(window.URL(), QString("http://deal/"));
}

BIDBENCH_TEST_MAIN(TestIEFavorites)
#include "tst_iefavorites.moc"
