#pragma once

#include "Destinations.h"

#include <QtWidgets>

// The bytes of a file exactly as they are on disk; empty when it cannot be read.
QByteArray readBytes(const QString &path);
// Writes the bytes whole, making the folder too.
void writeBytes(const QString &path, const QByteArray &bytes);
inline void writeShortcutFile(const QString &path, const QString &url)
{
    writeBytes(path, "[InternetShortcut]\r\nURL=" + url.toUtf8() + "\r\n");
}

// What a Favorites folder holds, as sorted lines: "Folder/" for a folder and
// "Folder/Name.url -> address" for a shortcut in exactly the format we write; any other file
// shows its raw bytes, so a wrong format fails the comparison too.
QStringList favoritesSnapshot(const QString &root);

// While alive, no file may grow beyond `bytes` (RLIMIT_FSIZE): writes fail part-way, as on a
// full disk, and that holds for root too.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(long long bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;

private:
    long long m_savedCur = 0;
    void (*m_savedHandler)(int) = nullptr;
};

// Destinations whose hosts say which role they play, so a wrong choice shows in the address.
// Site 1 is "www.ebay.com"; the search domains are those of a default build.
Destinations testDestinations();
