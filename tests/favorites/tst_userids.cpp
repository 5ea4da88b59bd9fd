#include "CUserIDs.h"
#include "Destinations.h"
#include "FileHelpers.h"
#include "TestMain.h"
#include "UserIDFile.h"
#include "UserItemsURL.h"

#include <QDir>
#include <QRandomGenerator>
#include <QSet>

#include <stdexcept>

namespace {
QStringList idsOf(const CUserIDs &list)
{
    QStringList ids;
    for (const CUserIDs::Entry &entry : list)
        ids.append(entry->UserID());
    return ids;
}
} // namespace

class TestUserIDs : public QObject
{
    Q_OBJECT

private slots:
    void addKeepsFirstSpelling_data();
    void addKeepsFirstSpelling();
    void removeIgnoresCaseAndKeepsOrder();
    void removeOfAbsentIdThrows();
    void longChurnMatchesReference();
    void createIDStringRoundTrip_data();
    void createIDStringRoundTrip();
    void loadFromSpaceDelimitedString_data();
    void loadFromSpaceDelimitedString();
    void loadFromBidderPage_data();
    void loadFromBidderPage();

    void readsEveryLineEnd_data();
    void readsEveryLineEnd();
    void writesCrLfInInsertionOrder();
    void eachKindHasItsFile();
    void missingFileIsEmptyList();
    void unreadableFileIsReported();
    void failedWriteKeepsOldFile();

    void userItemsURL_data();
    void userItemsURL();
};

void TestUserIDs::addKeepsFirstSpelling_data()
{
    QTest::addColumn<QStringList>("added");
    QTest::addColumn<QList<bool>>("stored");
    QTest::addColumn<QStringList>("ids");

    QTest::newRow("other case is a duplicate")
        << QStringList{"bob", "Bob", "BOB"} << QList<bool>{true, false, false} << QStringList{"bob"};
    QTest::newRow("first spelling wins")
        << QStringList{"Ann", "ann", "carl"} << QList<bool>{true, false, true} << QStringList{"Ann", "carl"};
    QTest::newRow("blanks are part of the id")
        << QStringList{"ann", " ann ", "ann "} << QList<bool>{true, true, true}
        << QStringList{"ann", " ann ", "ann "};
    QTest::newRow("non-ascii case")
        << QStringList{"Müller", "MÜLLER", "straße", "\U00010400x", "\U00010428X"} << QList<bool>{true, false, true, true, false}
        << QStringList{"Müller", "straße", "\U00010400x"};
    QTest::newRow("empty id is not stored")
        << QStringList{"", "ann", ""} << QList<bool>{false, true, false} << QStringList{"ann"};
}

void TestUserIDs::addKeepsFirstSpelling()
{
    QFETCH(QStringList, added);
    QFETCH(QList<bool>, stored);
    QFETCH(QStringList, ids);

    CUserIDs list;
    for (int i = 0; i < added.size(); ++i) {
        const CUserIDs::Entry entry = list.Add(added.at(i));
        QCOMPARE(!entry.isNull(), stored.at(i));
        if (entry)
            QCOMPARE(entry->UserID(), added.at(i));
    }
    QCOMPARE(idsOf(list), ids);
    QCOMPARE(list.Count(), ids.size());
}

void TestUserIDs::removeIgnoresCaseAndKeepsOrder()
{
    CUserIDs list;
    list.LoadFromSpaceDelimitedString(QStringLiteral("ann Bob carl dora"));
    list.Remove(QStringLiteral("bob"));
    list.Remove(QStringLiteral("DORA"));
    QCOMPARE(idsOf(list), (QStringList{"ann", "carl"}));

    // The key is free again: a new spelling of a removed ID is stored as typed, at the end.
    QVERIFY(list.Add(QStringLiteral("BOB")));
    QVERIFY(!list.Add(QStringLiteral("Carl")));
    QCOMPARE(idsOf(list), (QStringList{"ann", "carl", "BOB"}));
}

void TestUserIDs::removeOfAbsentIdThrows()
{
    CUserIDs list;
    list.Add(QStringLiteral("ann"));
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, list.Remove(QStringLiteral("ann ")));
    QCOMPARE(list.Count(), 1);
}

// Thousands of adds and removes in mixed case, checked against a plain case-folded set: the
// index must neither lose IDs behind removed ones nor let duplicates in.
void TestUserIDs::longChurnMatchesReference()
{
    CUserIDs list;
    QStringList reference; // insertion order
    QSet<QString> folded;
    QRandomGenerator random(7);
    for (int step = 0; step < 8000; ++step) {
        QString id = QStringLiteral("id%1").arg(random.bounded(1500));
        if (random.bounded(2))
            id = id.toUpper();
        if (random.bounded(3) == 0 && folded.contains(id.toCaseFolded())) {
            list.Remove(id);
            folded.remove(id.toCaseFolded());
            reference.removeIf([&](const QString &r) { return r.compare(id, Qt::CaseInsensitive) == 0; });
        } else {
            const bool isNew = !folded.contains(id.toCaseFolded());
            QCOMPARE(!list.Add(id).isNull(), isNew);
            if (isNew) {
                folded.insert(id.toCaseFolded());
                reference.append(id);
            }
        }
        QCOMPARE(list.Contains(id.toLower()), folded.contains(id.toCaseFolded()));
    }
    QCOMPARE(idsOf(list), reference);
}

void TestUserIDs::createIDStringRoundTrip_data()
{
    QTest::addColumn<QStringList>("ids");
    QTest::addColumn<QString>("idString");
    QTest::newRow("empty") << QStringList() << QString();
    QTest::newRow("ann bob") << QStringList{"ann", "bob"} << QStringLiteral("ann bob ");
    QTest::newRow("order kept, not sorted")
        << QStringList{"zed", "Amy", "m\tx"} << QStringLiteral("zed Amy m\tx ");
}

void TestUserIDs::createIDStringRoundTrip()
{
    QFETCH(QStringList, ids);
    QFETCH(QString, idString);

    CUserIDs list;
    for (const QString &id : ids)
        list.Add(id);
    QCOMPARE(list.CreateIDString(), idString);

    CUserIDs rebuilt;
    rebuilt.LoadFromSpaceDelimitedString(list.CreateIDString());
    QCOMPARE(idsOf(rebuilt), ids);
}

void TestUserIDs::loadFromSpaceDelimitedString_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("ids");

    QTest::newRow("runs of blanks") << QStringLiteral("  ann   bob ") << QStringList{"ann", "bob"};
    QTest::newRow("one id") << QStringLiteral("ann") << QStringList{"ann"};
    QTest::newRow("empty") << QString() << QStringList();
    QTest::newRow("all blanks") << QStringLiteral("     ") << QStringList();
    QTest::newRow("tabs are not separators") << QStringLiteral("\tann\t bob") << QStringList{"\tann\t", "bob"};
    QTest::newRow("duplicates dropped") << QStringLiteral("ann ANN bob Ann") << QStringList{"ann", "bob"};

    // Far beyond 32,767 characters: nothing is cut off or lost.
    QStringList many;
    QString text;
    for (int i = 0; i < 8000; ++i) {
        many.append(QStringLiteral("user%1").arg(i));
        text += many.last() + QStringLiteral("  ");
    }
    QVERIFY(text.size() > 70000);
    QTest::newRow("long string") << text << many;
}

void TestUserIDs::loadFromSpaceDelimitedString()
{
    QFETCH(QString, text);
    QFETCH(QStringList, ids);
    CUserIDs list;
    list.LoadFromSpaceDelimitedString(text);
    QCOMPARE(idsOf(list), ids);
}

void TestUserIDs::loadFromBidderPage_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QStringList>("ids");

    const QString link = QStringLiteral("<a href=\"x?Email&amp;requested=%1&amp;x=1\">%1</a>");
    QTest::newRow("no 40%") << link.arg("ann") + link.arg("bob") << QStringList();
    QTest::newRow("links before 40% skipped")
        << link.arg("early") + QStringLiteral("<td width=40%>") + link.arg("ann") + link.arg("bob")
        << QStringList{"ann", "bob"};
    QTest::newRow("repeated bidder once")
        << QStringLiteral("40%") + link.arg("ann") + link.arg("bob") + link.arg("ANN") + link.arg("ann")
        << QStringList{"ann", "bob"};
    QTest::newRow("id taken verbatim")
        << QStringLiteral("40%") + link.arg("a%20b") + link.arg("c&lt;d")
        << QStringList{"a%20b", "c&lt;d"};
    QTest::newRow("marker is case-sensitive")
        << QStringLiteral("40% email&amp;requested=ann&amp; Email&amp;Requested=bob&amp;")
        << QStringList();
    QTest::newRow("unterminated marker stops the scan")
        << QStringLiteral("40%") + link.arg("ann") + QStringLiteral("Email&amp;requested=bob&am")
        << QStringList{"ann"};
    QTest::newRow("empty id skipped")
        << QStringLiteral("40% Email&amp;requested=&amp; Email&amp;requested=bob&amp;")
        << QStringList{"bob"};
}

void TestUserIDs::loadFromBidderPage()
{
    QFETCH(QString, page);
    QFETCH(QStringList, ids);
    CUserIDs list;
    list.LoadFromBidderPage(page);
    QCOMPARE(idsOf(list), ids);
}

void TestUserIDs::readsEveryLineEnd_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("ids");

    QTest::newRow("crlf, duplicate dropped") << QByteArray("ann\r\nbob\r\nann\r\n") << QStringList{"ann", "bob"};
    QTest::newRow("lf") << QByteArray("ann\nbob\nann\n") << QStringList{"ann", "bob"};
    QTest::newRow("cr") << QByteArray("ann\rbob\rann\r") << QStringList{"ann", "bob"};
    QTest::newRow("mixed, no last line end") << QByteArray("ann\r\nbob\ncarl\rdora") << QStringList{"ann", "bob", "carl", "dora"};
    QTest::newRow("blanks kept, empty lines skipped")
        << QByteArray("ann\r\n\r\n ann \r\n\r\n") << QStringList{"ann", " ann "};
    QTest::newRow("windows-1252") << QByteArray("M\xfcller\r\nbob\x80\r\n") << QStringList{"Müller", "bob€"};
    QTest::newRow("utf-8") << QByteArray("M\xc3\xbcller\r\n") << QStringList{"Müller"};
}

void TestUserIDs::readsEveryLineEnd()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, ids);
    const QString dir = TestEnvironment::programDir();
    writeBytesRaw(dir + QStringLiteral("/Bidders.txt"), bytes);

    CUserIDs list;
    const UserIDFileResult read = ReadUserIDFile(dir, false, list);
    QVERIFY(read.ok);
    QCOMPARE(idsOf(list), ids);
}

void TestUserIDs::writesCrLfInInsertionOrder()
{
    const QString dir = TestEnvironment::programDir();
    writeBytesRaw(dir + QStringLiteral("/Bidders.txt"), "ann\nbob\nann\n");
    CUserIDs list;
    QVERIFY(ReadUserIDFile(dir, false, list).ok);
    list.Add(QStringLiteral("Müller"));
    list.Add(QStringLiteral(" al "));
    list.Add(QStringLiteral("BOB"));

    const UserIDFileResult written = WriteUserIDFile(dir, false, list);
    QVERIFY(written.ok);
    QCOMPARE(readBytes(dir + QStringLiteral("/Bidders.txt")),
             QByteArray("ann\r\nbob\r\nM\xc3\xbcller\r\n al \r\n"));

    CUserIDs empty;
    QVERIFY(WriteUserIDFile(dir, false, empty).ok);
    QCOMPARE(readBytes(dir + QStringLiteral("/Bidders.txt")), QByteArray());
}

void TestUserIDs::eachKindHasItsFile()
{
    const QString dir = TestEnvironment::programDir();
    writeBytesRaw(dir + QStringLiteral("/Sellers.txt"), "seller\r\n");
    writeBytesRaw(dir + QStringLiteral("/Bidders.txt"), "bidder\r\n");

    CUserIDs sellers, bidders;
    QVERIFY(ReadUserIDFile(dir, true, sellers).ok);
    QVERIFY(ReadUserIDFile(dir, false, bidders).ok);
    QCOMPARE(idsOf(sellers), QStringList{"seller"});
    QCOMPARE(idsOf(bidders), QStringList{"bidder"});

    sellers.Add(QStringLiteral("another"));
    QVERIFY(WriteUserIDFile(dir, true, sellers).ok);
    QCOMPARE(readBytes(dir + QStringLiteral("/Sellers.txt")), QByteArray("seller\r\nanother\r\n"));
    QCOMPARE(readBytes(dir + QStringLiteral("/Bidders.txt")), QByteArray("bidder\r\n"));
}

void TestUserIDs::missingFileIsEmptyList()
{
    const QString dir = TestEnvironment::programDir();
    CUserIDs list;
    const UserIDFileResult read = ReadUserIDFile(dir, true, list);
    QVERIFY(read.ok);
    QCOMPARE(list.Count(), 0);
    QVERIFY(!QFile::exists(dir + QStringLiteral("/Sellers.txt")));
}

void TestUserIDs::unreadableFileIsReported()
{
    const QString dir = TestEnvironment::programDir();
    QVERIFY(QDir(dir).mkdir(QStringLiteral("Sellers.txt"))); // unreadable as a file, even for root
    CUserIDs list;
    const UserIDFileResult read = ReadUserIDFile(dir, true, list);
    QVERIFY(!read.ok);
    QVERIFY(!read.error.isEmpty());
    QCOMPARE(QDir(read.path), QDir(dir + QStringLiteral("/Sellers.txt")));
}

void TestUserIDs::failedWriteKeepsOldFile()
{
    const QString dir = TestEnvironment::programDir();
    const QString path = dir + QStringLiteral("/Sellers.txt");
    writeBytesRaw(path, "old\r\n");
    CUserIDs list;
    for (int i = 0; i < 50; ++i)
        list.Add(QStringLiteral("seller-number-%1").arg(i));

    UserIDFileResult written;
    {
        FileSizeLimit limit(64);
        written = WriteUserIDFile(dir, true, list);
    }
    QVERIFY(!written.ok);
    QVERIFY(!written.error.isEmpty());
    QCOMPARE(written.path, path);
    QCOMPARE(readBytes(path), QByteArray("old\r\n"));
    QCOMPARE(QDir(dir).entryList(QDir::Files), QStringList{"Sellers.txt"});
}

void TestUserIDs::userItemsURL_data()
{
    QTest::addColumn<QString>("id");
    QTest::addColumn<bool>("sellers");
    QTest::addColumn<QString>("url");

    QTest::newRow("seller") << QStringLiteral("ann") << true
        << QStringLiteral("http://listed.test/aw-cgi/eBayISAPI.dll?MfcISAPICommand=ViewListedItems"
                          "&userid=ann&include=0&since=-1&sort=2&rows=25");
    QTest::newRow("bidder with a blank") << QStringLiteral("big spender") << false
        << QStringLiteral("http://bids.test:8080/aw-cgi/eBayISAPI.dll?MfcISAPICommand=ViewBidItems"
                          "&userid=big spender&completed=0&all=1&rows=25");
    QTest::newRow("nothing encoded") << QStringLiteral("a&b%20ü") << true
        << QStringLiteral("http://listed.test/aw-cgi/eBayISAPI.dll?MfcISAPICommand=ViewListedItems"
                          "&userid=a&b%20ü&include=0&since=-1&sort=2&rows=25");
}

void TestUserIDs::userItemsURL()
{
    QFETCH(QString, id);
    QFETCH(bool, sellers);
    QFETCH(QString, url);
    Destinations destinations;
    destinations.listedItemsHost = QStringLiteral("listed.test");
    destinations.bidItemsHost = QStringLiteral("bids.test:8080");
    QCOMPARE(GetUserItemsURL(destinations, id, sellers), url);
}

BIDBENCH_TEST_MAIN(TestUserIDs)
#include "tst_userids.moc"
