#include "CUserIDs.h"

#include <bit>

size_t hashIgnoringCase(const QString &text, size_t seed) noexcept
{
    // Folds code point by code point, as the case-insensitive compare does, so that IDs that
    // compare equal hash equal.
    size_t h = seed ^ 0x9e3779b97f4a7c15ull;
    const QChar *p = text.constData();
    const QChar *end = p + text.size();
    while (p != end) {
        char32_t c = p->unicode();
        if (p->isHighSurrogate() && p + 1 != end && (p + 1)->isLowSurrogate()) {
            c = QChar::surrogateToUcs4(*p, *(p + 1));
            ++p;
        }
        ++p;
        h ^= QChar::toCaseFolded(c) + 0x9e3779b9u + (h << 6) + (h >> 2);
    }
    return h;
}

const CUserID *CUserIDs::removedMarker()
{
    static const CUserID marker;
    return &marker;
}

size_t CUserIDs::findSlot(const QString &sUserID, size_t hash) const
{
    const size_t mask = m_slots.size() - 1;
    for (size_t i = hash & mask;; i = (i + 1) & mask) {
        const Slot &slot = m_slots[i];
        if (!slot.entry)
            return i;
        if (slot.hash == hash && slot.entry != removedMarker()
            && slot.entry->UserID().compare(sUserID, Qt::CaseInsensitive) == 0)
            return i;
    }
}

void CUserIDs::rehash(size_t slotCount)
{
    std::vector<Slot> old;
    old.swap(m_slots);
    m_slots.assign(slotCount, Slot());
    m_slotsInUse = 0;
    const size_t mask = slotCount - 1;
    for (const Slot &slot : old) {
        if (!slot.entry || slot.entry == removedMarker())
            continue;
        size_t i = slot.hash & mask;
        while (m_slots[i].entry)
            i = (i + 1) & mask;
        m_slots[i] = slot;
        ++m_slotsInUse;
    }
}

void CUserIDs::reserve(qsizetype n)
{
    m_colUserIDs.reserve(m_colUserIDs.size() + n);
    const size_t needed = std::bit_ceil(size_t(m_colUserIDs.size() + n) * 2 + 2);
    if (needed > m_slots.size())
        rehash(needed);
}

CUserIDs::Entry CUserIDs::Add(const QString &sUserID)
{
    if (sUserID.isEmpty())
        return {};
    if ((m_slotsInUse + 1) * 2 > m_slots.size())
        rehash(std::max<size_t>(16, std::bit_ceil((size_t(m_colUserIDs.size()) + 1) * 4)));
    const size_t hash = hashIgnoringCase(sUserID);
    Slot &slot = m_slots[findSlot(sUserID, hash)];
    if (slot.entry)
        return {};
    Entry entry = Entry::create(sUserID);
    slot = Slot{hash, entry.data()};
    ++m_slotsInUse;
    m_colUserIDs.append(entry);
    return entry;
}

bool CUserIDs::Remove(const QString &sUserID)
{
    if (m_slots.empty())
        return false;
    Slot &slot = m_slots[findSlot(sUserID, hashIgnoringCase(sUserID))];
    if (!slot.entry)
        return false;
    const CUserID *removed = slot.entry;
    slot.entry = removedMarker(); // keeps the probe chains behind it intact
    m_colUserIDs.removeIf([removed](const Entry &e) { return e.data() == removed; });
    return true;
}

QString CUserIDs::CreateIDString() const
{
    qsizetype length = 0;
    for (const Entry &entry : m_colUserIDs)
        length += entry->UserID().size() + 1;
    QString result;
    result.reserve(length);
    for (const Entry &entry : m_colUserIDs) {
        result += entry->UserID();
        result += QLatin1Char(' ');
    }
    return result;
}

void CUserIDs::LoadFromSpaceDelimitedString(const QString &sUserIDs)
{
    // Only spaces separate IDs; a tab inside a token stays part of that ID.
    const qsizetype n = sUserIDs.size();
    qsizetype start = 0;
    while (start < n) {
        qsizetype end = sUserIDs.indexOf(QLatin1Char(' '), start);
        if (end < 0)
            end = n;
        if (end > start)
            Add(sUserIDs.mid(start, end - start));
        start = end + 1;
    }
}

void CUserIDs::LoadFromBidderPage(const QString &sBiddersPage)
{
    static const QString marker = QStringLiteral("Email&amp;requested=");
    static const QString idEnd = QStringLiteral("&amp");

    const qsizetype from = sBiddersPage.indexOf(QLatin1String("40%"));
    if (from < 0)
        return;
    qsizetype p = sBiddersPage.indexOf(marker, from);
    while (p >= 0) {
        const qsizetype start = p + marker.size();
        const qsizetype e = sBiddersPage.indexOf(idEnd, start);
        if (e < 0)
            return; // an unterminated link delimits no ID
        Add(sBiddersPage.mid(start, e - start));
        p = sBiddersPage.indexOf(marker, e);
    }
}

QStringList CUserIDs::ids() const
{
    QStringList result;
    result.reserve(m_colUserIDs.size());
    for (const Entry &entry : m_colUserIDs)
        result.append(entry->UserID());
    return result;
}
