#include "BookmarkImporter.h"

#include "DirectoryListing.h"
#include "FavoritesFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>

#include <sys/stat.h>

using NetscapeBookmarks::Item;

namespace {
const QString kUntitled = QStringLiteral("Untitled");

bool exists(const QString &path)
{
    struct stat st;
    return lstat(QFile::encodeName(path).constData(), &st) == 0; // dangling links count
}

QString numbered(const QString &name, int n)
{
    return n == 1 ? name : name + QStringLiteral(" (%1)").arg(n);
}

QString linkName(const Item &item)
{
    QString name = FavoritesFolder::safeName(item.title);
    if (name.isEmpty())
        name = FavoritesFolder::safeName(QUrl(item.url).host());
    return name.isEmpty() ? kUntitled : name;
}
} // namespace

BookmarkImporter::BookmarkImporter(QString favoritesFolder) : m_root(std::move(favoritesFolder)) {}

BookmarkImporter::Result BookmarkImporter::importFile(const QString &bookmarkFile)
{
    Result result;
    QFile file(bookmarkFile);
    if (!QFileInfo(bookmarkFile).isFile()) {
        result.error = QFileInfo::exists(bookmarkFile) ? QStringLiteral("It is not a file.")
                                                       : QStringLiteral("No such file.");
        return result;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        result.error = file.errorString();
        return result;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        result.error = file.errorString();
        return result;
    }
    const NetscapeBookmarks::Parsed parsed = NetscapeBookmarks::parse(bytes);
    if (!parsed.isBookmarkFile) {
        result.outcome = Outcome::NotBookmarkFile;
        return result;
    }
    return importItems(parsed.items);
}

BookmarkImporter::Result BookmarkImporter::importItems(const QList<Item> &items)
{
    m_madeFiles.clear();
    m_madeFolders.clear();
    m_error.clear();
    Result result;
    if (m_root.isEmpty() || !QFileInfo(m_root).isDir()) {
        result.outcome = Outcome::WriteFailed;
        result.error = QStringLiteral("There is no Favorites folder.");
        return result;
    }
    if (!writeFolder(m_root, items)) {
        rollBack();
        result.outcome = Outcome::WriteFailed;
        result.error = m_error;
        return result;
    }
    result.outcome = Outcome::Imported;
    result.foldersMade = int(m_madeFolders.size());
    result.shortcutsWritten = int(m_madeFiles.size());
    return result;
}

bool BookmarkImporter::writeFolder(const QString &folder, const QList<Item> &items)
{
    for (const Item &item : items) {
        if (item.isFolder) {
            QString name = FavoritesFolder::safeName(item.title);
            if (name.isEmpty())
                name = kUntitled;
            const QString sub = folderFor(folder, name);
            if (sub.isEmpty() || !writeFolder(sub, item.children))
                return false;
        } else {
            const QString path = shortcutFor(folder, linkName(item), item.url);
            if (path.isEmpty())
                continue; // already there
            const TextFile::WriteResult written = FavoritesFolder::createShortcut(path, item.url);
            if (!written.ok) {
                m_error = written.error;
                return false;
            }
            m_madeFiles.append(path);
        }
    }
    return true;
}

// The folder to import into: an existing plain folder of that name, or a new one. Never a
// link, which could lead outside the Favorites folder.
QString BookmarkImporter::folderFor(const QString &parent, const QString &name)
{
    for (int n = 1;; ++n) {
        const QString path = parent + QLatin1Char('/') + numbered(name, n);
        if (!exists(path)) {
            if (!QDir().mkdir(path)) {
                m_error = QStringLiteral("The folder \"%1\" could not be made.").arg(path);
                return QString();
            }
            m_madeFolders.append(path);
            return path;
        }
        const unsigned attributes = DirectoryListing::attributesOf(path);
        if ((attributes & DirectoryListing::Directory) && !(attributes & DirectoryListing::ReparsePoint))
            return path;
    }
}

// A free path for the shortcut, or empty when a shortcut of that name already opens url.
QString BookmarkImporter::shortcutFor(const QString &parent, const QString &name, const QString &url)
{
    const QString wanted = FavoritesFolder::shortcutLines(url).constLast().mid(4);
    for (int n = 1;; ++n) {
        const QString path = parent + QLatin1Char('/') + numbered(name, n) + QStringLiteral(".url");
        if (!exists(path))
            return path;
        const unsigned attributes = DirectoryListing::attributesOf(path);
        if (!(attributes & (DirectoryListing::Directory | DirectoryListing::ReparsePoint))
            && FavoritesFolder::readShortcut(path) == wanted)
            return QString();
    }
}

void BookmarkImporter::rollBack()
{
    for (auto it = m_madeFiles.crbegin(); it != m_madeFiles.crend(); ++it)
        QFile::remove(*it);
    for (auto it = m_madeFolders.crbegin(); it != m_madeFolders.crend(); ++it)
        QDir().rmdir(*it);
    m_madeFiles.clear();
    m_madeFolders.clear();
}
