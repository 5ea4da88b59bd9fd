#include "CSearches.h"
#include "Helpers.h"
#include "TestMain.h"

#include <QDir>

namespace {
QStringList namesOf(const CSearches &searches)
{
    QStringList names;
    for (const CSearches::Entry &search : searches)
        names.append(search->Name());
    return names;
}

const QString kCamerasURL = QStringLiteral(
    "http://search.ebay.co.uk/ws/search/SaleSearch?&sapricelo=10&sapricehi=200&exclude="
    "&soincludewords=digital camera&sotextsearched=1&sacategory=625&sosearchwordscombine=2");
} // namespace

class TestSearches : public QObject
{
    Q_OBJECT

private slots:
    void searchURL_data();
    void searchURL();
    void exampleRecordRoundTrip();
    void namesAreUniqueIgnoringCase();
    void loadSkipsAndCounts_data();
    void loadSkipsAndCounts();
    void loadThenSave_data();
    void loadThenSave();
    void skippedLinesAreBackedUpBeforeFirstSave();
    void failedSaveKeepsFileAndSearches();
};

void TestSearches::searchURL_data()
{
    QTest::addColumn<QStringList>("fields"); // keywords, exclude, category, low, high
    QTest::addColumn<int>("boolean");
    QTest::addColumn<int>("site");
    QTest::addColumn<bool>("descriptions");
    QTest::addColumn<QString>("url");
    QTest::newRow("cameras on the UK site")
        << QStringList{"digital camera", "", "625", "10", "200"} << 2 << 2 << false << kCamerasURL;
    QTest::newRow("empty fields keep all seven keys")
        << QStringList{"", "", "", "", ""} << 1 << 0 << true
        << QStringLiteral("http://search.ebay.com/ws/search/SaleSearch?&sapricelo=&sapricehi=&exclude="
                          "&soincludewords=&sotextsearched=2&sacategory=&sosearchwordscombine=1");
    QTest::newRow("French-language Belgian site, nothing encoded")
        << QStringList{"lamp shade", "red & blue", "1 2", "€5", "9%"} << 3 << 8 << true
        << QStringLiteral("http://search.befr.ebay.be/ws/search/SaleSearch?&sapricelo=€5&sapricehi=9%"
                          "&exclude=red & blue&soincludewords=lamp shade&sotextsearched=2"
                          "&sacategory=1 2&sosearchwordscombine=3");
}

void TestSearches::searchURL()
{
    QFETCH(QStringList, fields);
    QFETCH(int, boolean);
    QFETCH(int, site);
    QFETCH(bool, descriptions);
    QFETCH(QString, url);
    CSearches searches(testDestinations().searchDomains);
    const CSearches::Entry search = searches.Add("name", fields[0], boolean, fields[1], site,
                                                 fields[2], fields[3], fields[4], descriptions);
    QCOMPARE(search->GetSearchURL(), url);
}

void TestSearches::exampleRecordRoundTrip()
{
    const QString dir = TestEnvironment::programDir();
    CSearches searches(testDestinations().searchDomains);
    searches.Load(CSearches::FilePath(dir));
    searches.Add("cameras", "digital camera", 2, "", 2, "625", "10", "200", false);
    QVERIFY(searches.Save().ok);
    QCOMPARE(readBytes(CSearches::FilePath(dir)), QByteArray("cameras|digital camera|2||2|625|10|200|False\r\n"));

    CSearches loaded(testDestinations().searchDomains);
    QCOMPARE(loaded.Load(CSearches::FilePath(dir)).skippedLines, 0);
    QCOMPARE(loaded.Item("CAMERAS")->Name(), QStringLiteral("cameras"));
    QCOMPARE(loaded.Item("CAMERAS")->GetSearchURL(), kCamerasURL);
}

void TestSearches::namesAreUniqueIgnoringCase()
{
    CSearches searches(testDestinations().searchDomains);
    QVERIFY(searches.Add("cars", "vw", 1, "", 0, "", "", "", false));
    QVERIFY(!searches.Add("Cars", "audi", 1, "", 0, "", "", "", false));
    QCOMPARE(searches.Item("CARS")->Keywords(), QStringLiteral("vw"));
    QVERIFY(!searches.Item("car"));
    QVERIFY(searches.Remove("CaRs"));
    QVERIFY(!searches.Remove("cars"));
    QVERIFY(searches.Add("Cars", "audi", 1, "", 0, "", "", "", false));
    QCOMPARE(namesOf(searches), QStringList{"Cars"});
}

void TestSearches::loadSkipsAndCounts_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<int>("skipped");
    const QByteArray good("a|kw|1||0||||False\r\n");
    QTest::newRow("lines without | skipped silently") << "\r\njust text\r\n" + good << QStringList{"a"} << 0;
    QTest::newRow("eight fields") << "b|kw|1||0|||\r\n" + good << QStringList{"a"} << 1;
    QTest::newRow("field 3 not an integer") << "b|kw|x||0||||False\r\n" + good << QStringList{"a"} << 1;
    QTest::newRow("field 9 not True/False") << "b|kw|1||0||||Yes\r\nc|kw|1||0||||\r\n" + good << QStringList{"a"} << 2;
    QTest::newRow("ten fields load") << QByteArray("b|kw|1||0||||True|extra\r\n") << QStringList{"b"} << 0;
    QTest::newRow("repeated name keeps first, not counted") << good + "A|x|2||1||||True\r\n" << QStringList{"a"} << 0;
    QTest::newRow("lf, cr, windows-1252")
        << QByteArray("a|1|1||0||||True\nb|2|1||0||||True\rKr\xfcge|3|1||0||||True") << QStringList{"a", "b", "Krüge"} << 0;
}

void TestSearches::loadSkipsAndCounts()
{
    QFETCH(QByteArray, file);
    QFETCH(QStringList, names);
    QFETCH(int, skipped);
    const QString dir = TestEnvironment::programDir();
    writeBytes(CSearches::FilePath(dir), file);
    CSearches searches(testDestinations().searchDomains);
    const CSearches::LoadResult result = searches.Load(CSearches::FilePath(dir));
    QVERIFY(!result.readFailed);
    QCOMPARE(result.skippedLines, skipped);
    QCOMPARE(namesOf(searches), names);
}

void TestSearches::loadThenSave_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QByteArray>("saved");
    const QByteArray records("zebra|stripes|3|horse|12|1|0.5|99|True\r\n"
                             "apple|ipod nano|1||0|||  |False\r\n"
                             "M\xc3\xbcnchen|bier|2||3|-1|||False\r\n");
    QTest::newRow("same bytes, file order") << records << records;
    QTest::newRow("fields after the ninth dropped") << QByteArray("b|kw|1||0|7|||True|extra|more\n")
                                                    << QByteArray("b|kw|1||0|7|||True\r\n");
}

void TestSearches::loadThenSave()
{
    QFETCH(QByteArray, file);
    QFETCH(QByteArray, saved);
    const QString dir = TestEnvironment::programDir();
    writeBytes(CSearches::FilePath(dir), file);
    CSearches searches(testDestinations().searchDomains);
    searches.Load(CSearches::FilePath(dir));
    QVERIFY(searches.Save().ok);
    QCOMPARE(readBytes(CSearches::FilePath(dir)), saved);
    QVERIFY(!QFile::exists(searches.backupPath()));
}

void TestSearches::skippedLinesAreBackedUpBeforeFirstSave()
{
    const QString dir = TestEnvironment::programDir();
    // A second run with a broken line keeps the first run's copy and takes the next name.
    QList<QByteArray> olds;
    for (const QString suffix : {"", "2"}) {
        olds.append("a|kw|1||0||||False\r\nbroken|line " + suffix.toUtf8() + "\r\nc|kw|1||0||||True\r\n");
        writeBytes(CSearches::FilePath(dir), olds.last());
        CSearches searches(testDestinations().searchDomains);
        QCOMPARE(searches.Load(CSearches::FilePath(dir)).skippedLines, 1);
        QCOMPARE(searches.backupPath(), CSearches::FilePath(dir) + ".bak" + suffix);
        QVERIFY(searches.Save().ok);
        QCOMPARE(readBytes(CSearches::FilePath(dir)), QByteArray("a|kw|1||0||||False\r\nc|kw|1||0||||True\r\n"));
        QVERIFY(searches.Save().ok); // only the first save: later ones have nothing to drop
    }
    QCOMPARE(QDir(dir).entryList(QDir::Files), (QStringList{"Searches.txt", "Searches.txt.bak", "Searches.txt.bak2"}));
    QCOMPARE(readBytes(dir + "/Searches.txt.bak"), olds[0]);
    QCOMPARE(readBytes(dir + "/Searches.txt.bak2"), olds[1]);
}

void TestSearches::failedSaveKeepsFileAndSearches()
{
    const QString dir = TestEnvironment::programDir();
    QByteArray old;
    for (int i = 0; i < 5; ++i)
        old += "search " + QByteArray::number(i) + "|keywords|1||0||||False\n";
    writeBytes(CSearches::FilePath(dir), old);
    CSearches searches(testDestinations().searchDomains);
    searches.Load(CSearches::FilePath(dir));
    searches.Add("new one", "more", 2, "", 1, "", "", "", true);

    FileSizeLimit limit(64);
    const CSearches::SaveResult failed = searches.Save();
    limit.release();
    QVERIFY(!failed.ok);
    QVERIFY(!failed.error.isEmpty());
    QCOMPARE(failed.failedPath, CSearches::FilePath(dir));
    QCOMPARE(readBytes(CSearches::FilePath(dir)), old);
    QCOMPARE(QDir(dir).entryList(QDir::Files), QStringList{"Searches.txt"});
    // Nothing was lost in memory: the next save writes all six.
    QVERIFY(searches.Save().ok);
    QCOMPARE(readBytes(CSearches::FilePath(dir)), QByteArray(old).replace("\n", "\r\n") + "new one|more|2||1||||True\r\n");
}

BIDBENCH_TEST_MAIN(TestSearches)
#include "tst_searches.moc"
