#include "CUserIDs.h"
#include "Helpers.h"
#include "TestMain.h"
#include "UserIDFile.h"

#include <QDir>
#include <QRandomGenerator>
#include <QSet>

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
    void removeIgnoresCase();
    void spaceDelimitedStrings_data();
    void spaceDelimitedStrings();
    void bidderPage_data();
    void bidderPage();
    void readsEveryLineEnd_data();
    void readsEveryLineEnd();
    void writesCrLfInInsertionOrder();
    void failedWriteKeepsOldFile();
};

void TestUserIDs::addKeepsFirstSpelling_data()
{
    QTest::addColumn<QStringList>("added");
    QTest::addColumn<QStringList>("ids");
    QTest::newRow("other case is a duplicate") << QStringList{"bob", "Bob", "BOB"} << QStringList{"bob"};
    QTest::newRow("blanks are part of the id") << QStringList{"ann", " ann ", "ann"} << QStringList{"ann", " ann "};
    QTest::newRow("non-ascii and astral case")
        << QStringList{"Müller", "MÜLLER", "\U00010400x", "\U00010428X"} << QStringList{"Müller", "\U00010400x"};
    QTest::newRow("empty id not stored") << QStringList{"", "ann", ""} << QStringList{"ann"};
}

void TestUserIDs::addKeepsFirstSpelling()
{
    QFETCH(QStringList, added);
    QFETCH(QStringList, ids);
    CUserIDs list;
    QStringList stored;
    for (const QString &id : added) {
        if (const CUserIDs::Entry entry = list.Add(id))
            stored.append(entry->UserID());
    }
    QCOMPARE(stored, ids); // Add returns exactly the entries it kept
    QCOMPARE(idsOf(list), ids);
}

void TestUserIDs::removeIgnoresCase()
{
    CUserIDs list;
    list.LoadFromSpaceDelimitedString(QStringLiteral("ann Bob carl"));
    QVERIFY(list.Remove(QStringLiteral("bob")));
    QVERIFY(!list.Remove(QStringLiteral("bob")));
    QVERIFY(list.Add(QStringLiteral("BOB"))); // the key is free again
    QCOMPARE(idsOf(list), (QStringList{"ann", "carl", "BOB"}));
}

void TestUserIDs::spaceDelimitedStrings_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("ids");
    QTest::newRow("runs of blanks") << QStringLiteral("  ann   bob ") << QStringList{"ann", "bob"};
    QTest::newRow("all blanks") << QStringLiteral("   ") << QStringList();
    QTest::newRow("tabs are not separators") << QStringLiteral("a\tb c") << QStringList{"a\tb", "c"};
    QStringList many;
    for (int i = 0; i < 8000; ++i)
        many.append(QStringLiteral("user%1").arg(i));
    QTest::newRow("far beyond 32,767 characters") << many.join(QStringLiteral("  ")) << many;
}

// Also the round trip: CreateIDString of the result rebuilds the same list.
void TestUserIDs::spaceDelimitedStrings()
{
    QFETCH(QString, text);
    QFETCH(QStringList, ids);
    CUserIDs list;
    list.LoadFromSpaceDelimitedString(text);
    QCOMPARE(idsOf(list), ids);
    const QString idString = list.CreateIDString();
    QCOMPARE(idString, ids.isEmpty() ? QString() : ids.join(u' ') + u' ');
    CUserIDs rebuilt;
    rebuilt.LoadFromSpaceDelimitedString(idString);
    QCOMPARE(idsOf(rebuilt), ids);
}

void TestUserIDs::bidderPage_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QStringList>("ids");
    const QString link = QStringLiteral("<a href=\"x?Email&amp;requested=%1&amp;x=1\">%1</a>");
    QTest::newRow("no 40%") << link.arg("ann") << QStringList();
    QTest::newRow("links before 40% skipped, repeats once, verbatim")
        << link.arg("early") + "<td width=40%>" + link.arg("ann") + link.arg("a%20b") + link.arg("ANN")
        << QStringList{"ann", "a%20b"};
    QTest::newRow("marker is case-sensitive") << QStringLiteral("40% email&amp;requested=ann&amp;") << QStringList();
    QTest::newRow("unterminated marker stops")
        << QStringLiteral("40%") + link.arg("ann") + "Email&amp;requested=bob&am" << QStringList{"ann"};
}

void TestUserIDs::bidderPage()
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
    QTest::newRow("lf, cr, none at the end") << QByteArray("ann\nbob\rcarl") << QStringList{"ann", "bob", "carl"};
    QTest::newRow("blanks kept, empty lines skipped") << QByteArray("ann\r\n\r\n ann \r\n") << QStringList{"ann", " ann "};
    QTest::newRow("windows-1252") << QByteArray("M\xfcller\r\nbob\x80\r\n") << QStringList{"Müller", "bob€"};
}

void TestUserIDs::readsEveryLineEnd()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, ids);
    const QString dir = TestEnvironment::programDir();
    writeBytes(dir + "/Bidders.txt", bytes);
    CUserIDs list;
    QVERIFY(ReadUserIDFile(dir, false, list).ok);
    QCOMPARE(idsOf(list), ids);
}

void TestUserIDs::writesCrLfInInsertionOrder()
{
    const QString dir = TestEnvironment::programDir();
    writeBytes(dir + "/Sellers.txt", "zed\nann\n");
    CUserIDs list;
    QVERIFY(ReadUserIDFile(dir, true, list).ok);
    list.Add(QStringLiteral("Müller"));
    list.Add(QStringLiteral("ZED"));
    QVERIFY(WriteUserIDFile(dir, true, list).ok);
    QCOMPARE(readBytes(dir + "/Sellers.txt"), QByteArray("zed\r\nann\r\nM\xc3\xbcller\r\n"));
}

void TestUserIDs::failedWriteKeepsOldFile()
{
    const QString dir = TestEnvironment::programDir();
    writeBytes(dir + "/Sellers.txt", "old\r\n");
    CUserIDs list;
    for (int i = 0; i < 50; ++i)
        list.Add(QStringLiteral("seller-number-%1").arg(i));
    FileSizeLimit limit(64);
    const UserIDFileResult written = WriteUserIDFile(dir, true, list);
    limit.release();
    QVERIFY(!written.ok);
    QVERIFY(!written.error.isEmpty());
    QCOMPARE(readBytes(dir + "/Sellers.txt"), QByteArray("old\r\n"));
    QCOMPARE(QDir(dir).entryList(QDir::Files), QStringList{"Sellers.txt"});
}

BIDBENCH_TEST_MAIN(TestUserIDs)
#include "tst_userids.moc"
