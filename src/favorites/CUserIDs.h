#pragma once

#include "CUserID.h"

#include <QList>
#include <QSharedPointer>
#include <QString>
#include <QStringList>

#include <vector>

// Equal for strings that compare equal with letter case ignored (QString::compare).
size_t hashIgnoringCase(const QString &text, size_t seed = 0) noexcept;

// One list of favourite user IDs, in the order they were added. IDs are unique with letter case
// ignored; the first spelling added wins. The duplicate check goes through a hash index, so
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

    // Removes the entry with that ID, case ignored; false when there is none.
    bool Remove(const QString &sUserID);

    // Every ID followed by one space.
    QString CreateIDString() const;

    // Adds the ID of every bidder link ("Email&amp;requested=" up to the next "&amp") that stands
    // at or after the first "40%" of the page.
    void LoadFromBidderPage(const QString &sBiddersPage);

    // Room for n more entries, before a bulk load.
    void reserve(qsizetype n);

    QStringList ids() const;

private:
    // Open addressing with linear probing. A slot keeps the hash beside the entry, so probing
    // a long list seldom has to touch an ID's text.
    struct Slot
    {
        size_t hash = 0;
        const CUserID *entry = nullptr; // null: never used; removedMarker(): freed by Remove
    };
    static const CUserID *removedMarker();
    size_t findSlot(const QString &sUserID, size_t hash) const; // match, or the empty slot ending the probe
    void rehash(size_t slotCount);

    QList<Entry> m_colUserIDs;
    std::vector<Slot> m_slots; // a power of two in size, at most half in use
    size_t m_slotsInUse = 0;   // entries and removed markers
};
