#pragma once

#include <QString>

// The user's special folders by their Windows identifiers. Only the Favorites folder exists
// here: $XDG_DATA_HOME/bidbench/Favorites, made on first use.
namespace SpecialFolder {

constexpr int Favorites = 6;

// The folder's full path without a trailing separator; the empty string when the identifier
// is unknown or the folder cannot be made.
QString path(int csidl);

} // namespace SpecialFolder
