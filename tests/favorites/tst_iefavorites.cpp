#include "FIEFavorites.h"
#include "TestFiles.h"
#include <QAbstractButton> // ModalAnswer.h needs it complete
#include "ModalAnswer.h"
#include "TestMain.h"

#include <QTemporaryDir>
#include <QTimer>
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
    void shortcutNames_data();
    void shortcutNames();
    void keysTextsAndImages();
    void foldersFirstAtTopShortcutsFirstInside();
    void readOnlyHiddenAndLinkedFoldersSkipped();
    void symlinkLoopEnds();
    void closingWhileFillingEndsTheShowing();

    void clickOnShortcutChoosesIt_data();
    void clickOnShortcutChoosesIt();
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

void TestIEFavorites::shortcutNames_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QString>("text"); // null: not listed
    QTest::newRow("dot url") << "Auction.url" << "Auction";
    QTest::newRow("capitals") << "CAPS.URL" << "CAPS";
    QTest::newRow("url without dot") << "myurl" << "m";
    QTest::newRow("only xurl") << "xurl" << "";
    QTest::newRow("hidden file listed") << ".secret.url" << ".secret";
    QTest::newRow("other extension") << "notes.txt" << QString();
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

// Keys stay unique where texts repeat; folders get the closed/open pair, shortcuts one image.
void TestIEFavorites::keysTextsAndImages()
{
    writeShortcutFile(m_fav + "/Dup.url", "http://1/");
    writeShortcutFile(m_fav + "/Dup/Dup.url", "http://2/");
    writeShortcutFile(m_fav + "/Dup/DupXurl", "http://3/");
    QVERIFY(QDir().mkpath(m_fav + "/Dup/Old"));
    QVERIFY(QDir().mkpath(m_fav + "/folder.url")); // a folder, whatever its name

    FIEFavorites window(m_fav);
    window.FillTree();
    QStringList nodes;
    for (QTreeWidgetItemIterator it(window.tree()); *it; ++it) {
        const Node n = nodeOf(*it);
        const QString parent = (*it)->parent() ? (*it)->parent()->text(0) : QString();
        nodes.append(QString("%1 | %2 > %3 | %4/%5").arg(QString(n.key).replace(m_fav, "~"), parent, n.text)
                         .arg(n.image).arg(n.selectedImage));
    }
    nodes.sort();
    QCOMPARE(nodes, (QStringList{"IE |  > Favorites | 3/3", "~/Dup.url | Favorites > Dup | 4/4",
                                 "~/Dup/ | Favorites > Dup | 1/2", "~/Dup/Dup.url | Dup > Dup | 4/4",
                                 "~/Dup/DupXurl | Dup > Dup | 4/4", "~/Dup/Old/ | Dup > Old | 1/2",
                                 "~/folder.url/ | Favorites > folder.url | 1/2"}));
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

void TestIEFavorites::clickOnShortcutChoosesIt_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("url");
    QString longUrl = "https://www.example.com/itm/Vintage-Bike?hash=item";
    while (longUrl.size() < 2000)
        longUrl += QString::number(longUrl.size() % 10);
    QTest::newRow("commas and semicolons kept")
        << QByteArray("[InternetShortcut]\r\nURL=http://deal.example/?a=1,2;b\r\n") << "http://deal.example/?a=1,2;b";
    QTest::newRow("2,000 characters whole") << "[InternetShortcut]\r\nURL=" + longUrl.toUtf8() + "\r\n" << longUrl;
    QTest::newRow("no URL key: closes, nothing chosen") << QByteArray("[InternetShortcut]\r\nIconIndex=0\r\n")
                                                        << QString();
}

void TestIEFavorites::clickOnShortcutChoosesIt()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, url);
    writeBytes(m_fav + "/Shop/Deal.url", content);
    FIEFavorites window(m_fav);
    bool openAfterFolderClicks = false;
    // Act once the tree is filled. The poll can fire inside the walk's own event processing,
    // so it must not wait there: it simply looks again later.
    QTimer poll;
    poll.setInterval(10);
    connect(&poll, &QTimer::timeout, &window, [&] {
        if (QApplication::activeModalWidget() != &window || !window.TreeFilled())
            return;
        poll.stop();
        QTreeWidget *tree = window.tree();
        clickNode(tree, tree->topLevelItem(0)); // the root and a folder choose nothing
        clickNode(tree, findByText(tree, "Shop"));
        openAfterFolderClicks = window.isVisible();
        tree->topLevelItem(0)->child(0)->setExpanded(true);
        clickNode(tree, findByText(tree, "Deal"));
    });
    poll.start();
    // Should the tree never fill, end the showing so that the test fails instead of hanging.
    QTimer::singleShot(20000, &window, [&window] { window.reject(); });
    window.exec();
    QVERIFY(openAfterFolderClicks);
    QVERIFY(!window.isVisible());
    QCOMPARE(window.property("URL").toString(), url);
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
    QTest::keyClick(tree, Qt::Key_Escape); // no cancel button: nothing either
    QVERIFY(window.isVisible());
    QTest::keyClick(tree, Qt::Key_Down);
    QTest::keyClick(tree, Qt::Key_Return);
    QVERIFY(!window.isVisible());
    QCOMPARE(window.URL(), QString("http://deal/"));
}

BIDBENCH_TEST_MAIN(TestIEFavorites)
#include "tst_iefavorites.moc"
