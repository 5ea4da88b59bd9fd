#include "Address.h"
#include "IniFile.h"
#include "LoadTracker.h"
#include "LoopbackServer.h"
#include "MdWebCon.h"
#include "SettingsStore.h"
#include "Shell.h"
#include "SingleInstance.h"
#include "TestFiles.h"
#include "TestMain.h"
#include "UserFolders.h"

#include <QTcpServer>

#include <sys/stat.h>

// The layer over Qt and the system: settings, text files, addresses, folders, shortcut files
// and the web connection.
class TestPlatform : public QObject
{
    Q_OBJECT

private slots:
    // Values an INI file could misread come back as saved, also to a second store on the same
    // folder (nothing is cached); an empty value stays a key. The files and their folder are private.
    void settingsFiles()
    {
        QTemporaryDir dir;
        const QString root = dir.filePath("bidbench");
        SettingsStore store(root);
        for (const QString &value : QStringList{"  two  blanks x;y #z C:\\path\\ Grüße 日本 €  ", "@Variant(x)", ""}) {
            QVERIFY(store.SaveSetting("Talvex Bidbench", "Main", "Password", value));
            QCOMPARE(SettingsStore(root).GetSetting("Talvex Bidbench", "Main", "Password"), value);
        }
        QVERIFY(readBytes(store.fileFor("Talvex Bidbench")).contains("Password=\n"));
        QVERIFY(store.SaveSetting("Mardell", "Talvex Bidbench", "WindowState", "2"));
        QVERIFY(store.SaveSetting("Talvex Bidbench", "Settings", "Site", "9")); // rewritten, still private
        QCOMPARE(QStringList({store.GetSetting("Mardell", "Talvex Bidbench", "WindowState"), store.GetSetting("Mardell", "Settings",
                 "Site"), store.GetSetting("Talvex Bidbench", "Talvex Bidbench", "WindowState")}), QStringList({"2", "", ""}));
        QCOMPARE(store.fileFor("Mardell"), root + "/Mardell.ini");
        // Owner, group and other bits only: the "user" bits repeat the owner's.
        const QFile::Permissions notUser = ~(QFile::ReadUser | QFile::WriteUser | QFile::ExeUser);
        QCOMPARE(QFileInfo(store.fileFor("Talvex Bidbench")).permissions() & notUser, QFile::ReadOwner | QFile::WriteOwner);
        QCOMPARE(QFileInfo(root).permissions() & notUser, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        // A save that fails: the password window's failed-save test.
    }

    // A runtime folder that cannot hold a lock at all (here: it is not there) is no other copy
    // running: this start runs on its own, and so does the next.
    void lockThatCannotBeTaken()
    {
        const QString missing = TestEnvironment::programDir() + "/missing";
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("No lock in .*missing"));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("No lock in .*missing"));
        QVERIFY(SingleInstance(missing, "bidbench").isRunningCopy() && SingleInstance(missing, "bidbench").isRunningCopy());
    }

    // A host with a port, the please-wait page's file and the redirect's encoded address: the real
    // window's loads.
    void addresses_data()
    {
        QTest::addColumn<bool>("forShell");
        QTest::addColumn<QString>("address");
        QTest::addColumn<QByteArray>("url");
        QTest::newRow("bare host, trimmed") << false << "  www.ebay.co.uk  " << QByteArray("http://www.ebay.co.uk");
        QTest::newRow("empty") << false << "" << QByteArray();
        QTest::newRow("shell: mailto with blanks and line breaks") << true << "mailto:s@m.example?subject=A B&body=a b\r\nc"
                                                                   << QByteArray("mailto:s@m.example?subject=A%20B&body=a%20b%0D%0Ac");
        QTest::newRow("shell: local file") << true << "/opt/bidbench/help/Bidbench_help.htm"
                                           << QByteArray("file:///opt/bidbench/help/Bidbench_help.htm");
    }

    void addresses()
    {
        QFETCH(bool, forShell);
        QFETCH(QString, address);
        QFETCH(QByteArray, url);
        QCOMPARE((forShell ? Shell::targetToUrl(address) : addressToUrl(address)).toEncoded(), url);
    }

    // A pane's loads as the engine shows them: "A@1/2" is page A at history entry 1 of 2, and
    // "B@0/2:A" page B while the history is at A already (a move back not committed yet).
    void paneLoads_data()
    {
        QTest::addColumn<QString>("events");
        QTest::addColumn<QString>("seen"); // signals, and "busy?" answered
        QTest::newRow("a page arrives once, however often it is seen; Back arrives when it has committed")
            << "ask busy? start A@0/1 A@0/1 done busy? B@1/2 start B@0/2:A A@0/2 done"
            << "busy arrived:A idle back+ arrived:B forward+ back- arrived:A";
        QTest::newRow("Refresh arrives again at its end, a failed one not") << "A@0/1 ask start A@0/1 done ask start failed"
                                                                             << "arrived:A arrived:A";
        QTest::newRow("a load never started is given up; a move in the page asks nothing; Stop drops the asking")
            << "ask busy? wait busy? nothing busy? ask stop busy?" << "busy idle idle idle";
    }

    void paneLoads()
    {
        QFETCH(QString, events);
        QFETCH(QString, seen);
        LoadTracker loads(10);
        LoadTracker::Shown shown;
        QStringList log;
        connect(&loads, &LoadTracker::arrived, this, [&] { log << "arrived:" + shown.url.fileName(); });
        connect(&loads, &LoadTracker::CommandStateChange, this,
                [&](int command, bool on) { log << (command == 1 ? "forward" : "back") + QString(on ? "+" : "-"); });
        const QMap<QString, std::function<void()>> act{{"ask", [&] { loads.requested(true); }},
            {"nothing", [&] { loads.requested(false); }}, {"stop", [&] { loads.dropRequest(); }},
            {"start", [&] { loads.loadStarted(shown); }}, {"done", [&] { loads.loadFinished(true, shown); }},
            {"failed", [&] { loads.loadFinished(false, shown); }}, {"wait", [] { QTest::qWait(50); }},
            {"busy?", [&] { log << (loads.isRequestPending() ? "busy" : "idle"); }}};
        for (const QString &event : events.split(' ')) {
            const QStringList p = event.split(QRegularExpression("[@/:]"));
            if (p.size() == 1) {
                act[event]();
                continue;
            }
            shown = {QUrl("http://p.test/" + p[0]), p[1].toInt(), p[2].toInt(), QUrl("http://p.test/" + p.value(3, p[0])),
                     p[1].toInt() > 0, p[1].toInt() < p[2].toInt() - 1};
            loads.changed(shown);
        }
        QCOMPARE(log.join(' '), seen);
    }

    // Without a <title> the engine shows the address in one of its spellings: that is no title.
    // A javascript: address and a move to a place in the shown document load nothing.
    void titlesAndLoadsThatStartNothing()
    {
        for (const char *spelling : {"http://p.test/a/", "p.test/a/", "p.test/a", "http://p.test/a", "p.test"})
            QCOMPARE(LoadTracker::titleOrEmpty(spelling, QUrl("http://p.test/a/")), spelling == QLatin1String("p.test") ? spelling : "");
        QCOMPARE(LoadTracker::titleOrEmpty("PleaseWait.html", QUrl::fromLocalFile("/d/PleaseWait.html")), QString());
        for (auto [target, current, nothing] : {std::tuple{"JavaScript:void(0)", "", true}, {"http://p.test/a/#x", "http://p.test/a/#y", true},
                                                {"http://p.test/a/#x", "", false}, {"http://p.test/b#x", "http://p.test/a/", false}})
            QCOMPARE(LoadTracker::startsNoLoad(QUrl(target), QUrl(current)), nothing);
    }

    // Installed, the help comes from share/; a data folder that cannot be made is told. (The
    // Favorites folder made on first use: the desktop journeys' import into a fresh home.)
    void dataAndProgramFolders()
    {
        QTemporaryDir dir;
        const QString bin = dir.filePath("bin");
        QVERIFY(!UserFolders::prepareDataFolder("/proc/bidbench", bin, {}).isEmpty());
        QCOMPARE(UserFolders::programFilesFolder(bin), bin);
        QVERIFY(QDir().mkpath(dir.filePath("share/bidbench/help")));
        QCOMPARE(UserFolders::programFilesFolder(bin), dir.filePath("share/bidbench"));
    }

    void shortcutValue_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("value");
        const QString url = QStringLiteral("http://www.example.com/a?b=1,2;c=3#x") + QString(2000, 'z');
        QTest::newRow("long, commas and semicolons kept") << "[InternetShortcut]\r\nURL=" + url + "\r\n" << url;
        QTest::newRow("case of section and key, lone LF, no final line end") << "[internetshortcut]\nurl=" + url << url;
        QTest::newRow("other sections first, a key prefix no match") << "[DEFAULT]\r\nBASEURL=http://other/\r\nURL=http://wrong/\r\n"
            "[InternetShortcut]\r\nIconIndex=0\r\nURLX=http://wrong/\r\nURL=" + url << url;
        QTest::newRow("a later section ends it") << "[InternetShortcut]\r\nIconFile=x\r\n[Other]\r\nURL=http://wrong/" << "";
        QTest::newRow("first key wins") << "[InternetShortcut]\r\nURL=http://first/\r\nURL=http://second/" << "http://first/";
        QTest::newRow("quotes stripped once") << "[InternetShortcut]\r\nURL=\"\"http://x/\"\"" << "\"http://x/\"";
    }

    void shortcutValue()
    {
        QFETCH(QString, text);
        QFETCH(QString, value);
        QCOMPARE(IniFile::value(text, "InternetShortcut", "URL"), value);
    }

    void shortcutFileEncodingsAndOddFiles()
    {
        const QString dir = TestEnvironment::programDir();
        const QString text = QStringLiteral("[InternetShortcut]\r\nURL=http://example.com/Müller\r\n");
        const QByteArray utf16 = QStringEncoder(QStringEncoder::Utf16LE, QStringEncoder::Flag::WriteBom)(text);
        for (const QByteArray &bytes : QList<QByteArray>{text.toUtf8(), "\xEF\xBB\xBF" + text.toUtf8(), utf16, text.toLatin1()}) {
            writeBytes(dir + "/Müller.url", bytes);
            QCOMPARE(IniFile::readValue(dir + "/Müller.url", "InternetShortcut", "URL"), "http://example.com/Müller");
        }
        // A pipe named like a shortcut must not block the reader.
        QCOMPARE(mkfifo(QFile::encodeName(dir + "/pipe.url").constData(), 0600), 0);
        for (const QString &odd : QStringList{dir + "/missing.url", dir, dir + "/pipe.url"})
            QCOMPARE(IniFile::readValue(odd, "InternetShortcut", "URL"), QString());
    }

    void webConnection_data()
    {
        QTest::addColumn<QString>("url"); // "server", "slow": the loopback server's page
        QTest::addColumn<QByteArray>("contentType");
        QTest::addColumn<int>("response");
        QTest::addColumn<QString>("html");
        QTest::newRow("server's own charset") << "server" << QByteArray("text/html; charset=\"windows-1252\"")
                                              << int(MdWebCon::ResponseComplete) << "café €";
        QTest::newRow("refused") << "refused" << QByteArray() << int(MdWebCon::ResponseFailed) << "";
        // Bytes that keep coming do not extend the time-out: the server would need a minute for the
        // whole answer, the connection allows 300 ms. What came so far (all "x") does not matter.
        QTest::newRow("timed out from its start") << "slow" << QByteArray("text/plain") << int(MdWebCon::ResponseTimedOut) << "";
    }

    // The outcome comes once, always later than the request, as a real answer does.
    void webConnection()
    {
        QFETCH(QString, url);
        QFETCH(QByteArray, contentType);
        QFETCH(int, response);
        QFETCH(QString, html);
        const bool slow = url == QLatin1String("slow");
        LoopbackServer server;
        server.setHandler([&](const LoopbackServer::Request &) {
            return LoopbackServer::Reply{200, slow ? QByteArray(3000, 'x') : QByteArray("caf\xe9 \x80"), contentType, {}, 0, slow ? 20 : 0};
        });
        if (url == QLatin1String("server") || slow) {
            url = server.url("/version/versioncheck.asp");
        } else if (url == QLatin1String("refused")) {
            QTcpServer probe; // a port that was free a moment ago: nothing listens there now
            QVERIFY(probe.listen(QHostAddress::LocalHost, 0));
            url = QStringLiteral("http://127.0.0.1:%1/").arg(probe.serverPort());
        }
        MdWebCon connection;
        if (slow)
            connection.setTimeout(300);
        QSignalSpy spy(&connection, &MdWebCon::AsynchResponse);
        connection.AsynchRequest(url);
        QCOMPARE(spy.count(), 0);
        QVERIFY(spy.wait(5000));
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).toInt(), response);
        QCOMPARE(spy.at(0).at(1).toString().remove('x'), html);
        QCOMPARE(server.requests.size(), url.startsWith(server.url("/")) ? 1 : 0);
    }
};

BIDBENCH_TEST_MAIN(TestPlatform)
#include "tst_platform.moc"
