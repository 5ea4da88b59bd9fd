#include "UserIDFile.h"

#include "CUserIDs.h"
#include "TextFile.h"

#include <QDir>

QString UserIDFileName(bool bSellers)
{
    return bSellers ? QStringLiteral("Sellers.txt") : QStringLiteral("Bidders.txt");
}

QString UserIDFilePath(const QString &programDir, bool bSellers)
{
    return QDir(programDir).filePath(UserIDFileName(bSellers));
}

UserIDFileResult ReadUserIDFile(const QString &programDir, bool bSellers, CUserIDs &list)
{
    UserIDFileResult result;
    result.path = UserIDFilePath(programDir, bSellers);
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

UserIDFileResult WriteUserIDFile(const QString &programDir, bool bSellers, const CUserIDs &list)
{
    UserIDFileResult result;
    result.path = UserIDFilePath(programDir, bSellers);
    const TextFile::WriteResult written = TextFile::writeLines(result.path, list.ids());
    result.ok = written.ok;
    result.error = written.error;
    return result;
}
