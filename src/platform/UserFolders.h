#pragma once

#include <QString>
#include <QStringList>

// The user's special folders by their Windows identifiers. Only the Favorites folder exists
// here: $XDG_DATA_HOME/bidbench/Favorites, made on first use.
namespace SpecialFolder {

constexpr int Favorites = 6;

// The folder's full path without a trailing separator; the empty string when the identifier
// is unknown or the folder cannot be made.
QString path(int csidl);

} // namespace SpecialFolder

// Where the program's files live. An installed executable's folder (/usr/bin) is not
// writable, so what the program writes for the user goes to a data folder of its own.
namespace UserFolders {

// $XDG_DATA_HOME/bidbench: the lists and PleaseWait.html, beside Favorites/ and profiles/.
QString dataFolder();

// The read-only program files (help/): <prefix>/share/bidbench for an executable installed
// in <prefix>/bin, else the executable's own folder, as in a build.
QString programFilesFolder(const QString &executableFolder);

// Makes the data folder and copies into it each of the named files that an earlier build
// left in oldFolder and that the data folder does not have yet; nothing is deleted.
// Returns what went wrong, for one message to the user, or an empty string.
QString prepareDataFolder(const QString &dataFolder, const QString &oldFolder, const QStringList &names);

} // namespace UserFolders
