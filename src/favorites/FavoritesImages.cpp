#include "FavoritesImages.h"

#include "Pictures.h"

#include <QHash>

static void initFavoritesPictures()
{
    Q_INIT_RESOURCE(favorites_pictures);
}

namespace FavoritesImages {

namespace {
QString file(int index)
{
    static const char *const names[] = {"folder", "folder-open", "root", "shortcut"};
    const char *name = index >= 1 && index <= 4 ? names[index - 1] : "folder";
    return QStringLiteral(":/favorites/") + QLatin1String(name) + QStringLiteral(".svg");
}
} // namespace

QIcon icon(int image, int selectedImage)
{
    static const bool registered = (initFavoritesPictures(), true);
    Q_UNUSED(registered);
    static QHash<int, QIcon> made;
    const int key = image * 16 + selectedImage;
    auto it = made.find(key);
    if (it == made.end())
        it = made.insert(key, Pictures::icon(file(image), file(selectedImage), QIcon::Selected));
    return *it;
}

} // namespace FavoritesImages
