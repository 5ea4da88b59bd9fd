#include "CUserIDs.h"
#include "FuzzInput.h"
#include "TextFile.h"
#include "UserIDFile.h"

#include <QFileInfo>

// A list file, then the same bytes as a bidder page and as a space-separated string.
FUZZ_TARGET(bytes)
{
    CUserIDs list;
    ReadUserIDFile(QFileInfo(fuzzFile(bytes, UserIDFileName(true))).path(), true, list);
    const QString text = TextFile::decode(bytes);
    list.LoadFromBidderPage(text);
    list.LoadFromSpaceDelimitedString(text);
    list.CreateIDString();
}
