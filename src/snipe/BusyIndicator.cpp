#include "BusyIndicator.h"

#include "StarFrames.h"

#include <QLabel>

BusyIndicator::BusyIndicator(QLabel &picture, const StarFrames &frames)
    : m_picture(picture)
    , m_frames(frames)
{
}

void BusyIndicator::tick(bool paneBusy, bool largeFrames)
{
    m_counter = m_counter + 1 >= 8 ? 1 : m_counter + 1; // 1, 2, ... 7, 1, ...
    if (paneBusy) {
        m_picture.setPixmap(m_frames.frame(largeFrames, m_counter, m_picture.devicePixelRatioF()));
        return;
    }
    const QPixmap &resting = m_frames.frame(largeFrames, StarFrames::kRestingFrame, m_picture.devicePixelRatioF());
    if (m_picture.pixmap().cacheKey() != resting.cacheKey())
        m_picture.setPixmap(resting);
}

void BusyIndicator::showResting()
{
    m_picture.setPixmap(m_frames.frame(true, StarFrames::kRestingFrame, m_picture.devicePixelRatioF()));
}
