#pragma once

#include <QString>

#include <optional>

// The auction's item number, taken from the text of the auction pane's address box.
//
// An address holding "item=" (exact case, anywhere) gives everything behind its first
// occurrence, uncut: further parameters, "#" and blanks included. Today's item pages carry no
// "item=" at all ("https://www.ebay.com/itm/123456789012",
// "https://www.ebay.co.uk/itm/Some-Title/123456789012?hash=..."), so for those an "/itm/" path
// segment followed, directly or after one title segment, by a segment of 9 to 19 digits gives
// those digits alone. Anything else gives no item number, and Snipe is not possible.
std::optional<QString> itemNumberFromAddress(const QString &address);

inline bool isSnipeAvailable(const QString &address)
{
    return itemNumberFromAddress(address).has_value();
}

// Enabled states of the Snipe toolbar button and the Tools menu item after a state refresh.
struct SnipeCommandState
{
    bool button = false;
    bool menuItem = false;

    bool operator==(const SnipeCommandState &) const = default;
};

// With an item number both get enabled, except that the menu item keeps its state while the
// Talvex tab is the visible one; without one both get disabled.
SnipeCommandState snipeCommandState(const QString &address, bool auctionTabVisible,
                                    bool menuItemEnabledNow);

// True when every character is one of the ASCII digits 0 to 9; true for the empty text.
bool IsAllDigits(const QString &sText);
