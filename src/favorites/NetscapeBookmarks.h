#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// Reader of Netscape bookmark files (<!DOCTYPE NETSCAPE-Bookmark-file-1>), the format that
// browsers export. Lenient, as those files are: tags in any letter case, attributes quoted
// with " or ' or not at all, several items on a line, missing end tags, <DD> descriptions,
// <HR> separators and unknown tags. "place:" links (a browser's saved queries) are left out.
namespace NetscapeBookmarks {

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
};

// Bytes to text: a byte-order mark, else the META charset, else UTF-8 (invalid UTF-8 is read
// as Windows-1252, as is ISO-8859-1, which browsers treat alike).
QString decode(const QByteArray &bytes);

// HTML character references: named ones common in titles, decimal and hexadecimal ones.
// Unknown names are kept as they are.
QString decodeEntities(QStringView text);

Parsed parse(const QByteArray &bytes);
Parsed parseText(const QString &text);

} // namespace NetscapeBookmarks
