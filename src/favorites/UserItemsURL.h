#pragma once

#include <QString>

struct Destinations;

// The US site's page of a seller's listed items or of a bidder's bid items. The ID goes in
// as it stands, blanks included: nothing is percent-encoded.
QString GetUserItemsURL(const Destinations &destinations, const QString &sUserID, bool bSellers);
