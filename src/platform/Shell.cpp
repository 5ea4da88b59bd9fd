#include "Shell.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>

namespace {
// Characters a mailto: link may carry as they are; the separators keep their meaning.
const QByteArray kMailtoKeep = "!$'()*,-./:;=?@_~&+";

QUrl mailtoUrl(const QString &target)
{
    const QByteArray encoded = target.toUtf8().toPercentEncoding(kMailtoKeep);
    return QUrl::fromEncoded(encoded, QUrl::StrictMode);
}
} // namespace

QUrl Shell::targetToUrl(const QString &target)
{
    if (target.startsWith(QLatin1String("mailto:"), Qt::CaseInsensitive))
        return mailtoUrl(target);
    if (target.startsWith(QLatin1Char('/')))
        return QUrl::fromLocalFile(target);
    return QUrl(target, QUrl::TolerantMode);
}

bool DesktopShell::open(const QString &target)
{
    const QUrl url = targetToUrl(target);
    return url.isValid() && QDesktopServices::openUrl(url);
}

bool DesktopShell::startProgram(const QString &program, const QStringList &arguments)
{
    return QProcess::startDetached(program, arguments);
}
