#include "Address.h"
#include "Destinations.h"
#include "Shell.h"
#include "TestMain.h"

class TestAddresses : public QObject
{
    Q_OBJECT

private slots:
    void addressBecomesUrl_data();
    void addressBecomesUrl();
    void shellTargetBecomesUrl_data();
    void shellTargetBecomesUrl();
};

void TestAddresses::addressBecomesUrl_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("url");
    QTest::newRow("full http") << "http://www.ebay.com/itm/1" << "http://www.ebay.com/itm/1";
    QTest::newRow("bare host") << "www.ebay.co.uk" << "http://www.ebay.co.uk";
    QTest::newRow("host and port") << "127.0.0.1:8080/page" << "http://127.0.0.1:8080/page";
    QTest::newRow("trimmed") << "  ebay.de  " << "http://ebay.de";
    QTest::newRow("local file") << "/tmp/prog/PleaseWait.html" << "file:///tmp/prog/PleaseWait.html";
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

BIDBENCH_TEST_MAIN(TestAddresses)
#include "tst_addresses.moc"
