#include "ProgramInfo.h"

#include <QStringList>

namespace ProgramInfo {

QString appTitle()
{
    return QStringLiteral("Talvex Bidbench");
}

int versionMajor() { return BIDBENCH_VERSION_MAJOR; }
int versionMinor() { return BIDBENCH_VERSION_MINOR; }
int versionRevision() { return BIDBENCH_VERSION_REVISION; }

QString versionText()
{
    return QString::number(versionMajor()) + QLatin1Char('.') + QString::number(versionMinor())
           + QLatin1Char('.') + QString::number(versionRevision());
}

QFont windowFont()
{
    QFont font;
    // The windows are laid out for Tahoma's narrow letters; the fallbacks are about as wide.
    font.setFamilies(QStringList{QStringLiteral("Tahoma"), QStringLiteral("Liberation Sans"),
                      QStringLiteral("DejaVu Sans Condensed"), QStringLiteral("DejaVu Sans")});
    font.setPointSize(8);
    return font;
}

} // namespace ProgramInfo
