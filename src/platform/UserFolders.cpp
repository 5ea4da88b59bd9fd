#include "UserFolders.h"

#include "TextFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace SpecialFolder {

QString path(int csidl)
{
    if (csidl != Favorites)
        return QString();
    const QString dataHome = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (dataHome.isEmpty())
        return QString();
    const QString folder = QDir::cleanPath(dataHome + QStringLiteral("/bidbench/Favorites"));
    if (!QDir().mkpath(folder) || !QFileInfo(folder).isDir())
        return QString();
    return folder;
}

} // namespace SpecialFolder

namespace UserFolders {

QString dataFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/bidbench");
}

QString programFilesFolder(const QString &executableFolder)
{
    const QString installed =
        QDir::cleanPath(executableFolder + QLatin1Char('/') + QStringLiteral(BIDBENCH_PROGRAM_FILES_FROM_BIN));
    return QFileInfo(installed).isDir() ? installed : executableFolder;
}

QString prepareDataFolder(const QString &dataFolder, const QString &oldFolder, const QStringList &names)
{
    if (!QDir().mkpath(dataFolder) || !QFileInfo(dataFolder).isDir())
        return QStringLiteral("The folder %1 cannot be made, so your lists cannot be saved.")
            .arg(QDir::toNativeSeparators(dataFolder));
    for (const QString &name : names) {
        const QString from = QDir(oldFolder).filePath(name);
        const QString to = QDir(dataFolder).filePath(name);
        if (!QFileInfo(from).isFile() || QFileInfo::exists(to))
            continue;
        QFile old(from);
        if (!old.open(QIODevice::ReadOnly))
            return QStringLiteral("%1 cannot be read: %2").arg(QDir::toNativeSeparators(from), old.errorString());
        const TextFile::WriteResult written = TextFile::writeBytes(to, old.readAll());
        if (!written.ok)
            return QStringLiteral("%1 cannot be written: %2").arg(QDir::toNativeSeparators(to), written.error);
    }
    return QString();
}

} // namespace UserFolders
