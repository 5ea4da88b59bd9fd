#include "Address.h"
#include "Destinations.h"
#include "Shell.h"
#include "TestMain.h"
#include "Twips.h"

class TestAddresses : public QObject
{
    Q_OBJECT

private slots:
    void addressBecomesUrl_data();
    void addressBecomesUrl();
    void shellTargetBecomesUrl_data();
    void shellTargetBecomesUrl();
    void twipsConvertAtDpi_data();
    void twipsConvertAtDpi();
    void buildDestinationsAreComplete();
};

void TestAddresses::addressBecomesUrl_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("url");
    QTest::newRow("full http") << "http://www.ebay.com/itm/1" << "http://www.ebay.com/itm/1";
    QTest::newRow("https with query") << "https://a.example/x?item=5&b=c" << "https://a.example/x?item=5&b=c";
    QTest::newRow("bare host") << "www.ebay.co.uk" << "http://www.ebay.co.uk";
    QTest::newRow("host and port") << "127.0.0.1:8080/page" << "http://127.0.0.1:8080/page";
    QTest::newRow("localhost with port is a host") << "localhost:9000" << "http://localhost:9000";
    QTest::newRow("trimmed") << "  ebay.de  " << "http://ebay.de";
    QTest::newRow("local file") << "/tmp/prog/PleaseWait.html" << "file:///tmp/prog/PleaseWait.html";
    QTest::newRow("file url") << "file:///tmp/x.html" << "file:///tmp/x.html";
    QTest::newRow("about") << "about:blank" << "about:blank";
    QTest::newRow("redirect kept encoded") << "http://r.example/l?loc=http%3A//www.ebay.com"
                                           << "http://r.example/l?loc=http%3A//www.ebay.com";
    QTest::newRow("empty") << "" << "";
}

void TestAddresses::addressBecomesUrl()
{
    QFETCH(QString, address);
    QFETCH(QString, url);
    QCOMPARE(addressToUrl(address).toString(), url);
}

void TestAddresses::shellTargetBecomesUrl_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<QByteArray>("encoded");
    QTest::newRow("web page") << "http://www.mardell.example/x" << QByteArray("http://www.mardell.example/x");
    QTest::newRow("mailto with blanks and line breaks")
        << "mailto:support@mardell.example?subject=Talvex Bidbench Error&body=a b\r\nc"
        << QByteArray("mailto:support@mardell.example?subject=Talvex%20Bidbench%20Error&body=a%20b%0D%0Ac");
    QTest::newRow("local file") << "/opt/bidbench/help/Bidbench_help.htm"
                                << QByteArray("file:///opt/bidbench/help/Bidbench_help.htm");
}

void TestAddresses::shellTargetBecomesUrl()
{
    QFETCH(QString, target);
    QFETCH(QByteArray, encoded);
    const QUrl url = Shell::targetToUrl(target);
    QVERIFY(url.isValid());
    QCOMPARE(url.toEncoded(), encoded);
}

void TestAddresses::twipsConvertAtDpi_data()
{
    QTest::addColumn<double>("twips");
    QTest::addColumn<double>("dpi");
    QTest::addColumn<int>("pixels");
    QTest::newRow("one inch at 96") << 1440.0 << 96.0 << 96;
    QTest::newRow("15 twips a pixel at 96") << 15.0 << 96.0 << 1;
    QTest::newRow("at 120 dpi") << 1440.0 << 120.0 << 120;
    QTest::newRow("rounds") << 22.0 << 96.0 << 1;
    QTest::newRow("zero") << 0.0 << 96.0 << 0;
}

void TestAddresses::twipsConvertAtDpi()
{
    QFETCH(double, twips);
    QFETCH(double, dpi);
    QFETCH(int, pixels);
    QCOMPARE(Twips::toPixels(twips, dpi), pixels);
    QCOMPARE(Twips::toPixels(Twips::fromPixels(pixels, dpi), dpi), pixels);
}

void TestAddresses::buildDestinationsAreComplete()
{
    const Destinations d = Destinations::fromBuild();
    QCOMPARE(d.redirectBases.size(), 4);
    QCOMPARE(d.searchDomains.size(), 13);
    QVERIFY(!d.serviceHost.isEmpty());
    QCOMPARE(d.redirectBase(0), QString());
    QCOMPARE(d.redirectBase(5), QString());
    QCOMPARE(d.redirectBase(1), d.redirectBases.first());
}

BIDBENCH_TEST_MAIN(TestAddresses)
#include "tst_addresses.moc"
