// Imports a Netscape bookmark file of 10,000 bookmarks (500 folders, Firefox-style attributes
// with icons) into an empty Favorites folder. Goal: under 2 s.
#include "BookmarkImporter.h"
#include "NetscapeBookmarks.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

namespace {
QByteArray makeBookmarkFile()
{
    QByteArray html = "<!DOCTYPE NETSCAPE-Bookmark-file-1>\n"
                      "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=UTF-8\">\n"
                      "<TITLE>Bookmarks</TITLE>\n<H1>Bookmarks Menu</H1>\n<DL><p>\n";
    const QByteArray icon = "data:image/png;base64," + QByteArray(600, 'A');
    int n = 0;
    for (int folder = 0; folder < 500; ++folder) {
        html += "    <DT><H3 ADD_DATE=\"1700000000\" LAST_MODIFIED=\"1700000000\">Folder "
                + QByteArray::number(folder) + " &amp; more</H3>\n    <DL><p>\n";
        for (int i = 0; i < 20; ++i, ++n) {
            html += "        <DT><A HREF=\"https://www.example.com/itm/Item-" + QByteArray::number(n)
                    + "?hash=item&amp;var=" + QByteArray::number(i) + "\" ADD_DATE=\"1700000000\" ICON=\""
                    + icon + "\">Auction item " + QByteArray::number(n) + " &ndash; caf&eacute;</A>\n";
            if (i % 5 == 0)
                html += "<DD>A short description of the item\n";
        }
        html += "    </DL><p>\n";
    }
    html += "</DL>\n";
    return html;
}
} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString source = dir.filePath(QStringLiteral("bookmarks.html"));
    const QByteArray html = makeBookmarkFile();
    QFile file(source);
    file.open(QIODevice::WriteOnly);
    file.write(html);
    file.close();

    QList<qint64> parses;
    for (int run = 0; run < 5; ++run) {
        QElapsedTimer timer;
        timer.start();
        const auto parsed = NetscapeBookmarks::parse(html);
        parses.append(timer.elapsed());
        if (parsed.items.size() != 500)
            return 1;
    }
    QList<qint64> imports;
    int written = 0;
    for (int run = 0; run < 5; ++run) {
        const QString favorites = dir.filePath(QStringLiteral("Favorites%1").arg(run));
        QDir().mkpath(favorites);
        QElapsedTimer timer;
        timer.start();
        const BookmarkImporter::Result result = BookmarkImporter(favorites).importFile(source);
        imports.append(timer.elapsed());
        written = result.shortcutsWritten;
        if (result.outcome != BookmarkImporter::Outcome::Imported)
            return 1;
    }
    std::sort(parses.begin(), parses.end());
    std::sort(imports.begin(), imports.end());
    std::printf("bookmark file: %lld KiB, 10,000 bookmarks in 500 folders; %d shortcuts written\n",
                static_cast<long long>(html.size() / 1024), written);
    std::printf("parse only:  min %lld ms, median %lld ms\n", parses.first(), parses.at(2));
    std::printf("whole import: min %lld ms, median %lld ms, max %lld ms (goal < 2000 ms)\n",
                imports.first(), imports.at(2), imports.last());
    return written == 10000 ? 0 : 1;
}
