#pragma once

#include "NetscapeBookmarks.h"

#include <QString>

// Imports a Netscape bookmark file into the Favorites folder: folders become folders (merged
// with existing plain folders of the same name), links become shortcut files. A name already
// taken gets " (2)", " (3)" ...; a shortcut of that name that already opens the same address
// is left as it is, so importing a file twice adds nothing. Either everything is written or,
// after a failure, whatever this import made is removed again.
class BookmarkImporter
{
public:
    enum class Outcome { Imported, Unreadable, NotBookmarkFile, WriteFailed };

    struct Result
    {
        Outcome outcome = Outcome::Unreadable;
        QString error; // the system's reason, for Unreadable and WriteFailed
        int foldersMade = 0;
        int shortcutsWritten = 0;
    };

    explicit BookmarkImporter(QString favoritesFolder);

    Result importFile(const QString &bookmarkFile);
    Result importItems(const QList<NetscapeBookmarks::Item> &items);

private:
    bool writeFolder(const QString &folder, const QList<NetscapeBookmarks::Item> &items);
    QString folderFor(const QString &parent, const QString &name);
    QString shortcutFor(const QString &parent, const QString &name, const QString &url);
    void rollBack();

    QString m_root;
    QStringList m_madeFiles;
    QStringList m_madeFolders;
    QString m_error;
};
