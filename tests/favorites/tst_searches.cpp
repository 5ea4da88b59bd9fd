#include "CSearches.h"
#include "FileHelpers.h"
#include "SearchSites.h"
#include "TestMain.h"

#include <QDir>

#include <stdexcept>

namespace {
const QStringList kDomains = QStringLiteral(
    "ebay.com;ebay.ca;ebay.co.uk;ebay.de;ebay.com.au;ebay.at;ebay.fr;ebay.nl;befr.ebay.be;"
    "benl.ebay.be;ebay.ch;ebay.it;ebay.es").split(u';');

QStringList namesOf(const CSearches &searches)
{
    QStringList names;
    for (const CSearches::Entry &search : searches)
        names.append(search->Name());
    return names;
}

QString searchesFile(const QString &dir)
{
    return CSearches::FilePath(dir);
}
} // namespace

class TestSearches : public QObject
{
    Q_OBJECT

private slots:
    void searchURL_data();
    void searchURL();
    void exampleRecordRoundTrip();
    void namesAreUniqueIgnoringCase();
    void siteTable();
    void loadSkipsAndCounts_data();
    void loadSkipsAndCounts();
    void loadThenSaveRewritesSameBytes_data();
    void loadThenSaveRewritesSameBytes();
    void fieldsAfterTheNinthAreDropped();
    void missingFileIsCreatedEmpty();
    void skippedLinesAreBackedUpBeforeFirstSave();
    void failedSaveKeepsFileAndSearches();
    void failedBackupSavesNothing();
    void unreadableFileIsReported();
};

void TestSearches::searchURL_data()
{
    QTest::addColumn<QStringList>("fields"); // name, keywords, exclude, category, low, high
    QTest::addColumn<int>("boolean");
    QTest::addColumn<int>("site");
    QTest::addColumn<bool>("descriptions");
    QTest::addColumn<QString>("url");

    QTest::newRow("cameras on the UK site")
        << QStringList{"cameras", "digital camera", "", "625", "10", "200"} << 2 << 2 << false
        << QStringLiteral("http://search.ebay.co.uk/ws/search/SaleSearch?&sapricelo=10&sapricehi=200"
                          "&exclude=&soincludewords=digital camera&sotextsearched=1&sacategory=625"
                          "&sosearchwordscombine=2");
    QTest::newRow("empty fields keep all seven keys")
        << QStringList{"", "", "", "", "", ""} << 1 << 0 << true
        << QStringLiteral("http://search.ebay.com/ws/search/SaleSearch?&sapricelo=&sapricehi="
                          "&exclude=&soincludewords=&sotextsearched=2&sacategory="
                          "&sosearchwordscombine=1");
    QTest::newRow("French-language Belgian site, nothing encoded")
        << QStringList{"x", "lamp shade", "red & blue", "1 2", "€5", "9%"} << 3 << 8 << true
        << QStringLiteral("http://search.befr.ebay.be/ws/search/SaleSearch?&sapricelo=€5&sapricehi=9%"
                          "&exclude=red & blue&soincludewords=lamp shade&sotextsearched=2"
                          "&sacategory=1 2&sosearchwordscombine=3");
    QTest::newRow("site outside the table")
        << QStringList{"x", "kw", "", "", "", ""} << 1 << 13 << false
        << QStringLiteral("http://search./ws/search/SaleSearch?&sapricelo=&sapricehi=&exclude="
                          "&soincludewords=kw&sotextsearched=1&sacategory=&sosearchwordscombine=1");
}

void TestSearches::searchURL()
{
    QFETCH(QStringList, fields);
    QFETCH(int, boolean);
    QFETCH(int, site);
    QFETCH(bool, descriptions);
    QFETCH(QString, url);

    CSearches searches(kDomains);
    const CSearches::Entry search = searches.Add(fields[0], fields[1], boolean, fields[2], site,
                                                 fields[3], fields[4], fields[5], descriptions);
    QVERIFY(search);
    QCOMPARE(search->GetSearchURL(), url);
}

void TestSearches::exampleRecordRoundTrip()
{
    const QString dir = TestEnvironment::programDir();
    CSearches searches(kDomains);
    QVERIFY(!searches.Load(searchesFile(dir)).createFailed);
    searches.Add("cameras", "digital camera", 2, "", 2, "625", "10", "200", false);
    searches.Add("lamps", "lamp shade", 3, "broken", 8, "", "", "5", true);
    QVERIFY(searches.Save().ok);
    QCOMPARE(readBytes(searchesFile(dir)),
             QByteArray("cameras|digital camera|2||2|625|10|200|False\r\n"
                        "lamps|lamp shade|3|broken|8|||5|True\r\n"));

    CSearches loaded(kDomains);
    const CSearches::LoadResult result = loaded.Load(searchesFile(dir));
    QCOMPARE(result.skippedLines, 0);
    QCOMPARE(namesOf(loaded), (QStringList{"cameras", "lamps"}));
    const CSearches::Entry s = loaded.Item("LAMPS");
    QCOMPARE(s->Name(), QStringLiteral("lamps"));
    QCOMPARE(s->Keywords(), QStringLiteral("lamp shade"));
    QCOMPARE(s->SearchBoolean(), 3);
    QCOMPARE(s->ExcludeWords(), QStringLiteral("broken"));
    QCOMPARE(s->EBaySite(), 8);
    QCOMPARE(s->Category(), QString());
    QCOMPARE(s->PriceLow(), QString());
    QCOMPARE(s->PriceHigh(), QStringLiteral("5"));
    QCOMPARE(s->IsSearchDescriptions(), true);
    QCOMPARE(s->GetSiteDomain(), QStringLiteral("befr.ebay.be"));
}

void TestSearches::namesAreUniqueIgnoringCase()
{
    CSearches searches(kDomains);
    QVERIFY(searches.Add("cars", "vw", 1, "", 0, "", "", "", false));
    QVERIFY(!searches.Add("Cars", "audi", 1, "", 0, "", "", "", false));
    QVERIFY(searches.Add("bikes", "bmx", 1, "", 0, "", "", "", false));
    QCOMPARE(namesOf(searches), (QStringList{"cars", "bikes"}));
    QCOMPARE(searches.Item("CARS")->Keywords(), QStringLiteral("vw"));

    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, searches.Item("car"));
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, searches.Remove("kcars"));
    searches.Remove("CaRs");
    QCOMPARE(namesOf(searches), QStringList{"bikes"});
    QVERIFY(searches.Add("Cars", "audi", 1, "", 0, "", "", "", false));
    QCOMPARE(searches.Count(), 2);
}

void TestSearches::siteTable()
{
    const QStringList labels = SearchSites::labels(kDomains);
    QCOMPARE(labels.size(), 13);
    QCOMPARE(labels.first(), QStringLiteral("ebay.com"));
    QCOMPARE(labels.at(8), QStringLiteral("eBay Belgium (FR)"));
    QCOMPARE(labels.last(), QStringLiteral("eBay Spain"));
    QCOMPARE(SearchSites::GetCategoriesURL(kDomains, 0),
             QStringLiteral("http://listings.ebay.com/aw/plistings/list/categories.html"));
    QCOMPARE(SearchSites::GetCategoriesURL(kDomains, 9),
             QStringLiteral("http://listings.benl.ebay.be/aw/plistings/list/categories.html"));
    // A build that names fewer domains leaves the rest empty instead of reading past the list.
    QCOMPARE(SearchSites::domain(QStringList{"a.test"}, 1), QString());
    QCOMPARE(SearchSites::domain(kDomains, -1), QString());
}

void TestSearches::loadSkipsAndCounts_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<int>("skipped");

    const QByteArray good("a|kw|1||0||||False\r\n");
    QTest::newRow("lines without | skipped silently")
        << "\r\njust text\r\n" + good + "\r\n" << QStringList{"a"} << 0;
    QTest::newRow("eight fields") << "b|kw|1||0|||\r\n" + good << QStringList{"a"} << 1;
    QTest::newRow("field 3 not an integer") << "b|kw|x||0||||False\r\n" + good << QStringList{"a"} << 1;
    QTest::newRow("field 3 empty") << "b|kw|||0||||False\r\n" + good << QStringList{"a"} << 1;
    QTest::newRow("field 5 not an integer") << "b|kw|1||2.5||||False\r\n" + good << QStringList{"a"} << 1;
    QTest::newRow("field 5 too large") << "b|kw|1||99999999999||||False\r\n" + good << QStringList{"a"} << 1;
    QTest::newRow("field 9 not True/False")
        << "b|kw|1||0||||Yes\r\nc|kw|1||0||||\r\n" + good << QStringList{"a"} << 2;
    QTest::newRow("ten fields load") << QByteArray("b|kw|1||0||||True|extra\r\n") << QStringList{"b"} << 0;
    QTest::newRow("repeated name keeps first, not counted")
        << good + "A|other|2||1||||True\r\n" << QStringList{"a"} << 0;
    QTest::newRow("every line end")
        << QByteArray("a|1|1||0||||True\nb|2|1||0||||True\rc|3|1||0||||True")
        << QStringList{"a", "b", "c"} << 0;
    QTest::newRow("windows-1252") << QByteArray("Kr\xfcge|kw|1||0||||True\r\n") << QStringList{"Krüge"} << 0;
}

void TestSearches::loadSkipsAndCounts()
{
    QFETCH(QByteArray, file);
    QFETCH(QStringList, names);
    QFETCH(int, skipped);
    const QString dir = TestEnvironment::programDir();
    writeBytesRaw(searchesFile(dir), file);

    CSearches searches(kDomains);
    const CSearches::LoadResult result = searches.Load(searchesFile(dir));
    QVERIFY(!result.readFailed);
    QCOMPARE(result.skippedLines, skipped);
    QCOMPARE(namesOf(searches), names);
}

void TestSearches::loadThenSaveRewritesSameBytes_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("records in file order")
        << QByteArray("zebra|stripes|3|horse|12|1|0.5|99|True\r\n"
                      "apple|ipod nano|1||0|||  |False\r\n"
                      "M\xc3\xbcnchen|bier|2||3|-1|||False\r\n");
}

void TestSearches::loadThenSaveRewritesSameBytes()
{
    QFETCH(QByteArray, file);
    const QString dir = TestEnvironment::programDir();
    writeBytesRaw(searchesFile(dir), file);
    CSearches searches(kDomains);
    searches.Load(searchesFile(dir));
    QVERIFY(searches.Save().ok);
    QCOMPARE(readBytes(searchesFile(dir)), file);
    QVERIFY(!QFile::exists(searches.backupPath()));
}

void TestSearches::fieldsAfterTheNinthAreDropped()
{
    const QString dir = TestEnvironment::programDir();
    writeBytesRaw(searchesFile(dir), "b|kw|1||0|7|||True|extra|more\n");
    CSearches searches(kDomains);
    searches.Load(searchesFile(dir));
    QCOMPARE(searches.Item("b")->IsSearchDescriptions(), true);
    QVERIFY(searches.Save().ok);
    QCOMPARE(readBytes(searchesFile(dir)), QByteArray("b|kw|1||0|7|||True\r\n"));
}

void TestSearches::missingFileIsCreatedEmpty()
{
    const QString dir = TestEnvironment::programDir();
    CSearches searches(kDomains);
    searches.Add("stale", "from before", 1, "", 0, "", "", "", false);
    const CSearches::LoadResult result = searches.Load(searchesFile(dir));
    QVERIFY(!result.readFailed && !result.createFailed);
    QCOMPARE(searches.Count(), 0);
    QVERIFY(QFile::exists(searchesFile(dir)));
    QCOMPARE(QFileInfo(searchesFile(dir)).size(), 0);

    // Without a program folder there is nothing to create.
    const CSearches::LoadResult nowhere = searches.Load(dir + "/missing/Searches.txt");
    QVERIFY(nowhere.createFailed);
    QVERIFY(!nowhere.error.isEmpty());
}

void TestSearches::skippedLinesAreBackedUpBeforeFirstSave()
{
    const QString dir = TestEnvironment::programDir();
    const QByteArray old("a|kw|1||0||||False\r\nbroken|line\r\nb|kw|x||0||||False\r\nc|kw|1||0||||True\r\n");
    writeBytesRaw(searchesFile(dir), old);
    CSearches searches(kDomains);
    QCOMPARE(searches.Load(searchesFile(dir)).skippedLines, 2);
    QCOMPARE(searches.backupPath(), searchesFile(dir) + ".bak");

    QVERIFY(searches.Save().ok);
    QCOMPARE(readBytes(searches.backupPath()), old);
    QCOMPARE(readBytes(searchesFile(dir)), QByteArray("a|kw|1||0||||False\r\nc|kw|1||0||||True\r\n"));

    // Only the first save: later ones have nothing more to drop.
    writeBytesRaw(searches.backupPath(), "kept");
    QVERIFY(searches.Save().ok);
    QCOMPARE(readBytes(searches.backupPath()), QByteArray("kept"));
}

void TestSearches::failedSaveKeepsFileAndSearches()
{
    const QString dir = TestEnvironment::programDir();
    QByteArray old;
    for (int i = 0; i < 5; ++i)
        old += "search " + QByteArray::number(i) + "|keywords|1||0||||False\n";
    writeBytesRaw(searchesFile(dir), old);
    CSearches searches(kDomains);
    searches.Load(searchesFile(dir));
    searches.Add("new one", "more keywords", 2, "", 1, "", "", "", true);

    CSearches::SaveResult failed;
    {
        FileSizeLimit limit(64);
        failed = searches.Save();
    }
    QVERIFY(!failed.ok);
    QVERIFY(!failed.error.isEmpty());
    QCOMPARE(failed.failedPath, searchesFile(dir));
    QCOMPARE(readBytes(searchesFile(dir)), old);
    QCOMPARE(QDir(dir).entryList(QDir::Files), QStringList{"Searches.txt"});

    // Nothing was lost in memory: the next save writes all six.
    QVERIFY(searches.Save().ok);
    QCOMPARE(readBytes(searchesFile(dir)),
             QByteArray(old).replace("\n", "\r\n") + "new one|more keywords|2||1||||True\r\n");
}

void TestSearches::failedBackupSavesNothing()
{
    const QString dir = TestEnvironment::programDir();
    const QByteArray old("a|kw|1||0||||False\r\nbad\r\nb|kw\r\n");
    writeBytesRaw(searchesFile(dir), old);
    QVERIFY(QDir(dir).mkdir("Searches.txt.bak")); // the copy cannot be written
    CSearches searches(kDomains);
    QCOMPARE(searches.Load(searchesFile(dir)).skippedLines, 1);

    const CSearches::SaveResult result = searches.Save();
    QVERIFY(!result.ok);
    QCOMPARE(result.failedPath, searchesFile(dir) + ".bak");
    QCOMPARE(readBytes(searchesFile(dir)), old);

    QVERIFY(QDir(dir).rmdir("Searches.txt.bak"));
    QVERIFY(searches.Save().ok);
    QCOMPARE(readBytes(searches.backupPath()), old);
}

void TestSearches::unreadableFileIsReported()
{
    const QString dir = TestEnvironment::programDir();
    QVERIFY(QDir(dir).mkdir("Searches.txt"));
    CSearches searches(kDomains);
    const CSearches::LoadResult result = searches.Load(searchesFile(dir));
    QVERIFY(result.readFailed);
    QVERIFY(!result.error.isEmpty());
    QCOMPARE(searches.Count(), 0);
}

BIDBENCH_TEST_MAIN(TestSearches)
#include "tst_searches.moc"
