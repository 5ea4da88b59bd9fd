#pragma once

#include "Destinations.h"

#include <QString>

// The fourteen start-up auction sites, their start pages and the affiliate redirect wrapping.
// Pure functions of the build's destinations, so they are tested without a window.
namespace SiteSelection {

constexpr int kFirstSite = 1;
constexpr int kLastSite = 14;
constexpr int kDefaultSite = 1;

bool isValidSite(int index);

// Menu caption of site index (1-14), with its access key; empty outside the range.
QString menuCaption(int index, const Destinations &destinations);

// Start page of site index; the empty string for an index outside 1-14 (no site checked).
// Sites 1-4 without a redirect base go straight to the site's own address.
QString SiteStartURL(int index, const Destinations &destinations);

// Replaces ":", "?", "&" and "=" by their percent codes; nothing else changes.
QString EncodeForRedirect(const QString &sURL);

// The redirect URL that leads to sURL, always through the redirect base of site 1; sURL
// itself when site 1 has no redirect base.
QString AffiliateURL(const QString &sURL, const Destinations &destinations);

// The stored "Site" value as a site index; anything that is not an index 1-14 means site 1.
int siteFromSetting(const QString &stored);

} // namespace SiteSelection
