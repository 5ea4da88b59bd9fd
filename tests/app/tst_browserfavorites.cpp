#include "AddFavoriteDialog.h"
#include "AppFixture.h"
#include "FIEFavorites.h"
#include "UserFolders.h"
#include "TestMain.h"

#include <QAbstractButton> // ModalAnswer.h needs it complete
#include "ModalAnswer.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QToolButton>
#include <QTreeWidget>

namespace {
QString favoritesFolder()
{
    return SpecialFolder::path(SpecialFolder::Favorites);
}

// Every file and folder below the Favorites folder, relative and sorted.
QStringList favoritesContent()
{
    QStringList names;
    QDirIterator it(favoritesFolder(), QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        names.append(it.next().mid(favoritesFolder().size() + 1));
    names.sort();
    return names;
}

void clickNodeNamed(QWidget *modal, const QString &text)
{
    auto *window = qobject_cast<FIEFavorites *>(modal);
    QVERIFY(window);
    QTreeWidget *tree = window->tree();
    tree->expandAll();
    const auto found = tree->findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
    QVERIFY(!found.isEmpty());
    const QRect rect = tree->visualItemRect(found.constFirst());
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, rect.center());
}

const QByteArray kBookmarks = "<!DOCTYPE NETSCAPE-Bookmark-file-1>\n"
                              "<DL><p><DT><H3>Auctions</H3><DL><p>"
                              "<DT><A HREF=\"http://www.ebay.com/itm/7\">Lamp</A></DL><p></DL>";
} // namespace

// The browser favourites through the main window: viewing and opening, adding the auction
// page, importing a bookmark file.
class TestBrowserFavorites : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void opensChosenShortcut_data();
    void opensChosenShortcut();
    void closingOrEmptyShortcutOpensNothing();

    void addsTheAuctionPage();
    void untitledAuctionPageIsTold();

    void importsTheChosenFile();
};

void TestBrowserFavorites::init()
{
    QDir(favoritesFolder()).removeRecursively();
    QVERIFY(!favoritesFolder().isEmpty());
}

void TestBrowserFavorites::opensChosenShortcut_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("menu item") << "menu";
    QTest::newRow("toolbar button") << "button";
    QTest::newRow("drop-down entry") << "drop-down";
}

void TestBrowserFavorites::opensChosenShortcut()
{
    QFETCH(QString, how);
    writeBytes(favoritesFolder() + "/Shop/Deal.url", "[InternetShortcut]\r\nURL=http://deal.test/x?a=1,2;b\r\n");
    AppFixture f;
    FMain *w = f.start();
    QVERIFY(QTest::qWaitForWindowExposed(w));
    w->setTabIndex(FMain::kTalvexTab);
    const int before = int(f.auction()->requests.size());

    QString caption;
    answerNextModal([&caption](QWidget *modal) {
        caption = modal->windowTitle();
        clickNodeNamed(modal, "Deal");
    });
    if (how == "menu") {
        w->mnuFavoritesView->trigger();
    } else if (how == "button") {
        QToolButton *button = w->tbrNavigateToolButton(6);
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(button->width() / 4, button->height() / 2));
    } else {
        w->tbrNavigateButtonMenu("Favorites")->trigger();
    }

    QCOMPARE(caption, QString("Browser Favorites"));
    QCOMPARE(w->tabIndex(), FMain::kAuctionTab);
    QCOMPARE(f.auction()->requests.size(), before + 1);
    QCOMPARE(f.auction()->requests.last().address, w->AffiliateURL("http://deal.test/x?a=1,2;b"));
    QVERIFY(w->findChildren<FIEFavorites *>().isEmpty()); // destroyed after use
}

void TestBrowserFavorites::closingOrEmptyShortcutOpensNothing()
{
    writeBytes(favoritesFolder() + "/Empty.url", "[InternetShortcut]\r\n");
    AppFixture f;
    FMain *w = f.start();
    w->setTabIndex(FMain::kTalvexTab);
    const int auctionRequests = int(f.auction()->requests.size());
    const int talvexRequests = int(f.talvex()->requests.size());

    answerNextModal([](QWidget *modal) { modal->close(); });
    w->ShowBrowserFavorites();
    answerNextModal([](QWidget *modal) { clickNodeNamed(modal, "Empty"); });
    w->ShowBrowserFavorites();

    QCOMPARE(w->tabIndex(), FMain::kTalvexTab);
    QCOMPARE(f.auction()->requests.size(), auctionRequests);
    QCOMPARE(f.talvex()->requests.size(), talvexRequests);
}

void TestBrowserFavorites::addsTheAuctionPage()
{
    AppFixture f;
    FMain *w = f.start();
    w->setTabIndex(FMain::kAuctionTab);
    f.auction()->finishLoad("http://www.ebay.com/itm/5?var=1,2;x", "Nice Bike / Road");
    QVERIFY(w->mnuFavoritesAdd->isEnabled());

    QString prefilled;
    answerNextModal([&prefilled](QWidget *modal) {
        QVERIFY(qobject_cast<AddFavoriteDialog *>(modal));
        prefilled = modal->findChild<QLineEdit *>("txtName")->text();
        modal->findChild<QPushButton *>("cmdOK")->click();
    });
    w->mnuFavoritesAdd->trigger();
    QCOMPARE(prefilled, QString("Nice Bike - Road"));
    QCOMPARE(favoritesContent(), QStringList{"Nice Bike - Road.url"});
    QCOMPARE(readBytes(favoritesFolder() + "/Nice Bike - Road.url"),
             QByteArray("[InternetShortcut]\r\nURL=http://www.ebay.com/itm/5?var=1,2;x\r\n"));
}

void TestBrowserFavorites::untitledAuctionPageIsTold()
{
    AppFixture f;
    FMain *w = f.start();
    f.auction()->finishLoad("about:blank", QString());
    // The Talvex page has a title, but it is always the auction page that is added.
    f.talvex()->finishLoad("http://service.test/news", "News");
    w->setTabIndex(FMain::kTalvexTab);

    QString text, title;
    answerNextMessageBox(QMessageBox::Ok, &text, &title);
    w->AddCurrentPageToFavorites();
    QCOMPARE(text, QString("You must navigate to a webpage and be viewing it\r\nto add it to your favorites list."));
    QCOMPARE(title, QString("Talvex Bidbench"));
    QCOMPARE(favoritesContent(), QStringList());
}

void TestBrowserFavorites::importsTheChosenFile()
{
    const QString source = QDir::homePath() + "/Bookmarks.HTML";
    writeBytes(source, kBookmarks);
    AppFixture f;
    FMain *w = f.start();
    QString caption, dialogName;
    answerNextModal([&](QWidget *modal) {
        caption = modal->windowTitle();
        dialogName = modal->objectName();
        modal->findChild<QLineEdit *>("fileNameEdit")->setText(source);
        qobject_cast<QDialog *>(modal)->accept();
    });
    w->mnuFavoritesImport->trigger();
    QCOMPARE(caption, QString("Import Netscape Bookmarks to Favorites"));
    QCOMPARE(dialogName, QString("CommonDialog1"));
    QCOMPARE(favoritesContent(), (QStringList{"Auctions", "Auctions/Lamp.url"}));
    QCOMPARE(readBytes(favoritesFolder() + "/Auctions/Lamp.url"),
             QByteArray("[InternetShortcut]\r\nURL=http://www.ebay.com/itm/7\r\n"));
}

BIDBENCH_TEST_MAIN(TestBrowserFavorites)
#include "tst_browserfavorites.moc"
