#include "CUserIDs.h"

#include <QStringList>

#include <stdexcept>

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

CUserIDs::Entry CUserIDs::Add(const QString &sUserID)
{
    if (sUserID.isEmpty())
        return {};
    const QString key = keyOf(sUserID);
    auto it = m_keys.find(key);
    if (it != m_keys.end())
        return {};
    Entry entry = Entry::create(sUserID);
    m_keys.insert(key, entry);
    m_colUserIDs.append(entry);
    return entry;
}

void CUserIDs::Remove(const QString &sUserID)
{
    const auto it = m_keys.find(keyOf(sUserID));
    if (it == m_keys.end())
        throw std::invalid_argument("CUserIDs::Remove: no such user ID");
    m_colUserIDs.removeOne(it.value());
    m_keys.erase(it);
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
