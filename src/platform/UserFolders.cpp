#include "UserFolders.h"

#include <QDir>
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
