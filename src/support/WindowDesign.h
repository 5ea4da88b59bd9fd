#pragma once

#include "Twips.h"

#include <QFont>
#include <QStringList>
#include <QWidget>

// The support windows' typeface: Tahoma, or the nearest narrow sans-serif installed.
inline QFont windowDesignFont()
{
    QFont font;
    // The windows are laid out for Tahoma's narrow letters; the fallbacks are about as wide.
    font.setFamilies({QStringLiteral("Tahoma"), QStringLiteral("Liberation Sans"),
                      QStringLiteral("DejaVu Sans Condensed"), QStringLiteral("DejaVu Sans")});
    font.setPointSize(8);
    return font;
}

// The fixed-layout windows are drawn in the designer at 96 dpi, 15 twips to the pixel. Their
// size and every control's place stand for those twips, so on another screen they scale as
// the twips would.
inline void placeForScreen(QWidget *window)
{
    const auto scaled = [](const QRect &r) { return Twips::rect(r.x() * 15, r.y() * 15, r.width() * 15, r.height() * 15); };
    for (QWidget *control : window->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        control->setGeometry(scaled(control->geometry()));
    window->setFixedSize(scaled(window->rect()).size());
}
