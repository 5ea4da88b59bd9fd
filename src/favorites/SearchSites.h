#pragma once

#include <QString>
#include <QStringList>

// The thirteen eBay sites a saved search can go to, by index (0 = United States). A table of its
// own: the start-up site list has other sites in another order. The domains are the build's
// (Destinations::searchDomains).
namespace SearchSites {

constexpr int Count = 13;

// The domain of site i; empty outside 0-12 (or when the build gave fewer domains).
QString domain(const QStringList &domains, int i);

// The site choices in table order: the US site's domain, then "eBay Canada" ... "eBay Spain".
QStringList labels(const QStringList &domains);

// eBay's category list of site i, for the user's own browser.
QString GetCategoriesURL(const QStringList &domains, int i);

} // namespace SearchSites
