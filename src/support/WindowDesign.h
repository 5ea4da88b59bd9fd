#pragma once

#include <QFont>
#include <QStringList>

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
