#pragma once

#include <QString>

class CUserIDs;

// "Sellers.txt" and "Bidders.txt" in the data folder: one user ID per line, CR LF.
QString UserIDFileName(bool bSellers);
QString UserIDFilePath(const QString &dataDir, bool bSellers);

struct UserIDFileResult
{
    bool ok = false;
    QString path;
    QString error; // the reason, for the message to the user
};

// Adds every line of the file to the list (duplicates and empty lines are dropped by Add).
// A missing file is an empty list; ok is false only when an existing file cannot be read.
UserIDFileResult ReadUserIDFile(const QString &dataDir, bool bSellers, CUserIDs &list);

// Writes the list over the file, whole and atomically: on failure the old file stays as it was.
UserIDFileResult WriteUserIDFile(const QString &dataDir, bool bSellers, const CUserIDs &list);
