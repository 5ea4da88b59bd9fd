#pragma once

#include "TextFile.h"

#include <QString>

// The browser favourites on disk: a folder tree of Internet shortcut files, each an INI file
// with the address in section "InternetShortcut", key "URL".
namespace FavoritesFolder {

// Longest name we make, in UTF-8 bytes: leaves room for " (99999)" and ".url" under the
// 255-byte limit of Linux file systems.
constexpr int kMaxNameBytes = 200;

// A page title or folder name made safe as one file name: no "/", no control characters, no
// leading dots (so never "." or ".."), blanks collapsed and trimmed, at most kMaxNameBytes.
// The result may be empty; the caller decides what to use then.
QString safeName(const QString &title);

// The shortcut file's text: "[InternetShortcut]" and "URL=" the address, CR LF line ends.
// Line breaks and other control characters are dropped from the address, since they would
// end its line.
QStringList shortcutLines(const QString &url);
// Writes (or replaces) the shortcut through QSaveFile: the old file stays until the new one
// is safely on disk.
TextFile::WriteResult writeShortcut(const QString &path, const QString &url);
// Makes a new shortcut file that must not exist yet. It is written under a temporary name and
// renamed into place, so it appears whole or not at all, and a file that showed up meanwhile
// is never replaced. Unlike writeShortcut it does not wait for the disk (an fdatasync per
// file made a 10,000-bookmark import take half a minute); there is no old file to protect.
TextFile::WriteResult createShortcut(const QString &path, const QString &url);

// The address a shortcut file opens; empty when it has none.
QString readShortcut(const QString &path);

// True when writing path would write inside folder (itself excluded), with every link
// resolved. path itself need not exist yet; its parent folder must.
bool isInside(const QString &folder, const QString &path);

} // namespace FavoritesFolder
