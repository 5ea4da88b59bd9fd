#include "CSearch.h"

#include "SearchSites.h"

void CSearch::Initialize(const QString &sName, const QString &sKeywords, const QString &sCategory,
                         int iEBaySite, int iSearchBoolean, bool bIsSearchDescriptions,
                         const QString &sPriceLow, const QString &sPriceHigh,
                         const QString &sExcludeWords)
{
    m_sName = sName;
    m_sKeywords = sKeywords;
    m_sCategory = sCategory;
    m_iEBaySite = iEBaySite;
    m_iSearchBoolean = iSearchBoolean;
    m_bIsSearchDescriptions = bIsSearchDescriptions;
    m_sPriceLow = sPriceLow;
    m_sPriceHigh = sPriceHigh;
    m_sExcludeWords = sExcludeWords;
}

QString CSearch::GetSiteDomain() const
{
    return SearchSites::domain(m_siteDomains, m_iEBaySite);
}

QString CSearch::GetSearchURL() const
{
    return QStringLiteral("http://search.") + GetSiteDomain()
        + QStringLiteral("/ws/search/SaleSearch?")
        + QStringLiteral("&sapricelo=") + m_sPriceLow
        + QStringLiteral("&sapricehi=") + m_sPriceHigh
        + QStringLiteral("&exclude=") + m_sExcludeWords
        + QStringLiteral("&soincludewords=") + m_sKeywords
        + QStringLiteral("&sotextsearched=") + (m_bIsSearchDescriptions ? u'2' : u'1')
        + QStringLiteral("&sacategory=") + m_sCategory
        + QStringLiteral("&sosearchwordscombine=") + QString::number(m_iSearchBoolean);
}
