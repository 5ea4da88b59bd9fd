#pragma once

#include <QList>
#include <QPixmap>

// The busy indicator's two image lists, drawn by the program: eight frames each, frames 1-7 a
// sparkle running round a star, frame 8 the star at rest. Large frames go with the button
// text shown, small ones without.
class StarFrames
{
public:
    static constexpr int kFrameCount = 8;
    static constexpr int kRestingFrame = 8;
    static constexpr int kLargeSize = 32;
    static constexpr int kSmallSize = 22;

    StarFrames();

    // index 1-8
    const QPixmap &large(int index) const { return m_large.at(index - 1); }
    const QPixmap &small(int index) const { return m_small.at(index - 1); }
    const QPixmap &frame(bool largeList, int index) const
    {
        return largeList ? large(index) : small(index);
    }

    static QPixmap draw(int size, int index);

private:
    QList<QPixmap> m_large; // imlStars
    QList<QPixmap> m_small; // imlStarsSmall
};
