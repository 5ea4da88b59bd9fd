#include "Destinations.h"

#include "DestinationsConfig.h"

QString Destinations::redirectBase(int i) const
{
    return (i >= 1 && i <= redirectBases.size()) ? redirectBases.at(i - 1) : QString();
}

Destinations Destinations::fromBuild()
{
    Destinations d;
    d.serviceHost = QStringLiteral(BIDBENCH_SERVICE_HOST_VALUE);
    d.talvexWebHost = QStringLiteral(BIDBENCH_TALVEX_WEB_HOST_VALUE);
    d.makerWebHost = QStringLiteral(BIDBENCH_MAKER_WEB_HOST_VALUE);
    d.supportEmail = QStringLiteral(BIDBENCH_SUPPORT_EMAIL_VALUE);
    d.infoEmail = QStringLiteral(BIDBENCH_INFO_EMAIL_VALUE);
    d.serviceHelpEmail = QStringLiteral(BIDBENCH_SERVICE_HELP_EMAIL_VALUE);
    d.redirectBases = {QStringLiteral(BIDBENCH_REDIRECT_BASE_1_VALUE),
                       QStringLiteral(BIDBENCH_REDIRECT_BASE_2_VALUE),
                       QStringLiteral(BIDBENCH_REDIRECT_BASE_3_VALUE),
                       QStringLiteral(BIDBENCH_REDIRECT_BASE_4_VALUE)};
    d.ebayHostUS = QStringLiteral(BIDBENCH_EBAY_HOST_US_VALUE);
    d.ebayHostCA = QStringLiteral(BIDBENCH_EBAY_HOST_CA_VALUE);
    d.ebayHostUK = QStringLiteral(BIDBENCH_EBAY_HOST_UK_VALUE);
    d.ebayHostAU = QStringLiteral(BIDBENCH_EBAY_HOST_AU_VALUE);
    d.ebayHostDE = QStringLiteral(BIDBENCH_EBAY_HOST_DE_VALUE);
    d.ebayHostAT = QStringLiteral(BIDBENCH_EBAY_HOST_AT_VALUE);
    d.ebayHostCH = QStringLiteral(BIDBENCH_EBAY_HOST_CH_VALUE);
    d.ebayHostFR = QStringLiteral(BIDBENCH_EBAY_HOST_FR_VALUE);
    d.ebayHostES = QStringLiteral(BIDBENCH_EBAY_HOST_ES_VALUE);
    d.ebayHostIT = QStringLiteral(BIDBENCH_EBAY_HOST_IT_VALUE);
    d.ebayHostTW = QStringLiteral(BIDBENCH_EBAY_HOST_TW_VALUE);
    d.ebayPagesHost = QStringLiteral(BIDBENCH_EBAY_PAGES_HOST_VALUE);
    d.listedItemsHost = QStringLiteral(BIDBENCH_LISTED_ITEMS_HOST_VALUE);
    d.bidItemsHost = QStringLiteral(BIDBENCH_BID_ITEMS_HOST_VALUE);
    d.searchDomains = QStringLiteral(BIDBENCH_SEARCH_DOMAINS_VALUE).split(QLatin1Char(';'));
    return d;
}
