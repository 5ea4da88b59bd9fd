#pragma once

#include "CSearch.h"

#include <QHash>
#include <QList>
#include <QSharedPointer>
#include <QString>
#include <QStringList>

// The saved searches, in the order they were added, keyed by name with letter case ignored;
// the first search of a name wins. Kept in "Searches.txt": one search a line, nine fields
// joined by "|".
class CSearches
{
public:
    using Entry = QSharedPointer<CSearch>;
    using const_iterator = QList<Entry>::const_iterator;

    struct LoadResult
    {
        bool readFailed = false;   // the file exists but could not be read
        bool createFailed = false; // the file was missing and could not be created
        QString error;             // the reason for either
        int skippedLines = 0;      // malformed records (too few fields, bad number or boolean)
    };

    struct SaveResult
    {
        bool ok = false;
        QString error;
        QString failedPath; // the file that could not be written (the list or its backup copy)
    };

    explicit CSearches(QStringList siteDomains);

    static QString FileName() { return QStringLiteral("Searches.txt"); }
    static QString FilePath(const QString &dataDir);

    // The new search, or null when a search of that name exists (letter case ignored).
    Entry Add(const QString &sName, const QString &sKeywords, int iSearchBoolean,
              const QString &sExcludeWords, int iEBaySite, const QString &sCategory,
              const QString &sPriceLow, const QString &sPriceHigh, bool bIsSearchDescriptions);

    const_iterator begin() const { return m_colSearches.cbegin(); }
    const_iterator end() const { return m_colSearches.cend(); }
    qsizetype Count() const { return m_colSearches.size(); }

    // A name that is not saved: Remove returns false, Item a null entry.
    bool Remove(const QString &sName);
    Entry Item(const QString &sName) const;

    // Replaces the searches by the file's; a missing file is created empty. Save writes there.
    LoadResult Load(const QString &path);

    // Writes every search over the file, whole and atomically; on failure the old file stays
    // and the searches stay here. When Load skipped malformed lines, the first save keeps a
    // copy of the old file at backupPath() before it drops them.
    SaveResult Save();

    QString path() const { return m_sPath; }
    // "Searches.txt.bak", or the first of ".bak2", ".bak3", ... that does not exist yet.
    QString backupPath() const;

    // One record of the file: the nine fields joined by "|".
    static QString formatLine(const CSearch &search);

private:
    enum class LineKind { Search, NoSeparator, Malformed };

    static QString keyOf(const QString &sName) { return QString(QStringLiteral("k") + sName).toCaseFolded(); }
    LineKind addLine(const QString &line);

    QStringList m_siteDomains;
    QList<Entry> m_colSearches;
    QHash<QString, Entry> m_keys;
    QString m_sPath;
    bool m_bBackupBeforeSave = false;
};
