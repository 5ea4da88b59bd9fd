#pragma once

#include <QIcon>

// The pictures of the favourites trees, by index: 1 a folder, 2 a selected (open) folder,
// 3 the favourites root, 4 a shortcut.
namespace FavoritesImages {

// An icon showing `image` normally and `selectedImage` while its node is selected.
QIcon icon(int image, int selectedImage);

} // namespace FavoritesImages
