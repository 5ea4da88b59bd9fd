#pragma once

#include "CUserID.h"

#include <QHash>
#include <QList>
#include <QSharedPointer>
#include <QString>

// One list of favourite user IDs, in the order they were added. IDs are unique with letter case
// ignored; the first spelling added wins. Lookup goes through a hash of case-folded keys, so
// filling the list costs O(n) however long it gets.
class CUserIDs
{
public:
    using Entry = QSharedPointer<CUserID>;
    using const_iterator = QList<Entry>::const_iterator;

    // Adds every space-separated ID; runs of spaces make no empty IDs. Any length.
    void LoadFromSpaceDelimitedString(const QString &sUserIDs);

    // The stored entry, or null when the ID is already present (in any letter case) or empty.
    Entry Add(const QString &sUserID);

    qsizetype Count() const { return m_colUserIDs.size(); }

    // Insertion order; makes the list usable in a range-for loop.
    const_iterator begin() const { return m_colUserIDs.cbegin(); }
    const_iterator end() const { return m_colUserIDs.cend(); }

    bool Contains(const QString &sUserID) const { return m_keys.contains(keyOf(sUserID)); }

    // Removes the entry with that ID, case ignored. Throws std::invalid_argument when absent.
    void Remove(const QString &sUserID);

    // Every ID followed by one space.
    QString CreateIDString() const;

    // Adds the ID of every bidder link ("Email&amp;requested=" up to the next "&amp") that stands
    // at or after the first "40%" of the page.
    void LoadFromBidderPage(const QString &sBiddersPage);

    QStringList ids() const;

private:
    static QString keyOf(const QString &sUserID) { return sUserID.toCaseFolded(); }

    QList<Entry> m_colUserIDs;
    QHash<QString, Entry> m_keys;
};
