#pragma once

#include <QPixmap>

#include <map>
#include <tuple>

// The busy indicator's two image lists: eight frames each, frames 1-7 a glint running round a
// star, frame 8 the star at rest. Large frames go with the button text shown, small ones
// without. A frame is drawn once for each screen scale it is asked for and is the same picture
// from then on, so the indicator can tell by identity whether it shows it already.
class StarFrames
{
public:
    static constexpr int kFrameCount = 8;
    static constexpr int kRestingFrame = 8;
    static constexpr int kLargeSize = 32;
    static constexpr int kSmallSize = 22;

    // index 1-8
    const QPixmap &frame(bool largeList, int index, qreal devicePixelRatio = 1.0) const;

private:
    mutable std::map<std::tuple<bool, int, qreal>, QPixmap> m_drawn;
};
