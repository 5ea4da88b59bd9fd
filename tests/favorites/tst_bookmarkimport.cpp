#include "BookmarkImporter.h"
#include "TestFiles.h"
#include "Helpers.h"
#include "TestMain.h"

#include <QTemporaryDir>

using Outcome = BookmarkImporter::Outcome;
Q_DECLARE_METATYPE(BookmarkImporter::Outcome)

namespace {
const QByteArray kHeader = "<!DOCTYPE NETSCAPE-Bookmark-file-1>\n"
                           "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=UTF-8\">\n"
                           "<TITLE>Bookmarks</TITLE>\n<H1>Bookmarks</H1>\n";

QByteArray bookmarks(const QByteArray &list)
{
    return kHeader + list;
}
} // namespace

class TestBookmarkImport : public QObject
{
    Q_OBJECT

private slots:
    void importsExactly_data();
    void importsExactly();
    void mergesWithExistingFavorites();
    void neverWritesThroughLinks();
    void failedWriteLeavesNothingBehind();
};

void TestBookmarkImport::importsExactly_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<Outcome>("outcome");
    QTest::addColumn<QStringList>("written");

    QTest::newRow("firefox export")
        << QByteArray(
               "<!DOCTYPE NETSCAPE-Bookmark-file-1>\n"
               "<!-- This is an automatically generated file.\n"
               "     It will be read and overwritten.\n"
               "     DO NOT EDIT! -->\n"
               "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=UTF-8\">\n"
               "<meta http-equiv=\"Content-Security-Policy\"\n"
               "      content=\"default-src 'self'; script-src 'none'; img-src data: *; object-src 'none'\"></meta>\n"
               "<TITLE>Bookmarks</TITLE>\n"
               "<H1>Bookmarks Menu</H1>\n"
               "\n"
               "<DL><p>\n"
               "    <DT><A HREF=\"place:parent=menu________&sort=12&maxResults=10\" ADD_DATE=\"1\">Recent Tags</A>\n"
               "    <DT><H3 ADD_DATE=\"1\" LAST_MODIFIED=\"2\">Mozilla Firefox</H3>\n"
               "    <DL><p>\n"
               "        <DT><A HREF=\"https://support.mozilla.org/products/firefox\" ADD_DATE=\"1\" "
               "ICON_URI=\"https://support.mozilla.org/favicon.ico\" ICON=\"data:image/png;base64,iVBO>RK=\">Get Help</A>\n"
               "        <DT><A HREF=\"https://www.mozilla.org/about/\" ADD_DATE=\"1\">About Us</A>\n"
               "    </DL><p>\n"
               "    <HR>\n"
               "    <DT><A HREF=\"https://www.ebay.com/itm/123?hash=item1c:g:abc&amp;var=2\" ADD_DATE=\"1\" "
               "TAGS=\"bike\">Bike \xE2\x80\x93 size 56</A>\n"
               "<DD>Road bike I am watching\n"
               "    <DT><H3 ADD_DATE=\"1\" PERSONAL_TOOLBAR_FOLDER=\"true\">Bookmarks Toolbar</H3>\n"
               "    <DL><p>\n"
               "        <DT><A HREF=\"https://www.ebay.com/\" ADD_DATE=\"1\">eBay</A>\n"
               "        <DT><A HREF=\"place:sort=8&maxResults=10\">Most Visited</A>\n"
               "    </DL><p>\n"
               "    <DT><H3>Other Bookmarks</H3>\n"
               "    <DL><p>\n"
               "    </DL><p>\n"
               "</DL>\n")
        << Outcome::Imported
        << QStringList{
               "Bike \u2013 size 56.url -> https://www.ebay.com/itm/123?hash=item1c:g:abc&var=2",
               "Bookmarks Toolbar/",
               "Bookmarks Toolbar/eBay.url -> https://www.ebay.com/",
               "Mozilla Firefox/",
               "Mozilla Firefox/About Us.url -> https://www.mozilla.org/about/",
               "Mozilla Firefox/Get Help.url -> https://support.mozilla.org/products/firefox",
               "Other Bookmarks/",
           };

    QTest::newRow("chrome export")
        << QByteArray(
               "<!DOCTYPE NETSCAPE-Bookmark-file-1>\n"
               "<!-- This is an automatically generated file.\n"
               "     It will be read and overwritten.\n"
               "     DO NOT EDIT! -->\n"
               "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=UTF-8\">\n"
               "<TITLE>Bookmarks</TITLE>\n"
               "<H1>Bookmarks</H1>\n"
               "<DL><p>\n"
               "    <DT><H3 ADD_DATE=\"1\" LAST_MODIFIED=\"2\" PERSONAL_TOOLBAR_FOLDER=\"true\">Bookmarks bar</H3>\n"
               "    <DL><p>\n"
               "        <DT><A HREF=\"https://www.ebay.de/sch/i.html?_nkw=fahrrad&amp;_sacat=0\" ADD_DATE=\"1\" "
               "ICON=\"data:image/png;base64,AAA\">Fahrr\xC3\xA4" "der | eBay</A>\n"
               "        <DT><H3 ADD_DATE=\"1\" LAST_MODIFIED=\"0\">Auctions</H3>\n"
               "        <DL><p>\n"
               "            <DT><A HREF=\"https://www.ebay.com/itm/1\" ADD_DATE=\"1\">Item one</A>\n"
               "        </DL><p>\n"
               "    </DL><p>\n"
               "    <DT><A HREF=\"https://example.org/\" ADD_DATE=\"1\">Example</A>\n"
               "</DL><p>\n")
        << Outcome::Imported
        << QStringList{
               "Bookmarks bar/",
               "Bookmarks bar/Auctions/",
               "Bookmarks bar/Auctions/Item one.url -> https://www.ebay.com/itm/1",
               "Bookmarks bar/Fahrräder | eBay.url -> https://www.ebay.de/sch/i.html?_nkw=fahrrad&_sacat=0",
               "Example.url -> https://example.org/",
           };

    QTest::newRow("nested folders")
        << bookmarks("<DL><p>\n<DT><H3>A</H3>\n<DL><p>\n<DT><A HREF=\"http://a/\">in a</A>\n"
                     "<DT><H3>B</H3>\n<DL><p>\n<DT><H3>C</H3>\n<DL><p>\n<DT><A HREF=\"http://c/\">in c</A>\n"
                     "</DL><p>\n<DT><H3>Empty</H3>\n<DL><p>\n</DL><p>\n<DT><A HREF=\"http://b/\">in b</A>\n"
                     "</DL><p>\n</DL><p>\n<DT><A HREF=\"http://top/\">top</A>\n</DL><p>\n")
        << Outcome::Imported
        << QStringList{"A/", "A/B/", "A/B/C/", "A/B/C/in c.url -> http://c/", "A/B/Empty/",
                       "A/B/in b.url -> http://b/", "A/in a.url -> http://a/", "top.url -> http://top/"};

    QTest::newRow("entities in titles and addresses")
        << bookmarks("<DL><p>\n<DT><A HREF=\"http://e.example/?a=1&amp;b=2&#38;c=3&#x26;d=4\">"
                     "Tom &amp; Jerry &lt;3 &quot;Q&quot; it&#39;s &#x263A; caf&eacute; &nbsp;x&nbsp; &bogus; a&b</A>\n"
                     "<DT><H3>R&amp;D</H3>\n<DL><p>\n</DL><p>\n</DL>\n")
        << Outcome::Imported
        << QStringList{"R&D/",
                       "Tom & Jerry <3 \"Q\" it's \u263A café x &bogus; a&b.url -> http://e.example/?a=1&b=2&c=3&d=4"};

    QTest::newRow("tags in any letter case")
        << bookmarks("<dl><p>\n<dt><h3>lower</h3>\n<dl><p>\n<dt><a href=\"http://l/\">l</a>\n</dl><p>\n"
                     "<Dt><H3>Mixed</h3>\n<dL><dT><A hReF=\"http://m/\">m</a>\n</Dl>\n"
                     "<DT><H3>UPPER</H3>\n<DL><DT><A HREF=\"http://u/\">u</A>\n</DL>\n</dl>\n")
        << Outcome::Imported
        << QStringList{"Mixed/", "Mixed/m.url -> http://m/", "UPPER/", "UPPER/u.url -> http://u/",
                       "lower/", "lower/l.url -> http://l/"};

    QTest::newRow("single, no and spaced quotes")
        << bookmarks("<DL><p>\n<DT><A HREF='http://s.example/?q=\"x\"'>Single</A>\n"
                     "<DT><A HREF=http://u.example/p?x=1 ADD_DATE=1>Unquoted</A>\n"
                     "<DT><A ADD_DATE=\"1\" HREF = \"http://sp.example/\" >Spaced</A>\n"
                     "<DT><A LAST_CHARSET HREF=\"http://v.example/\" href=\"http://second/\">Valueless first</A>\n"
                     "</DL>\n")
        << Outcome::Imported
        << QStringList{"Single.url -> http://s.example/?q=\"x\"", "Spaced.url -> http://sp.example/",
                       "Unquoted.url -> http://u.example/p?x=1", "Valueless first.url -> http://v.example/"};

    QTest::newRow("missing </A> and </DL>")
        << bookmarks("<DL><p>\n<DT><A HREF=\"http://a/\">First\n<DT><A HREF=\"http://b/\">Second\n"
                     "<DD>a description\n<DT><H3>F</H3>\n<DL><p>\n<DT><A HREF=\"http://c/\">Third\n</DL>\n"
                     "<DT><A HREF=\"http://d/\">Fourth</A>\n<DT><H3>Open</H3>\n<DL><p>\n"
                     "<DT><A HREF=\"http://e/\">Fifth")
        << Outcome::Imported
        << QStringList{"F/", "F/Third.url -> http://c/", "First.url -> http://a/", "Fourth.url -> http://d/",
                       "Open/", "Open/Fifth.url -> http://e/", "Second.url -> http://b/"};

    QTest::newRow("duplicate names")
        << bookmarks("<DL><p>\n<DT><A HREF=\"http://1/\">Same</A>\n<DT><A HREF=\"http://2/\">Same</A>\n"
                     "<DT><A HREF=\"http://3/\">Same</A>\n<DT><A HREF=\"http://1/\">Same</A>\n"
                     "<DT><H3>Dup</H3>\n<DL><p><DT><A HREF=\"http://x/\">x</A></DL><p>\n"
                     "<DT><H3>Dup</H3>\n<DL><p><DT><A HREF=\"http://y/\">x</A></DL><p>\n</DL>\n")
        << Outcome::Imported
        << QStringList{"Dup/", "Dup/x (2).url -> http://y/", "Dup/x.url -> http://x/",
                       "Same (2).url -> http://2/", "Same (3).url -> http://3/", "Same.url -> http://1/"};

    const QString longTitle = QString(150, QChar(u'é')); // 300 bytes of UTF-8
    QTest::newRow("unsafe titles")
        << bookmarks("<DL><p>\n<DT><A HREF=\"http://s/\">News / Sport</A>\n"
                     "<DT><A HREF=\"http://dots.example/\">..</A>\n"
                     "<DT><A HREF=\"http://p/\">../../etc/passwd</A>\n"
                     "<DT><A HREF=\"http://h/\">.hidden</A>\n"
                     "<DT><A HREF=\"http://c/\">Tab&#9;bed&#1;x\x07y</A>\n"
                     "<DT><A HREF=\"http://host.example/p\"></A>\n"
                     "<DT><A HREF=\"javascript:void(0)\"> </A>\n"
                     "<DT><A HREF=\"http://n/\">nul&#0;here</A>\n"
                     "<DT><A HREF=\"http://l/\">" + longTitle.toUtf8() + "</A>\n"
                     "<DT><H3>..</H3>\n<DL><p><DT><A HREF=\"http://in/\">in</A></DL><p>\n"
                     "<DT><H3>../Escape</H3>\n<DL><p><DT><A HREF=\"http://out/\">out</A></DL><p>\n"
                     "</DL>\n")
        << Outcome::Imported
        << QStringList{"-..-etc-passwd.url -> http://p/", "-Escape/", "-Escape/out.url -> http://out/",
                       "News - Sport.url -> http://s/", "Tab bed x y.url -> http://c/", "Untitled.url -> javascript:void(0)",
                       "Untitled/", "Untitled/in.url -> http://in/", "dots.example.url -> http://dots.example/",
                       "hidden.url -> http://h/", "host.example.url -> http://host.example/p",
                       "nul\uFFFDhere.url -> http://n/", QString(100, QChar(u'é')) + ".url -> http://l/"};

    QTest::newRow("line break in an address dropped")
        << bookmarks("<DL><p><DT><A HREF=\"http://a/&#13;&#10;URL=http://evil/\">a</A></DL>")
        << Outcome::Imported << QStringList{"a.url -> http://a/URL=http://evil/"};

    QTest::newRow("windows-1252 charset")
        << QByteArray("<!DOCTYPE NETSCAPE-Bookmark-file-1>\n"
                      "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=windows-1252\">\n"
                      "<DL><p><DT><A HREF=\"http://c/\">Caf\xE9 \x80 \x93</A></DL>")
        << Outcome::Imported << QStringList{"Café € \u201C.url -> http://c/"};

    QTest::newRow("web page is no bookmark file")
        << QByteArray("<html><head><title>x</title></head><body><dl><dt><a href='http://x/'>x</a></dl></body></html>")
        << Outcome::NotBookmarkFile << QStringList{};
    QTest::newRow("empty file") << QByteArray() << Outcome::NotBookmarkFile << QStringList{};
}

void TestBookmarkImport::importsExactly()
{
    QFETCH(QByteArray, file);
    QFETCH(Outcome, outcome);
    QFETCH(QStringList, written);

    QTemporaryDir dir;
    const QString favorites = dir.filePath("Favorites");
    QVERIFY(QDir().mkpath(favorites));
    const QString source = dir.filePath("bookmarks.html");
    writeBytes(source, file);

    const BookmarkImporter::Result result = BookmarkImporter(favorites).importFile(source);
    QCOMPARE(result.outcome, outcome);
    QCOMPARE(favoritesSnapshot(favorites), written);
    if (outcome == Outcome::Imported) {
        const int files = int(std::count_if(written.cbegin(), written.cend(),
                                            [](const QString &l) { return l.contains(" -> "); }));
        QCOMPARE(result.shortcutsWritten, files);
        QCOMPARE(result.foldersMade, int(written.size()) - files);
    }
}

void TestBookmarkImport::mergesWithExistingFavorites()
{
    QTemporaryDir dir;
    const QString favorites = dir.path();
    writeShortcutFile(favorites + "/News/Paper.url", "http://paper/");
    writeShortcutFile(favorites + "/News/Radio.url", "http://old-radio/");
    writeBytes(favorites + "/Sport", "a file, not a folder");
    const QString source = favorites + "/../import.htm";
    writeBytes(source, bookmarks("<DL><p><DT><H3>News</H3><DL><p>"
                                "<DT><A HREF=\"http://paper/\">Paper</A>"
                                "<DT><A HREF=\"http://radio/\">Radio</A>"
                                "<DT><A HREF=\"http://tv/\">TV</A></DL><p>"
                                "<DT><H3>Sport</H3><DL><p><DT><A HREF=\"http://ball/\">Ball</A></DL><p></DL>"));

    const QStringList once{
        "News/",
        "News/Paper.url -> http://paper/",
        "News/Radio (2).url -> http://radio/",
        "News/Radio.url -> http://old-radio/",
        "News/TV.url -> http://tv/",
        "Sport (2)/",
        "Sport (2)/Ball.url -> http://ball/",
        "Sport = a file, not a folder",
    };
    BookmarkImporter::Result result = BookmarkImporter(favorites).importFile(source);
    QCOMPARE(result.outcome, Outcome::Imported);
    QCOMPARE(result.shortcutsWritten, 3);
    QCOMPARE(favoritesSnapshot(favorites), once);

    // The same file again finds everything in place.
    result = BookmarkImporter(favorites).importFile(source);
    QCOMPARE(result.outcome, Outcome::Imported);
    QCOMPARE(result.shortcutsWritten, 0);
    QCOMPARE(result.foldersMade, 0);
    QCOMPARE(favoritesSnapshot(favorites), once);
}

void TestBookmarkImport::neverWritesThroughLinks()
{
    QTemporaryDir dir;
    const QString favorites = dir.filePath("Favorites");
    const QString outside = dir.filePath("outside");
    QVERIFY(QDir().mkpath(favorites));
    QVERIFY(QDir().mkpath(outside));
    writeBytes(outside + "/target.txt", "keep");
    QVERIFY(QFile::link(outside, favorites + "/News"));
    QVERIFY(QFile::link(outside + "/target.txt", favorites + "/Paper.url"));
    writeBytes(dir.filePath("in.html"), bookmarks("<DL><DT><H3>News</H3><DL><DT><A HREF=\"http://n/\">n</A></DL>"
                                                 "<DT><A HREF=\"http://p/\">Paper</A></DL>"));

    QCOMPARE(BookmarkImporter(favorites).importFile(dir.filePath("in.html")).outcome, Outcome::Imported);
    QCOMPARE(favoritesSnapshot(outside), QStringList{"target.txt = keep"});
    QCOMPARE(favoritesSnapshot(favorites),
             (QStringList{"News (2)/", "News (2)/n.url -> http://n/", "News @link", "Paper (2).url -> http://p/",
                          "Paper.url @link"}));
}

void TestBookmarkImport::failedWriteLeavesNothingBehind()
{
    QTemporaryDir dir;
    const QString favorites = dir.filePath("Favorites");
    writeShortcutFile(favorites + "/Keep/Old.url", "http://old/");
    const QStringList before = favoritesSnapshot(favorites);
    const QString longUrl = "http://long.example/" + QString(300, QChar(u'x'));
    writeBytes(dir.filePath("in.html"),
              bookmarks("<DL><DT><H3>Keep</H3><DL><DT><A HREF=\"http://new/\">New</A></DL>"
                        "<DT><H3>Made</H3><DL><DT><A HREF=\"http://a/\">a</A><DT><H3>Deeper</H3><DL>"
                        "<DT><A HREF=\"http://b/\">b</A></DL>"
                        "<DT><A HREF=\"" + longUrl.toUtf8() + "\">too long for the disk</A></DL></DL>"));

    // The last, long shortcut outgrows the limit, as on a full disk.
    FileSizeLimit limit(200);
    const BookmarkImporter::Result result = BookmarkImporter(favorites).importFile(dir.filePath("in.html"));
    limit.release();

    QCOMPARE(result.outcome, Outcome::WriteFailed);
    QVERIFY(!result.error.isEmpty());
    QCOMPARE(favoritesSnapshot(favorites), before);
}

BIDBENCH_TEST_MAIN(TestBookmarkImport)
#include "tst_bookmarkimport.moc"
