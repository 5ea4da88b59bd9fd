#include "ProgramInfo.h"

#include "ProgramIdentity.h"

#include <QStringList>

namespace ProgramInfo {

QString appTitle()
{
    return ProgramIdentity::title();
}

int versionMajor() { return ProgramIdentity::kVersionMajor; }
int versionMinor() { return ProgramIdentity::kVersionMinor; }
int versionRevision() { return ProgramIdentity::kVersionRevision; }

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
