#include "UserIDFile.h"

#include "CUserIDs.h"
#include "TextFile.h"

#include <QDir>

QString UserIDFileName(bool bSellers)
{
    return bSellers ? QStringLiteral("Sellers.txt") : QStringLiteral("Bidders.txt");
}

QString UserIDFilePath(const QString &dataDir, bool bSellers)
{
    return QDir(dataDir).filePath(UserIDFileName(bSellers));
}

UserIDFileResult ReadUserIDFile(const QString &dataDir, bool bSellers, CUserIDs &list)
{
    UserIDFileResult result;
    result.path = UserIDFilePath(dataDir, bSellers);
    const TextFile::ReadResult read = TextFile::readLines(result.path);
    if (!read.ok) {
        result.error = read.error;
        return result;
    }
    list.reserve(read.lines.size());
    for (const QString &line : read.lines)
        list.Add(line);
    result.ok = true;
    return result;
}

UserIDFileResult WriteUserIDFile(const QString &dataDir, bool bSellers, const CUserIDs &list)
{
    UserIDFileResult result;
    result.path = UserIDFilePath(dataDir, bSellers);
    const TextFile::WriteResult written = TextFile::writeLines(result.path, list.ids());
    result.ok = written.ok;
    result.error = written.error;
    return result;
}
