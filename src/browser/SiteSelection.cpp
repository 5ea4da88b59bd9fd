#include "SiteSelection.h"

namespace SiteSelection {

namespace {

const QString kHttp = QStringLiteral("http://");

// Without a redirect base (a build without a redirect service) the site's own address.
QString redirectStart(int site, const QString &host, const Destinations &d)
{
    if (d.redirectBase(site).isEmpty())
        return kHttp + host;
    return d.redirectBase(site) + QStringLiteral("?loc=") + EncodeForRedirect(kHttp + host);
}

// "www.ebay.com" -> "&eBay.com": the US site's domain name, access key on its first letter.
QString domainCaption(const QString &host)
{
    QString domain = host;
    if (domain.startsWith(QLatin1String("www."), Qt::CaseInsensitive))
        domain = domain.mid(4);
    if (domain.startsWith(QLatin1String("ebay."), Qt::CaseInsensitive))
        domain = QStringLiteral("eBay.") + domain.mid(5);
    return QLatin1Char('&') + domain;
}

} // namespace

bool isValidSite(int index)
{
    return index >= kFirstSite && index <= kLastSite;
}

QString menuCaption(int index, const Destinations &d)
{
    switch (index) {
    case 1: return domainCaption(d.ebayHostUS);
    case 2: return QStringLiteral("eBay &Canada");
    case 3: return QStringLiteral("eBay &UK");
    case 4: return QStringLiteral("eBay &Australia");
    case 5: return QStringLiteral("eBay &Ireland");
    case 6: return QStringLiteral("eBay &New Zealand");
    case 7: return QStringLiteral("eBay &Motors");
    case 8: return QStringLiteral("eBay Germany");
    case 9: return QStringLiteral("eBay Austria");
    case 10: return QStringLiteral("eBay Switzerland");
    case 11: return QStringLiteral("eBay France");
    case 12: return QStringLiteral("eBay Spain");
    case 13: return QStringLiteral("eBay Italy");
    case 14: return QStringLiteral("eBay Taiwan");
    default: return QString();
    }
}

QString SiteStartURL(int index, const Destinations &d)
{
    switch (index) {
    case 1: return redirectStart(1, d.ebayHostUS, d);
    case 2: return redirectStart(2, d.ebayHostCA, d);
    case 3: return redirectStart(3, d.ebayHostUK, d);
    case 4: return redirectStart(4, d.ebayHostAU, d);
    case 5: return kHttp + d.ebayPagesHost + QStringLiteral("/ie/index.html");
    case 6: return kHttp + d.ebayPagesHost + QStringLiteral("/nz/index.html");
    case 7: return kHttp + d.ebayPagesHost + QStringLiteral("/ebaymotors/index.html");
    case 8: return kHttp + d.ebayHostDE;
    case 9: return kHttp + d.ebayHostAT;
    case 10: return kHttp + d.ebayHostCH;
    case 11: return kHttp + d.ebayHostFR;
    case 12: return kHttp + d.ebayHostES;
    case 13: return kHttp + d.ebayHostIT;
    case 14: return kHttp + d.ebayHostTW;
    default: return QString();
    }
}

QString EncodeForRedirect(const QString &sURL)
{
    QString encoded = sURL;
    encoded.replace(QLatin1Char(':'), QLatin1String("%3A"));
    encoded.replace(QLatin1Char('?'), QLatin1String("%3F"));
    encoded.replace(QLatin1Char('&'), QLatin1String("%26"));
    encoded.replace(QLatin1Char('='), QLatin1String("%3D"));
    return encoded;
}

QString AffiliateURL(const QString &sURL, const Destinations &d)
{
    if (d.redirectBase(1).isEmpty())
        return sURL;
    return d.redirectBase(1) + QStringLiteral("?loc=") + EncodeForRedirect(sURL);
}

int siteFromSetting(const QString &stored)
{
    bool ok = false;
    const int index = stored.trimmed().toInt(&ok);
    return ok && isValidSite(index) ? index : kDefaultSite;
}

} // namespace SiteSelection
