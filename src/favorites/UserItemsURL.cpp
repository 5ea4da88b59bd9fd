#include "UserItemsURL.h"

#include "Destinations.h"

QString GetUserItemsURL(const Destinations &destinations, const QString &sUserID, bool bSellers)
{
    if (bSellers)
        return QStringLiteral("http://") + destinations.listedItemsHost
            + QStringLiteral("/aw-cgi/eBayISAPI.dll?MfcISAPICommand=ViewListedItems&userid=")
            + sUserID + QStringLiteral("&include=0&since=-1&sort=2&rows=25");
    return QStringLiteral("http://") + destinations.bidItemsHost
        + QStringLiteral("/aw-cgi/eBayISAPI.dll?MfcISAPICommand=ViewBidItems&userid=") + sUserID
        + QStringLiteral("&completed=0&all=1&rows=25");
}
