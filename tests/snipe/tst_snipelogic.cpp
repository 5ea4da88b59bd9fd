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
    void serviceAddresses();
    void loginBody_data();
    void loginBody();
    void loginBodyDecodesToTypedValues_data();
    void loginBodyDecodesToTypedValues();
};

void TestSnipeLogic::itemNumber_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<bool>("available");
    QTest::addColumn<QString>("item");

    // Addresses with the key: everything behind its first occurrence, uncut.
    QTest::newRow("ten digits") << "http://cgi.ebay.com/ws/eBayISAPI.dll?ViewItem&item=1234567890"
                                << true << "1234567890";
    QTest::newRow("digits then ampersand and more")
        << "http://cgi.ebay.com/ws/eBayISAPI.dll?ViewItem&item=1234567890&category=12" << true
        << "1234567890&category=12";
    QTest::newRow("fragment and blank kept") << "http://x.example/v?item=42#desc more" << true
                                             << "42#desc more";
    QTest::newRow("upper-case key only") << "http://cgi.ebay.com/ws/eBayISAPI.dll?ViewItem&ITEM=1234567890"
                                         << false << "";
    QTest::newRow("mixed-case key only") << "http://x.example/v?Item=1234567890" << false << "";
    QTest::newRow("key at the very end") << "http://cgi.ebay.com/ws/eBayISAPI.dll?ViewItem&item="
                                         << true << "";
    QTest::newRow("key twice: the first counts") << "http://x.example/v?item=111&olditem=222" << true
                                                 << "111&olditem=222";
    QTest::newRow("key inside another word") << "http://x.example/v?lastitem=555" << true << "555";
    QTest::newRow("key outside the query") << "http://x.example/item=77/page" << true << "77/page";
    QTest::newRow("key wins over an item path")
        << "https://www.ebay.com/itm/123456789012?item=9" << true << "9";
    QTest::newRow("no key") << "http://www.ebay.com/" << false << "";
    QTest::newRow("empty box") << "" << false << "";
    // Outer blanks limit the length taken to the address's length without them.
    QTest::newRow("outer blanks cut the rest") << "item=1          " << true << "1     ";
    QTest::newRow("one trailing blank kept") << "http://x.example/v?item=5 " << true << "5 ";

    // Today's item pages.
    QTest::newRow("itm with number") << "https://www.ebay.com/itm/123456789012" << true
                                     << "123456789012";
    QTest::newRow("itm with title, query") << "https://www.ebay.co.uk/itm/Some-Title/123456789012?hash=item1c9a"
                                           << true << "123456789012";
    QTest::newRow("itm with query and fragment")
        << "https://www.ebay.de/itm/123456789012?_trksid=p2047675&var=0#rwid" << true << "123456789012";
    QTest::newRow("itm with trailing slash") << "https://www.ebay.com/itm/123456789012/" << true
                                             << "123456789012";
    QTest::newRow("itm typed without scheme") << "www.ebay.com/itm/Title/123456789" << true
                                              << "123456789";
    QTest::newRow("nineteen digits") << "https://www.ebay.com/itm/1234567890123456789" << true
                                     << "1234567890123456789";
    QTest::newRow("eight digits too few") << "https://www.ebay.com/itm/12345678" << false << "";
    QTest::newRow("twenty digits too many") << "https://www.ebay.com/itm/12345678901234567890"
                                            << false << "";
    QTest::newRow("digits with letters") << "https://www.ebay.com/itm/12345678901x" << false << "";
    QTest::newRow("two title segments") << "https://www.ebay.com/itm/a/b/123456789012" << false << "";
    QTest::newRow("itm upper case") << "https://www.ebay.com/ITM/123456789012" << false << "";
    QTest::newRow("itm as host") << "http://itm/123456789012" << false << "";
    QTest::newRow("itm only in the query") << "https://www.ebay.com/sch?x=/itm/123456789012" << false
                                           << "";
    QTest::newRow("product page") << "https://www.ebay.com/p/123456789012" << false << "";
    QTest::newRow("epid") << "https://www.ebay.com/sch/i.html?epid=123456789012" << false << "";
    QTest::newRow("hash=item only") << "https://www.ebay.com/b/x?hash=item1c9a2b3c4d" << false << "";
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
    const QString itm = QStringLiteral("https://www.ebay.com/itm/123456789012");
    const QString none = QStringLiteral("http://www.ebay.com/");
    QTest::newRow("item, auction tab") << item << true << false << true << true;
    QTest::newRow("itm path, auction tab") << itm << true << false << true << true;
    QTest::newRow("item, Talvex tab keeps menu on") << item << false << true << true << true;
    QTest::newRow("item, Talvex tab keeps menu off") << item << false << false << true << false;
    QTest::newRow("no item, auction tab") << none << true << true << false << false;
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

void TestSnipeLogic::serviceAddresses()
{
    const QString host = QStringLiteral("127.0.0.1:8080");
    QCOMPARE(TalvexService::loginUrl(host), QStringLiteral("http://127.0.0.1:8080/secure/login.cfm"));
    QCOMPARE(TalvexService::signUpUrl(host), QStringLiteral("http://127.0.0.1:8080/secure/signup.cfm"));
    QCOMPARE(TalvexService::newsUrl(host), QStringLiteral("http://127.0.0.1:8080/secure/news.cfm?"));
    QCOMPARE(TalvexService::snipeUrl(host, QStringLiteral("1234567890&category=12")),
             QStringLiteral("http://127.0.0.1:8080/secure/login.cfm?item_number=1234567890&category=12"));
    QCOMPARE(TalvexService::snipeUrl(host, QString()),
             QStringLiteral("http://127.0.0.1:8080/secure/login.cfm?item_number="));
}

void TestSnipeLogic::loginBody_data()
{
    QTest::addColumn<QString>("user");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QByteArray>("body");

    QTest::newRow("plain") << "jsmith" << "secret99" << QByteArray("username=jsmith&temp_password=secret99");
    QTest::newRow("safe punctuation kept") << "j.smith_1-x" << "a*b" << QByteArray("username=j.smith_1-x&temp_password=a*b");
    QTest::newRow("ampersand cannot add a field") << "bob" << "pa&admin=1"
                                                  << QByteArray("username=bob&temp_password=pa%26admin%3D1");
    QTest::newRow("plus and percent") << "bob" << "1+1=2%" << QByteArray("username=bob&temp_password=1%2B1%3D2%25");
    QTest::newRow("blanks become plus") << "jo smith" << " a b " << QByteArray("username=jo+smith&temp_password=+a+b+");
    QTest::newRow("equals in user name") << "a=b" << "x" << QByteArray("username=a%3Db&temp_password=x");
    QTest::newRow("non-ASCII as UTF-8") << QStringLiteral("Jürgen") << QStringLiteral("€uro")
                                       << QByteArray("username=J%C3%BCrgen&temp_password=%E2%82%ACuro");
    QTest::newRow("other reserved") << "u" << "#?/:;~" << QByteArray("username=u&temp_password=%23%3F%2F%3A%3B%7E");
    QTest::newRow("line break") << "u" << "a\r\nb" << QByteArray("username=u&temp_password=a%0D%0Ab");
    QTest::newRow("empty password") << "bob" << "" << QByteArray("username=bob&temp_password=");
}

void TestSnipeLogic::loginBody()
{
    QFETCH(QString, user);
    QFETCH(QString, password);
    QFETCH(QByteArray, body);
    QCOMPARE(TalvexService::loginBody(user, password), body);
}

void TestSnipeLogic::loginBodyDecodesToTypedValues_data()
{
    QTest::addColumn<QString>("user");
    QTest::addColumn<QString>("password");
    QTest::newRow("every printable ASCII") << "user name" << QStringLiteral(" !\"#$%&'()*+,-./:;<=>?@[\\]^_`{|}~");
    QTest::newRow("percent sequences") << "%41%" << "%%2B+";
    QTest::newRow("non-ASCII") << QStringLiteral("Ōsaka 大阪") << QStringLiteral("naïve ✓");
}

// What a form parser on the service's side makes of the body: exactly two fields, as typed.
void TestSnipeLogic::loginBodyDecodesToTypedValues()
{
    QFETCH(QString, user);
    QFETCH(QString, password);
    QByteArray body = TalvexService::loginBody(user, password);
    body.replace('+', "%20");
    const QUrlQuery fields(QString::fromLatin1(body));
    QCOMPARE(fields.queryItems().size(), 2);
    QCOMPARE(fields.queryItems().at(0).first, QStringLiteral("username"));
    QCOMPARE(fields.queryItems().at(1).first, QStringLiteral("temp_password"));
    QCOMPARE(fields.queryItemValue(QStringLiteral("username"), QUrl::FullyDecoded), user);
    QCOMPARE(fields.queryItemValue(QStringLiteral("temp_password"), QUrl::FullyDecoded), password);
}

BIDBENCH_TEST_MAIN(TestSnipeLogic)
#include "tst_snipelogic.moc"
