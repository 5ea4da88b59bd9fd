#pragma once

#include <QList>
#include <QPixmap>

// A numbered set of pictures, indexed from 1 like the toolbar buttons that use them.
class ImageList
{
public:
    void add(const QPixmap &pixmap) { m_images.append(pixmap); }
    int count() const { return int(m_images.size()); }
    // Image index (1 ... count); a null pixmap outside that range.
    QPixmap image(int index) const
    {
        return index >= 1 && index <= count() ? m_images.at(index - 1) : QPixmap();
    }

private:
    QList<QPixmap> m_images;
};
