#include "BookmarkImporter.h"
#include "FuzzInput.h"

// Reading, size check, parse and writing, into a Favorites folder of its own each time.
FUZZ_TARGET(bytes)
{
    QTemporaryDir favorites;
    BookmarkImporter(favorites.path()).importFile(fuzzFile(bytes, QStringLiteral("bookmarks.htm")));
}
