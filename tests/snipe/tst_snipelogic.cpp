#include "ItemNumber.h"
#include "TalvexService.h"
#include "TestMain.h"

#include <QUrlQuery>

class TestSnipeLogic : public QObject
{
    Q_OBJECT

private slots:
    void itemNumber_data();
    void itemNumber();
    void commandState_data();
    void commandState();
    void loginBody_data();
    void loginBody();
};

void TestSnipeLogic::itemNumber_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<bool>("available");
    QTest::addColumn<QString>("item");

    // Addresses with the key: everything behind its first occurrence, uncut.
    QTest::newRow("digits then ampersand and more")
        << "http://cgi.ebay.com/ws/eBayISAPI.dll?ViewItem&item=1234567890&category=12" << true
        << "1234567890&category=12";
    QTest::newRow("upper-case key only") << "http://cgi.ebay.com/ws/eBayISAPI.dll?ViewItem&ITEM=1234567890"
                                         << false << "";
    QTest::newRow("key at the very end") << "http://cgi.ebay.com/ws/eBayISAPI.dll?ViewItem&item="
                                         << true << "";
    QTest::newRow("key twice: the first counts") << "http://x.example/v?item=111&olditem=222" << true
                                                 << "111&olditem=222";
    QTest::newRow("key wins over an item path")
        << "https://www.ebay.com/itm/123456789012?item=9" << true << "9";
    QTest::newRow("no key") << "http://www.ebay.com/" << false << "";
    // Outer blanks limit the length taken to the address's length without them.
    QTest::newRow("outer blanks cut the rest") << "item=1          " << true << "1     ";

    // Today's item pages.
    QTest::newRow("itm with number") << "https://www.ebay.com/itm/123456789012" << true
                                     << "123456789012";
    QTest::newRow("itm with title, query") << "https://www.ebay.co.uk/itm/Some-Title/123456789012?hash=item1c9a"
                                           << true << "123456789012";
    QTest::newRow("itm with query and fragment")
        << "https://www.ebay.de/itm/123456789012?_trksid=p2047675&var=0#rwid" << true << "123456789012";
    QTest::newRow("eight digits too few") << "https://www.ebay.com/itm/12345678" << false << "";
    QTest::newRow("digits with letters") << "https://www.ebay.com/itm/12345678901x" << false << "";
    QTest::newRow("itm only in the query") << "https://www.ebay.com/sch?x=/itm/123456789012" << false
                                           << "";
    QTest::newRow("product page") << "https://www.ebay.com/p/123456789012" << false << "";
    QTest::newRow("epid") << "https://www.ebay.com/sch/i.html?epid=123456789012" << false << "";
}

void TestSnipeLogic::itemNumber()
{
    QFETCH(QString, address);
    QFETCH(bool, available);
    QFETCH(QString, item);
    const std::optional<QString> found = itemNumberFromAddress(address);
    QCOMPARE(found.has_value(), available);
    QCOMPARE(isSnipeAvailable(address), available);
    if (available)
        QCOMPARE(*found, item);
}

void TestSnipeLogic::commandState_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<bool>("auctionTab");
    QTest::addColumn<bool>("menuBefore");
    QTest::addColumn<bool>("button");
    QTest::addColumn<bool>("menu");

    const QString item = QStringLiteral("http://x.example/v?item=1234567890");
    const QString none = QStringLiteral("http://www.ebay.com/");
    QTest::newRow("item, auction tab") << item << true << false << true << true;
    QTest::newRow("item, Talvex tab keeps menu on") << item << false << true << true << true;
    QTest::newRow("item, Talvex tab keeps menu off") << item << false << false << true << false;
    QTest::newRow("no item, Talvex tab") << none << false << true << false << false;
}

void TestSnipeLogic::commandState()
{
    QFETCH(QString, address);
    QFETCH(bool, auctionTab);
    QFETCH(bool, menuBefore);
    QFETCH(bool, button);
    QFETCH(bool, menu);
    const SnipeCommandState state = snipeCommandState(address, auctionTab, menuBefore);
    QCOMPARE(state.button, button);
    QCOMPARE(state.menuItem, menu);
}

void TestSnipeLogic::loginBody_data()
{
    QTest::addColumn<QString>("user");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QByteArray>("body");

    QTest::newRow("plain") << "jsmith" << "secret99" << QByteArray("username=jsmith&temp_password=secret99");
    QTest::newRow("ampersand cannot add a field") << "bob" << "pa&admin=1"
                                                  << QByteArray("username=bob&temp_password=pa%26admin%3D1");
    QTest::newRow("plus and percent") << "bob" << "1+1=2%" << QByteArray("username=bob&temp_password=1%2B1%3D2%25");
    QTest::newRow("blanks become plus") << "jo smith" << " a b " << QByteArray("username=jo+smith&temp_password=+a+b+");
    QTest::newRow("non-ASCII as UTF-8") << QStringLiteral("Jürgen") << QStringLiteral("€uro")
                                       << QByteArray("username=J%C3%BCrgen&temp_password=%E2%82%ACuro");
    QTest::newRow("line break") << "u" << "a\r\nb" << QByteArray("username=u&temp_password=a%0D%0Ab");
    QTest::newRow("empty password") << "bob" << "" << QByteArray("username=bob&temp_password=");
}

// Also what a form parser on the service's side makes of it: exactly two fields, as typed.
void TestSnipeLogic::loginBody()
{
    QFETCH(QString, user);
    QFETCH(QString, password);
    QFETCH(QByteArray, body);
    QCOMPARE(TalvexService::loginBody(user, password), body);

    const QString awkward = QStringLiteral(" !\"#$%&'()*+,-./:;<=>?@[\\]^_`{|}~%41%") + password;
    QByteArray encoded = TalvexService::loginBody(user, awkward);
    encoded.replace('+', "%20");
    const QUrlQuery fields(QString::fromLatin1(encoded));
    QCOMPARE(fields.queryItems().size(), 2);
    QCOMPARE(fields.queryItems().at(0).first, QStringLiteral("username"));
    QCOMPARE(fields.queryItemValue(QStringLiteral("username"), QUrl::FullyDecoded), user);
    QCOMPARE(fields.queryItemValue(QStringLiteral("temp_password"), QUrl::FullyDecoded), awkward);
}

BIDBENCH_TEST_MAIN(TestSnipeLogic)
#include "tst_snipelogic.moc"
