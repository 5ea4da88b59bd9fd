#include "Address.h"
#include "DirectoryListing.h"
#include "IniFile.h"
#include "LoopbackServer.h"
#include "MdWebCon.h"
#include "SettingsStore.h"
#include "Shell.h"
#include "TestFiles.h"
#include "TestMain.h"
#include "TextFile.h"
#include "UserFolders.h"

#include <QDir>
#include <QFileInfo>
#include <QMap>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTemporaryDir>

#include <sys/stat.h>

using namespace DirectoryListing;

namespace {
// Owner, group and other bits only: the "user" bits repeat the owner's.
QFile::Permissions modeOf(const QString &path)
{
    return QFileInfo(path).permissions() & ~(QFile::ReadUser | QFile::WriteUser | QFile::ExeUser);
}
} // namespace

// The layer over Qt and the system: settings, text files, addresses, folders, shortcut files
// and the web connection.
class TestPlatform : public QObject
{
    Q_OBJECT

private slots:
    void settingValuesRoundTrip_data();
    void settingValuesRoundTrip();
    void settingsFiles();
    void textFileLines_data();
    void textFileLines();
    void textFileWrite();
    void addresses_data();
    void addresses();
    void folderAttributes();
    void dataAndProgramFolders();
    void shortcutValue_data();
    void shortcutValue();
    void shortcutFileEncodingsAndOddFiles();
    void webConnection_data();
    void webConnection();
    void webConnectionTimesOutFromItsStart();
};

void TestPlatform::settingValuesRoundTrip_data()
{
    QTest::addColumn<QString>("value");
    QTest::newRow("blanks") << "  two  blanks  ";
    QTest::newRow("semicolon and hash") << "x;y #z";
    QTest::newRow("leading at") << "@Variant(x)";
    QTest::newRow("backslashes") << "C:\\path\\to\\";
    QTest::newRow("non-ASCII") << "Grüße 日本 €";
    QTest::newRow("empty: kept, not removed") << "";
}

void TestPlatform::settingValuesRoundTrip()
{
    QFETCH(QString, value);
    QTemporaryDir dir;
    SettingsStore store(dir.path());
    QCOMPARE(store.GetSetting("Talvex Bidbench", "Main", "Password"), QString());
    QVERIFY(store.SaveSetting("Talvex Bidbench", "Main", "Password", value));
    // A second store on the same folder reads the same: nothing is cached.
    QCOMPARE(SettingsStore(dir.path()).GetSetting("Talvex Bidbench", "Main", "Password"), value);
    QVERIFY(readBytes(store.fileFor("Talvex Bidbench")).contains("Password="));
}

void TestPlatform::settingsFiles()
{
    QTemporaryDir dir;
    SettingsStore store(dir.filePath("bidbench"));
    QVERIFY(store.SaveSetting("Mardell", "Talvex Bidbench", "WindowState", "2"));
    QVERIFY(store.SaveSetting("Talvex Bidbench", "Settings", "Site", "8"));
    QVERIFY(store.SaveSetting("Talvex Bidbench", "Settings", "Site", "9")); // rewritten, still private
    QCOMPARE(store.GetSetting("Mardell", "Talvex Bidbench", "WindowState"), "2");
    QCOMPARE(store.GetSetting("Talvex Bidbench", "Talvex Bidbench", "WindowState"), QString());
    QCOMPARE(store.GetSetting("Mardell", "Settings", "Site"), QString());
    QCOMPARE(store.fileFor("Mardell"), dir.filePath("bidbench/Mardell.ini"));
    QCOMPARE(modeOf(store.fileFor("Talvex Bidbench")), QFile::ReadOwner | QFile::WriteOwner);
    QCOMPARE(modeOf(dir.filePath("bidbench")), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    // A file where the folder should be: fails for root as well as for a normal user.
    writeBytes(dir.filePath("blocked"), "");
    SettingsStore blocked(dir.filePath("blocked"));
    QVERIFY(!blocked.SaveSetting("Talvex Bidbench", "Settings", "Site", "3"));
    QCOMPARE(blocked.GetSetting("Talvex Bidbench", "Settings", "Site"), QString());
}

void TestPlatform::textFileLines_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("empty") << QByteArray() << QStringList();
    QTest::newRow("CR LF") << QByteArray("ann\r\nbob\r\n") << QStringList{"ann", "bob"};
    QTest::newRow("LF") << QByteArray("ann\nbob\n") << QStringList{"ann", "bob"};
    QTest::newRow("CR") << QByteArray("ann\rbob\r") << QStringList{"ann", "bob"};
    QTest::newRow("mixed, no final end, empty line") << QByteArray("a\r\n\r\nb\nc\rd") << QStringList{"a", "", "b", "c", "d"};
    QTest::newRow("UTF-8") << QByteArray("M\xc3\xbcller \xe2\x82\xac") << QStringList{"Müller €"};
    QTest::newRow("UTF-8 BOM") << QByteArray("\xef\xbb\xbf" "ann") << QStringList{"ann"};
    QTest::newRow("Windows-1252") << QByteArray("M\xfcller \x80 \x93q\x94 \x9f") << QStringList{"Müller € “q” Ÿ"};
    QTest::newRow("Windows-1252 undefined byte kept") << QByteArray("a\x81") << QStringList{"a\u0081"};
}

void TestPlatform::textFileLines()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, lines);
    const QString path = TestEnvironment::programDir() + "/Sellers.txt";
    writeBytes(path, bytes);
    const TextFile::ReadResult read = TextFile::readLines(path);
    QVERIFY(read.ok && read.exists);
    QCOMPARE(read.lines, lines);
}

// UTF-8 with CR LF, written whole: a failed write leaves the old file as it was.
void TestPlatform::textFileWrite()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Bidders.txt");
    QVERIFY(TextFile::writeLines(path, {"ann", "Müller", ""}).ok);
    QCOMPARE(readBytes(path), QByteArray("ann\r\nM\xc3\xbcller\r\n\r\n"));
    const TextFile::ReadResult missing = TextFile::readLines(dir.filePath("nothing.txt"));
    QVERIFY(missing.ok && !missing.exists && missing.lines.isEmpty());

    // A file-size limit makes the write fail part-way, for root too, as a full disk would.
    FileSizeLimit limit(64);
    const TextFile::WriteResult failed = TextFile::writeLines(path, QStringList(100, "0123456789"));
    limit.release();
    QVERIFY(!failed.ok && !failed.error.isEmpty());
    QCOMPARE(readBytes(path), QByteArray("ann\r\nM\xc3\xbcller\r\n\r\n"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"Bidders.txt"});
}

void TestPlatform::addresses_data()
{
    QTest::addColumn<bool>("forShell");
    QTest::addColumn<QString>("address");
    QTest::addColumn<QByteArray>("url");
    QTest::newRow("full http") << false << "http://www.ebay.com/itm/1" << QByteArray("http://www.ebay.com/itm/1");
    QTest::newRow("bare host, trimmed") << false << "  www.ebay.co.uk  " << QByteArray("http://www.ebay.co.uk");
    QTest::newRow("host and port") << false << "127.0.0.1:8080/page" << QByteArray("http://127.0.0.1:8080/page");
    QTest::newRow("local file") << false << "/tmp/prog/PleaseWait.html" << QByteArray("file:///tmp/prog/PleaseWait.html");
    QTest::newRow("redirect kept encoded") << false << "http://r.example/l?loc=http%3A//www.ebay.com"
                                           << QByteArray("http://r.example/l?loc=http%3A//www.ebay.com");
    QTest::newRow("empty") << false << "" << QByteArray();
    QTest::newRow("shell: mailto with blanks and line breaks") << true << "mailto:s@m.example?subject=A B&body=a b\r\nc"
                                                               << QByteArray("mailto:s@m.example?subject=A%20B&body=a%20b%0D%0Ac");
    QTest::newRow("shell: local file") << true << "/opt/bidbench/help/Bidbench_help.htm"
                                       << QByteArray("file:///opt/bidbench/help/Bidbench_help.htm");
}

void TestPlatform::addresses()
{
    QFETCH(bool, forShell);
    QFETCH(QString, address);
    QFETCH(QByteArray, url);
    QCOMPARE((forShell ? Shell::targetToUrl(address) : addressToUrl(address)).toEncoded(), url);
}

// Read-only: the owner may not write; hidden: a leading dot; links are marked and not followed.
void TestPlatform::folderAttributes()
{
    QTemporaryDir dir;
    QDir d(dir.path());
    for (const char *folder : {"plain", ".hidden", "locked"})
        QVERIFY(d.mkdir(folder));
    QVERIFY(QFile::setPermissions(d.filePath("locked"), QFile::ReadOwner | QFile::ExeOwner));
    for (const char *file : {"file.url", ".dotfile.url", "readonly.url"})
        writeBytes(d.filePath(file), "");
    QVERIFY(QFile::setPermissions(d.filePath("readonly.url"), QFile::ReadOwner));
    QVERIFY(QFile::link(d.filePath("plain"), d.filePath("folderlink")));
    QVERIFY(QFile::link(d.filePath("file.url"), d.filePath("filelink.url")));
    QVERIFY(QFile::link(d.filePath("nowhere"), d.filePath("dangling.url")));

    const QMap<QString, unsigned> expected{
        {"plain", Directory}, {".hidden", Directory | Hidden}, {"locked", Directory | ReadOnly},
        {"file.url", 0}, {".dotfile.url", Hidden}, {"readonly.url", ReadOnly},
        {"folderlink", Directory | ReparsePoint}, {"filelink.url", ReparsePoint}, {"dangling.url", ReparsePoint},
    };
    QMap<QString, unsigned> listed;
    for (const Entry &e : list(dir.path(), Include::FilesAndFolders)) {
        listed.insert(e.name, e.attributes);
        QCOMPARE(attributesOf(d.filePath(e.name)), e.attributes);
    }
    QCOMPARE(listed, expected);
    QVERIFY(isPlainFolder(expected.value("plain")));
    for (const char *name : {".hidden", "locked", "folderlink", "file.url"})
        QVERIFY2(!isPlainFolder(expected.value(name)), name);
    QVERIFY(list(dir.filePath("missing"), Include::FilesAndFolders).isEmpty());
    QVERIFY(list(dir.filePath("file.url"), Include::FilesAndFolders).isEmpty());

    // The Favorites folder is made on first use.
    const QString favorites = qEnvironmentVariable("XDG_DATA_HOME") + "/bidbench/Favorites";
    QDir(favorites).removeRecursively();
    QCOMPARE(SpecialFolder::path(SpecialFolder::Favorites), favorites);
    QVERIFY(QFileInfo(favorites).isDir());
}

// Installed, the help comes from share/; a data folder that cannot be made is told.
void TestPlatform::dataAndProgramFolders()
{
    QTemporaryDir dir;
    const QString bin = dir.filePath("bin");
    QVERIFY(!UserFolders::prepareDataFolder("/proc/bidbench", bin, {}).isEmpty());
    QCOMPARE(UserFolders::programFilesFolder(bin), bin);
    QVERIFY(QDir().mkpath(dir.filePath("share/bidbench/help")));
    QCOMPARE(UserFolders::programFilesFolder(bin), dir.filePath("share/bidbench"));
}

void TestPlatform::shortcutValue_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("value");
    const QString url = QStringLiteral("http://www.example.com/a?b=1,2;c=3#x") + QString(2000, 'z');
    QTest::newRow("long, commas and semicolons kept") << "[InternetShortcut]\r\nURL=" + url + "\r\n" << url;
    QTest::newRow("lone LF, no final line end") << "[InternetShortcut]\nURL=" + url << url;
    QTest::newRow("case of section and key") << "[internetshortcut]\r\nurl=" + url + "\r\n" << url;
    QTest::newRow("other sections first")
        << "[DEFAULT]\r\nBASEURL=http://other/\r\nURL=http://wrong/\r\n[InternetShortcut]\r\nIconIndex=0\r\nURL=" + url
        << url;
    QTest::newRow("a later section ends it") << "[InternetShortcut]\r\nIconFile=x\r\n[Other]\r\nURL=http://wrong/" << "";
    QTest::newRow("first key wins") << "[InternetShortcut]\r\nURL=http://first/\r\nURL=http://second/" << "http://first/";
    QTest::newRow("key prefix no match") << "[InternetShortcut]\r\nURLX=http://wrong/\r\nURL=" + url << url;
    QTest::newRow("quotes stripped once") << "[InternetShortcut]\r\nURL=\"\"http://x/\"\"" << "\"http://x/\"";
    QTest::newRow("unmatched quote kept") << "[InternetShortcut]\r\nURL=\"http://x/" << "\"http://x/";
    QTest::newRow("no URL key") << "[InternetShortcut]\r\nIconIndex=1\r\n" << "";
}

void TestPlatform::shortcutValue()
{
    QFETCH(QString, text);
    QFETCH(QString, value);
    QCOMPARE(IniFile::value(text, "InternetShortcut", "URL"), value);
}

void TestPlatform::shortcutFileEncodingsAndOddFiles()
{
    const QString dir = TestEnvironment::programDir();
    const QString text = QStringLiteral("[InternetShortcut]\r\nURL=http://example.com/Müller\r\n");
    QByteArray utf16("\xFF\xFE");
    for (QChar c : text)
        utf16.append(char(c.unicode() & 0xFF)).append(char(c.unicode() >> 8));
    for (const QByteArray &bytes : QList<QByteArray>{text.toUtf8(), "\xEF\xBB\xBF" + text.toUtf8(), utf16, text.toLatin1()}) {
        writeBytes(dir + "/Müller.url", bytes);
        QCOMPARE(IniFile::readValue(dir + "/Müller.url", "InternetShortcut", "URL"), "http://example.com/Müller");
    }
    QCOMPARE(IniFile::readValue(dir + "/missing.url", "InternetShortcut", "URL"), QString());
    QCOMPARE(IniFile::readValue(dir, "InternetShortcut", "URL"), QString());
    // A pipe named like a shortcut must not block the reader.
    QCOMPARE(mkfifo(QFile::encodeName(dir + "/pipe.url").constData(), 0600), 0);
    QCOMPARE(IniFile::readValue(dir + "/pipe.url", "InternetShortcut", "URL"), QString());
}

void TestPlatform::webConnection_data()
{
    QTest::addColumn<QString>("url"); // "server": the loopback server's page
    QTest::addColumn<QByteArray>("contentType");
    QTest::addColumn<int>("response");
    QTest::addColumn<QString>("html");
    QTest::newRow("server's own charset") << "server" << QByteArray("text/html; charset=\"windows-1252\"")
                                          << int(MdWebCon::ResponseComplete) << "café €";
    QTest::newRow("refused") << "refused" << QByteArray() << int(MdWebCon::ResponseFailed) << "";
    QTest::newRow("no web address") << "file:///etc/passwd" << QByteArray() << int(MdWebCon::ResponseFailed) << "";
}

// The outcome comes once, always later than the request, as a real answer does.
void TestPlatform::webConnection()
{
    QFETCH(QString, url);
    QFETCH(QByteArray, contentType);
    QFETCH(int, response);
    QFETCH(QString, html);
    LoopbackServer server;
    server.setHandler([&](const LoopbackServer::Request &) {
        return LoopbackServer::Reply{200, QByteArray("caf\xe9 \x80"), contentType};
    });
    if (url == QLatin1String("server")) {
        url = server.url("/version/versioncheck.asp");
    } else if (url == QLatin1String("refused")) {
        QTcpServer probe; // a port that was free a moment ago: nothing listens there now
        QVERIFY(probe.listen(QHostAddress::LocalHost, 0));
        url = QStringLiteral("http://127.0.0.1:%1/").arg(probe.serverPort());
    }
    MdWebCon connection;
    QSignalSpy spy(&connection, &MdWebCon::AsynchResponse);
    connection.AsynchRequest(url);
    QCOMPARE(spy.count(), 0);
    QVERIFY(spy.wait(5000));
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toInt(), response);
    QCOMPARE(spy.at(0).at(1).toString(), html);
}

// Bytes that keep coming do not extend the time-out: the server would need a minute for the
// whole answer, the connection allows 300 ms.
void TestPlatform::webConnectionTimesOutFromItsStart()
{
    LoopbackServer server;
    server.setHandler([](const LoopbackServer::Request &) {
        return LoopbackServer::Reply{200, QByteArray(3000, 'x'), "text/plain", {}, 0, 20};
    });
    MdWebCon connection;
    connection.setTimeout(300);
    QSignalSpy spy(&connection, &MdWebCon::AsynchResponse);
    connection.AsynchRequest(server.url("/slow"));
    QVERIFY(spy.wait(5000));
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toInt(), int(MdWebCon::ResponseTimedOut));
    QCOMPARE(server.requests.size(), 1); // it did reach the server
}

BIDBENCH_TEST_MAIN(TestPlatform)
#include "tst_platform.moc"
