#include "ItemNumber.h"

#include "Address.h"

#include <QStringList>

namespace {

const QString kItemKey = QStringLiteral("item=");

bool isItemDigits(const QString &segment)
{
    if (segment.size() < 9 || segment.size() > 19)
        return false;
    return IsAllDigits(segment);
}

std::optional<QString> itemFromItemPath(const QString &address)
{
    // The host never counts ("http://itm/123456789012" is a host named itm), so parse first.
    const QUrl url = addressToUrl(address);
    if (!url.isValid())
        return std::nullopt;
    const QStringList segments = url.path().split(QLatin1Char('/'));
    for (qsizetype i = 0; i < segments.size(); ++i) {
        if (segments.at(i) != QLatin1String("itm"))
            continue;
        if (i + 1 < segments.size() && isItemDigits(segments.at(i + 1)))
            return segments.at(i + 1);
        if (i + 2 < segments.size() && isItemDigits(segments.at(i + 2)))
            return segments.at(i + 2);
    }
    return std::nullopt;
}

} // namespace

std::optional<QString> itemNumberFromAddress(const QString &address)
{
    const qsizetype at = address.indexOf(kItemKey);
    if (at >= 0) {
        // At most as many characters as the address has without its outer blanks; for an
        // address without such blanks that is the whole rest.
        return address.mid(at + kItemKey.size(), address.trimmed().size());
    }
    return itemFromItemPath(address);
}

SnipeCommandState snipeCommandState(const QString &address, bool auctionTabVisible,
                                    bool menuItemEnabledNow)
{
    if (!isSnipeAvailable(address))
        return {false, false};
    return {true, auctionTabVisible ? true : menuItemEnabledNow};
}

bool IsAllDigits(const QString &sText)
{
    for (const QChar c : sText) {
        if (c.unicode() < u'0' || c.unicode() > u'9')
            return false;
    }
    return true;
}
