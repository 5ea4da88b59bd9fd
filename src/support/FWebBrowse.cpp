#include "FWebBrowse.h"

#include "Shell.h"

#include <QUrl>

bool FWebBrowse::isWebAddress(const QString &sURL)
{
    const QString address = sURL.trimmed();
    if (!address.startsWith(QLatin1String("http://"), Qt::CaseInsensitive)
        && !address.startsWith(QLatin1String("https://"), Qt::CaseInsensitive))
        return false;
    const QUrl url(address, QUrl::TolerantMode);
    return url.isValid() && !url.host().isEmpty();
}

bool FWebBrowse::OpenBrower(const QString &sURL)
{
    if (!isWebAddress(sURL))
        return false;
    m_shell.open(sURL.trimmed());
    return true;
}
