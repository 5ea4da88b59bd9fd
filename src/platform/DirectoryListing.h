#pragma once

#include <QList>
#include <QString>

// Directory listing with the attributes Windows reports, as far as Linux has them:
// read-only is a missing owner write permission, hidden is a leading dot, and a symbolic link
// carries the reparse-point attribute, so that a walk that wants plain folders never follows
// one (a link loop would never end). There is no system or archive attribute.
namespace DirectoryListing {

enum Attribute : unsigned {
    ReadOnly = 0x1,
    Hidden = 0x2,
    Directory = 0x10,
    ReparsePoint = 0x400,
};

struct Entry
{
    QString name;
    unsigned attributes = 0;
};

enum class Include { Files, FilesAndFolders };

// The entries of folder in the order the file system returns them, hidden ones included,
// "." and ".." left out. With Include::Files, folders (and links to folders) are left out.
// A folder that cannot be read gives an empty list.
QList<Entry> list(const QString &folder, Include include);

// The attributes of one path, without following a final symbolic link; 0 when it is missing.
unsigned attributesOf(const QString &path);

// Exactly the directory attribute: a plain folder that is neither read-only, hidden nor a link.
inline bool isPlainFolder(unsigned attributes) { return attributes == Directory; }

} // namespace DirectoryListing
