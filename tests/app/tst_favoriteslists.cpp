#include "AppFixture.h"
#include "FFavoriteSearches.h"
#include "FFavorites.h"
#include "TestMain.h"

#include "ModalAnswer.h"

#include <QFile>
#include <QListWidget>
#include <QPushButton>

namespace {
const QStringList kDomains = QStringLiteral(
    "ebay.com;ebay.ca;ebay.co.uk;ebay.de;ebay.com.au;ebay.at;ebay.fr;ebay.nl;befr.ebay.be;"
    "benl.ebay.be;ebay.ch;ebay.it;ebay.es").split(u';');

FMain *startWithSearchSites(AppFixture &f)
{
    AppContext context = f.context();
    context.destinations.searchDomains = kDomains;
    f.window = std::make_unique<FMain>(context, true);
    f.window->show();
    return f.window.get();
}

// Answers the next favourites window: choose the row (empty: none) and leave by Go! or Close.
void chooseInNextWindow(const QString &row, bool go, QString *caption = nullptr)
{
    answerNextModal([row, go, caption](QWidget *modal) {
        if (caption)
            *caption = modal->windowTitle();
        auto *list = modal->findChild<QListWidget *>("lstFavorites");
        if (!list)
            return;
        if (!row.isEmpty()) {
            const auto found = list->findItems(row, Qt::MatchExactly);
            if (found.size() == 1)
                QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                                  list->visualItemRect(found.first()).center());
        }
        const char *button = !go ? "cmdClose" : qobject_cast<FFavorites *>(modal) ? "cmdGetInfo" : "cmdGo";
        modal->findChild<QPushButton *>(button)->click();
    });
}
} // namespace

class TestFavoritesLists : public QObject
{
    Q_OBJECT

private slots:
    void chosenUserOpensInAuctionPane_data();
    void chosenUserOpensInAuctionPane();
    void chosenSearchOpensInAuctionPane();
    void categoryListGoesToUsersBrowser();
    void leavingWithoutChoiceOpensNothing_data();
    void leavingWithoutChoiceOpensNothing();
};

void TestFavoritesLists::chosenUserOpensInAuctionPane_data()
{
    QTest::addColumn<bool>("fromMenu");
    QTest::addColumn<bool>("sellers");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("address");

    const QString seller = QStringLiteral(
        "http://r.test/link-1?loc=http%3A//listed.test/aw-cgi/eBayISAPI.dll%3FMfcISAPICommand%3DViewListedItems"
        "%26userid%3Dann%26include%3D0%26since%3D-1%26sort%3D2%26rows%3D25");
    const QString bidder = QStringLiteral(
        "http://r.test/link-1?loc=http%3A//bids.test/aw-cgi/eBayISAPI.dll%3FMfcISAPICommand%3DViewBidItems"
        "%26userid%3Dbig spender%26completed%3D0%26all%3D1%26rows%3D25");
    QTest::newRow("menu, seller") << true << true << "Favorite Sellers List" << "Sellers.txt" << "ann" << seller;
    QTest::newRow("drop-down, bidder with a blank")
        << false << false << "Favorite Bidders List" << "Bidders.txt" << "big spender" << bidder;
}

void TestFavoritesLists::chosenUserOpensInAuctionPane()
{
    QFETCH(bool, fromMenu);
    QFETCH(bool, sellers);
    QFETCH(QString, caption);
    QFETCH(QString, file);
    QFETCH(QString, chosen);
    QFETCH(QString, address);

    AppFixture f;
    FMain *w = f.start();
    QCOMPARE(w->tabIndex(), int(FMain::kTalvexTab));
    writeBytes(f.programDir + "/Sellers.txt", "bob\nann\n");
    writeBytes(f.programDir + "/Bidders.txt", "carl\nbig spender\n");
    const QByteArray otherFile = readBytes(f.programDir + (sellers ? "/Bidders.txt" : "/Sellers.txt"));

    QString shownCaption;
    chooseInNextWindow(chosen, true, &shownCaption);
    if (fromMenu)
        (sellers ? w->mnuFavoritesSellers : w->mnuFavoritesBidders)->trigger();
    else
        w->tbrNavigateButtonMenu(sellers ? "Sellers" : "Bidders")->trigger();

    QCOMPARE(shownCaption, caption);
    QCOMPARE(f.auction()->requests.last().address, address);
    QCOMPARE(w->tabIndex(), int(FMain::kAuctionTab));
    // The list was written back on the way out (CR LF now); the other list was left alone.
    QCOMPARE(readBytes(f.programDir + "/" + file),
             sellers ? QByteArray("bob\r\nann\r\n") : QByteArray("carl\r\nbig spender\r\n"));
    QCOMPARE(readBytes(f.programDir + (sellers ? "/Bidders.txt" : "/Sellers.txt")), otherFile);
}

void TestFavoritesLists::chosenSearchOpensInAuctionPane()
{
    AppFixture f;
    FMain *w = startWithSearchSites(f);
    writeBytes(f.programDir + "/Searches.txt",
               "lamps|lamp shade|1||8||||True\ncameras|digital camera|2||2|625|10|200|False\n");

    QString caption;
    chooseInNextWindow("lamps", true, &caption);
    w->tbrNavigateButtonMenu("Searches")->trigger();

    QCOMPARE(caption, QStringLiteral("Favorite Auction Searches"));
    // Site position 8 is the French-language Belgian site.
    QCOMPARE(f.auction()->requests.last().address,
             QStringLiteral("http://r.test/link-1?loc=http%3A//search.befr.ebay.be/ws/search/SaleSearch%3F"
                            "%26sapricelo%3D%26sapricehi%3D%26exclude%3D%26soincludewords%3Dlamp shade"
                            "%26sotextsearched%3D2%26sacategory%3D%26sosearchwordscombine%3D1"));
    QCOMPARE(w->tabIndex(), int(FMain::kAuctionTab));
    QCOMPARE(readBytes(f.programDir + "/Searches.txt"),
             QByteArray("lamps|lamp shade|1||8||||True\r\ncameras|digital camera|2||2|625|10|200|False\r\n"));
}

void TestFavoritesLists::categoryListGoesToUsersBrowser()
{
    AppFixture f;
    FMain *w = startWithSearchSites(f);
    const qsizetype requestsBefore = f.auction()->requests.size();
    bool stillOpen = false;
    answerNextModal([&](QWidget *searches) {
        answerNextModal([&](QWidget *compose) {
            QVERIFY(compose->windowTitle() == "Add or Edit a Search");
            compose->findChild<QPushButton *>("cmdCategory")->click();
            stillOpen = compose->isVisible() && QApplication::activeModalWidget() == compose;
            compose->close();
        });
        searches->findChild<QPushButton *>("cmdAdd")->click();
        searches->findChild<QPushButton *>("cmdClose")->click();
    });
    w->mnuFavoriteSearches->trigger();

    QVERIFY(stillOpen);
    QCOMPARE(f.shell.opened, QStringList{"http://listings.ebay.com/aw/plistings/list/categories.html"});
    QCOMPARE(f.auction()->requests.size(), requestsBefore); // not in the auction pane
}

void TestFavoritesLists::leavingWithoutChoiceOpensNothing_data()
{
    QTest::addColumn<int>("which"); // 0 sellers, 1 bidders, 2 searches
    QTest::addColumn<bool>("go");   // Go! with nothing selected, else Close
    QTest::newRow("sellers, Close") << 0 << false;
    QTest::newRow("sellers, Go! without a selection") << 0 << true;
    QTest::newRow("bidders, Close") << 1 << false;
    QTest::newRow("searches, Close") << 2 << false;
}

void TestFavoritesLists::leavingWithoutChoiceOpensNothing()
{
    QFETCH(int, which);
    QFETCH(bool, go);
    AppFixture f;
    FMain *w = f.start();
    const qsizetype requestsBefore = f.auction()->requests.size();
    const QString name = which == 0 ? "/Sellers.txt" : which == 1 ? "/Bidders.txt" : "/Searches.txt";
    QVERIFY(!QFile::exists(f.programDir + name));

    chooseInNextWindow(QString(), go);
    if (which == 2)
        w->mnuFavoriteSearches->trigger();
    else
        (which == 0 ? w->mnuFavoritesSellers : w->mnuFavoritesBidders)->trigger();

    QCOMPARE(f.auction()->requests.size(), requestsBefore);
    QCOMPARE(w->tabIndex(), int(FMain::kTalvexTab));
    QVERIFY(QApplication::activeModalWidget() == nullptr);
    // A first visit leaves an empty list file behind.
    QVERIFY(QFile::exists(f.programDir + name));
    QCOMPARE(readBytes(f.programDir + name), QByteArray());
}

BIDBENCH_TEST_MAIN(TestFavoritesLists)
#include "tst_favoriteslists.moc"
