#include "WindowPlacement.h"

#include "Twips.h"

#include <algorithm>
#include <cmath>

namespace WindowPlacement {

namespace {
// A positive finite number of twips as pixels, at most `limit`; -1 when there is none.
int storedPixels(const QString &twips, int (*toPixels)(double), int limit)
{
    bool ok = false;
    const double value = twips.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value) || value <= 0.0)
        return -1;
    // Cut in twips first: a huge number must not overflow the conversion.
    const int pixels = toPixels(std::min(value, 1.0e7));
    return limit > 0 ? std::clamp(pixels, 1, limit) : std::max(pixels, 1);
}
} // namespace

std::optional<Restore> restore(const QString &state, const QString &widthTwips,
                               const QString &heightTwips, const QSize &available)
{
    bool ok = false;
    const int value = state.trimmed().toInt(&ok);
    if (!ok || value < 0 || value > 2)
        return std::nullopt;
    Restore result;
    result.state = value == 1 ? Qt::WindowMinimized : value == 2 ? Qt::WindowMaximized : Qt::WindowNoState;
    result.outer = QSize(storedPixels(widthTwips, Twips::toPixelsX, available.width()),
                         storedPixels(heightTwips, Twips::toPixelsY, available.height()));
    return result;
}

} // namespace WindowPlacement
