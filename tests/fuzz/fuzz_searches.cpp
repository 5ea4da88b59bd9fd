#include "CSearches.h"
#include "FuzzInput.h"

// The saved-search file, and the search address built from each search read.
FUZZ_TARGET(bytes)
{
    CSearches searches(QStringList(13, QStringLiteral("ebay.test")));
    searches.Load(fuzzFile(bytes, CSearches::FileName()));
    for (const CSearches::Entry &search : searches)
        (void)(CSearches::formatLine(*search) + search->GetSearchURL());
}
