#include "DirectoryListing.h"

#include <QFile>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

namespace DirectoryListing {

namespace {
unsigned attributesFrom(const QString &name, const struct stat &linkStat, int dirFd,
                        const QByteArray &encodedName)
{
    unsigned attributes = 0;
    struct stat st = linkStat;
    if (S_ISLNK(linkStat.st_mode)) {
        attributes |= ReparsePoint;
        // The link's target decides whether it is a folder; a dangling link is a file.
        if (fstatat(dirFd, encodedName.constData(), &st, 0) != 0)
            st = linkStat;
    }
    if (S_ISDIR(st.st_mode))
        attributes |= Directory;
    if (!(st.st_mode & S_IWUSR))
        attributes |= ReadOnly;
    if (name.startsWith(QLatin1Char('.')))
        attributes |= Hidden;
    return attributes;
}
} // namespace

QList<Entry> list(const QString &folder, Include include)
{
    QList<Entry> entries;
    const int dirFd = open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd < 0)
        return entries;
    DIR *dir = fdopendir(dirFd);
    if (!dir) {
        close(dirFd);
        return entries;
    }
    while (const dirent *d = readdir(dir)) {
        const QByteArray encoded(d->d_name);
        if (encoded == "." || encoded == "..")
            continue;
        struct stat linkStat;
        if (fstatat(dirFd, d->d_name, &linkStat, AT_SYMLINK_NOFOLLOW) != 0)
            continue; // gone since it was listed
        const QString name = QFile::decodeName(encoded);
        const unsigned attributes = attributesFrom(name, linkStat, dirFd, encoded);
        if (include == Include::Files && (attributes & Directory))
            continue;
        entries.append(Entry{name, attributes});
    }
    closedir(dir); // closes dirFd too
    return entries;
}

unsigned attributesOf(const QString &path)
{
    const QByteArray encoded = QFile::encodeName(path);
    struct stat linkStat;
    if (lstat(encoded.constData(), &linkStat) != 0)
        return 0;
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    const QString name = slash < 0 ? path : path.mid(slash + 1);
    return attributesFrom(name, linkStat, AT_FDCWD, encoded);
}

} // namespace DirectoryListing
