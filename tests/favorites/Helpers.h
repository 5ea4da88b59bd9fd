#pragma once

#include "FavoritesTestTools.h" // writeFile, writeShortcutFile

#include <QByteArray>
#include <QString>
#include <QStringList>

class QListWidget;

// Raw file access for tests: the bytes exactly as they are on disk.
QByteArray readBytes(const QString &path);

// While alive, no file may grow beyond `bytes` (RLIMIT_FSIZE): writes fail part-way, as on a
// full disk, and that holds for root too.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(long long bytes);
    ~FileSizeLimit() { release(); }
    void release();
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;

private:
    long long m_savedCur = 0;
    void (*m_savedHandler)(int) = nullptr;
    bool m_active = false;
};

// List boxes as the user sees them.
QStringList rows(const QListWidget *list);
QString selectedText(const QListWidget *list);
void clickRow(QListWidget *list, const QString &text, bool doubleClick = false);

// The thirteen search-site domains of a default build.
extern const QStringList kSearchDomains;
