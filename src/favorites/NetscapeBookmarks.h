#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <atomic>

// Reader of Netscape bookmark files (<!DOCTYPE NETSCAPE-Bookmark-file-1>), the format that
// browsers export. Lenient, as those files are: tags in any letter case, attributes quoted
// with " or ' or not at all, several items on a line, missing end tags, <DD> descriptions,
// <HR> separators and unknown tags. "place:" links (a browser's saved queries) are left out,
// and so are links inside a <DD> description (some services put thumbnails there). A file
// without the doctype line still counts when it holds a bookmark list (<DL> with <DT><A HREF>
// or <DT><H3> items), as some services export it.
namespace NetscapeBookmarks {

// Folders nested deeper than this become part of the folder at this depth: a file may nest
// without end, and the tree, its writing and its end must not recurse without end.
constexpr int kMaxDepth = 100;

struct Item
{
    bool isFolder = false;
    QString title; // entities decoded, blanks collapsed
    QString url;   // links only, entities decoded
    QList<Item> children;

    bool operator==(const Item &) const = default;
};

struct Parsed
{
    bool isBookmarkFile = false;
    QList<Item> items; // the root's items
    int foldersFlattened = 0; // folders below kMaxDepth, their items moved up
};

// Bytes to text: a byte-order mark, else the META charset, else UTF-8 (invalid UTF-8 is read
// as Windows-1252, as is ISO-8859-1, which browsers treat alike).
QString decode(const QByteArray &bytes);

// HTML character references: named ones common in titles, decimal and hexadecimal ones.
// Unknown names are kept as they are.
QString decodeEntities(QStringView text);

// Setting *cancel (from another thread) ends the parse early with what it has.
Parsed parse(const QByteArray &bytes, const std::atomic_bool *cancel = nullptr);
Parsed parseText(const QString &text, const std::atomic_bool *cancel = nullptr);

} // namespace NetscapeBookmarks
