#include "StarFrames.h"

#include "Pictures.h"

static void initSnipePictures()
{
    Q_INIT_RESOURCE(snipe_pictures);
}

const QPixmap &StarFrames::frame(bool largeList, int index, qreal devicePixelRatio) const
{
    const auto key = std::make_tuple(largeList, index, devicePixelRatio);
    auto found = m_drawn.find(key);
    if (found == m_drawn.end()) {
        static const bool registered = (initSnipePictures(), true);
        Q_UNUSED(registered);
        const QString file = QStringLiteral(":/indicator/star-%1.svg").arg(index);
        found = m_drawn.emplace(key, Pictures::pixmap(file, largeList ? kLargeSize : kSmallSize, devicePixelRatio)).first;
    }
    return found->second;
}
