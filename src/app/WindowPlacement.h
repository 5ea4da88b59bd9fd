#pragma once

#include <QSize>
#include <QString>
#include <Qt>

#include <optional>

// The main window's stored geometry: state 0 normal, 1 minimized, 2 maximized; outer sizes in
// twips as the settings store keeps them.
namespace WindowPlacement {

struct Restore
{
    Qt::WindowState state = Qt::WindowNoState;
    QSize outer{-1, -1}; // pixels; a side below 1 keeps the design size
    bool operator==(const Restore &) const = default;
};

// Nothing to restore when the stored state is missing or is not a window state. A size that
// is not a positive number keeps the design size; one larger than the screen's available
// area is cut to it.
std::optional<Restore> restore(const QString &state, const QString &widthTwips,
                               const QString &heightTwips, const QSize &available);

} // namespace WindowPlacement
