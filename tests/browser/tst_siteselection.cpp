#include "SiteSelection.h"
#include "TestMain.h"

using namespace SiteSelection;

namespace {
Destinations destinations()
{
    Destinations d;
    d.redirectBases = {"http://r.test/link-1", "http://r.test/link-2", "http://r.test/link-3",
                       "http://r.test/link-4"};
    d.ebayHostUS = "www.ebay.com";
    d.ebayHostCA = "www.ebay.ca";
    d.ebayHostUK = "www.ebay.co.uk";
    d.ebayHostAU = "www.ebay.com.au";
    d.ebayHostDE = "www.ebay.de";
    d.ebayHostAT = "www.ebay.at";
    d.ebayHostCH = "www.ebay.ch";
    d.ebayHostFR = "www.ebay.fr";
    d.ebayHostES = "www.ebay.es";
    d.ebayHostIT = "www.ebay.it";
    d.ebayHostTW = "www.ebay.com.tw";
    d.ebayPagesHost = "pages.ebay.com";
    return d;
}
} // namespace

class TestSiteSelection : public QObject
{
    Q_OBJECT

private slots:
    void encodeForRedirect_data();
    void encodeForRedirect();
    void affiliateUrlUsesTheFirstRedirectBase_data();
    void affiliateUrlUsesTheFirstRedirectBase();
    void siteStartUrl_data();
    void siteStartUrl();
    void menuCaptions_data();
    void menuCaptions();
};

void TestSiteSelection::encodeForRedirect_data()
{
    QTest::addColumn<QString>("url");
    QTest::addColumn<QString>("encoded");
    QTest::newRow("all four") << "a:b?c=d&e" << "a%3Ab%3Fc%3Dd%26e";
    QTest::newRow("root address") << "http://www.ebay.com" << "http%3A//www.ebay.com";
    QTest::newRow("every occurrence") << "::??&&==" << "%3A%3A%3F%3F%26%26%3D%3D";
    QTest::newRow("others pass") << "/x y/#frag+plus/~ü€" << "/x y/#frag+plus/~ü€";
}

void TestSiteSelection::encodeForRedirect()
{
    QFETCH(QString, url);
    QFETCH(QString, encoded);
    QCOMPARE(EncodeForRedirect(url), encoded);
}

void TestSiteSelection::affiliateUrlUsesTheFirstRedirectBase_data()
{
    QTest::addColumn<QString>("url");
    QTest::addColumn<QString>("redirect");
    QTest::newRow("slashes stay") << "http://cgi.ebay.com/ws/eBayISAPI.dll?ViewItem&item=123"
                                  << "http://r.test/link-1?loc=http%3A//cgi.ebay.com/ws/eBayISAPI.dll%3FViewItem%26item%3D123";
    QTest::newRow("empty") << "" << "http://r.test/link-1?loc=";
}

void TestSiteSelection::affiliateUrlUsesTheFirstRedirectBase()
{
    QFETCH(QString, url);
    QFETCH(QString, redirect);
    QCOMPARE(AffiliateURL(url, destinations()), redirect);
}

void TestSiteSelection::siteStartUrl_data()
{
    QTest::addColumn<int>("site");
    QTest::addColumn<QString>("start");
    QTest::newRow("1 US") << 1 << "http://r.test/link-1?loc=http%3A//www.ebay.com";
    QTest::newRow("2 Canada") << 2 << "http://r.test/link-2?loc=http%3A//www.ebay.ca";
    QTest::newRow("3 UK") << 3 << "http://r.test/link-3?loc=http%3A//www.ebay.co.uk";
    QTest::newRow("4 Australia") << 4 << "http://r.test/link-4?loc=http%3A//www.ebay.com.au";
    QTest::newRow("5 Ireland") << 5 << "http://pages.ebay.com/ie/index.html";
    QTest::newRow("6 New Zealand") << 6 << "http://pages.ebay.com/nz/index.html";
    QTest::newRow("7 Motors") << 7 << "http://pages.ebay.com/ebaymotors/index.html";
    QTest::newRow("8 Germany") << 8 << "http://www.ebay.de";
    QTest::newRow("9 Austria") << 9 << "http://www.ebay.at";
    QTest::newRow("10 Switzerland") << 10 << "http://www.ebay.ch";
    QTest::newRow("11 France") << 11 << "http://www.ebay.fr";
    QTest::newRow("12 Spain") << 12 << "http://www.ebay.es";
    QTest::newRow("13 Italy") << 13 << "http://www.ebay.it";
    QTest::newRow("14 Taiwan") << 14 << "http://www.ebay.com.tw";
    QTest::newRow("none checked") << 0 << "";
}

void TestSiteSelection::siteStartUrl()
{
    QFETCH(int, site);
    QFETCH(QString, start);
    QCOMPARE(SiteStartURL(site, destinations()), start);
}

void TestSiteSelection::menuCaptions_data()
{
    QTest::addColumn<int>("site");
    QTest::addColumn<QString>("host");
    QTest::addColumn<QString>("caption");
    QTest::newRow("1 from the US host") << 1 << "www.ebay.com" << "&eBay.com";
    QTest::newRow("1 other host") << 1 << "127.0.0.1:8080" << "&127.0.0.1:8080";
    QTest::newRow("8 Germany has no access key") << 8 << "www.ebay.com" << "eBay Germany";
    QTest::newRow("14 Taiwan") << 14 << "www.ebay.com" << "eBay Taiwan";
}

void TestSiteSelection::menuCaptions()
{
    QFETCH(int, site);
    QFETCH(QString, host);
    QFETCH(QString, caption);
    Destinations d = destinations();
    d.ebayHostUS = host;
    QCOMPARE(menuCaption(site, d), caption);
}

BIDBENCH_TEST_MAIN(TestSiteSelection)
#include "tst_siteselection.moc"
