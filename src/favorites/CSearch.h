#pragma once

#include <QString>
#include <QStringList>

// One saved eBay search. Its nine fields are set once, by CSearches::Add, and never change.
class CSearch
{
public:
    explicit CSearch(QStringList siteDomains) : m_siteDomains(std::move(siteDomains)) {}

    QString Name() const { return m_sName; }
    QString Keywords() const { return m_sKeywords; }
    int SearchBoolean() const { return m_iSearchBoolean; } // 1 all words, 2 any word, 3 exact phrase
    QString ExcludeWords() const { return m_sExcludeWords; }
    int EBaySite() const { return m_iEBaySite; } // index into the search-site table
    QString Category() const { return m_sCategory; }
    QString PriceLow() const { return m_sPriceLow; }
    QString PriceHigh() const { return m_sPriceHigh; }
    bool IsSearchDescriptions() const { return m_bIsSearchDescriptions; }

    // The domain of the search's site; empty for an index outside the table.
    QString GetSiteDomain() const;

    // The search-results page. Built by plain concatenation: nothing is percent-encoded and
    // every key is written, empty or not.
    QString GetSearchURL() const;

private:
    friend class CSearches;
    void Initialize(const QString &sName, const QString &sKeywords, const QString &sCategory,
                    int iEBaySite, int iSearchBoolean, bool bIsSearchDescriptions,
                    const QString &sPriceLow, const QString &sPriceHigh,
                    const QString &sExcludeWords);

    QStringList m_siteDomains;
    QString m_sName;
    QString m_sKeywords;
    int m_iSearchBoolean = 0;
    QString m_sExcludeWords;
    int m_iEBaySite = 0;
    QString m_sCategory;
    QString m_sPriceLow;
    QString m_sPriceHigh;
    bool m_bIsSearchDescriptions = false;
};
