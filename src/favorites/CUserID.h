#pragma once

#include <QString>

// One favourite seller or bidder. The ID is kept exactly as it was set: no trimming, no case change.
class CUserID
{
public:
    CUserID() = default;
    explicit CUserID(QString sUserID) : m_sUserID(std::move(sUserID)) {}

    QString UserID() const { return m_sUserID; }

private:
    QString m_sUserID;
};
