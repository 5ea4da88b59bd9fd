#include "SearchSites.h"

namespace SearchSites {

QString domain(const QStringList &domains, int i)
{
    return (i >= 0 && i < Count && i < domains.size()) ? domains.at(i) : QString();
}

QStringList labels(const QStringList &domains)
{
    return {domain(domains, 0),
            QStringLiteral("eBay Canada"),
            QStringLiteral("eBay UK"),
            QStringLiteral("eBay Germany"),
            QStringLiteral("eBay Australia"),
            QStringLiteral("eBay Austria"),
            QStringLiteral("eBay France"),
            QStringLiteral("eBay Netherlands"),
            QStringLiteral("eBay Belgium (FR)"),
            QStringLiteral("eBay Belgium (FL)"),
            QStringLiteral("eBay Switzerland"),
            QStringLiteral("eBay Italy"),
            QStringLiteral("eBay Spain")};
}

QString GetCategoriesURL(const QStringList &domains, int i)
{
    return QStringLiteral("http://listings.") + domain(domains, i)
        + QStringLiteral("/aw/plistings/list/categories.html");
}

} // namespace SearchSites
