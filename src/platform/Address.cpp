#include "Address.h"

#include <QDir>
#include <QRegularExpression>

QUrl addressToUrl(const QString &address)
{
    const QString text = address.trimmed();
    if (text.isEmpty())
        return QUrl();

    static const QRegularExpression withAuthority(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]*://"));
    static const QRegularExpression opaqueScheme(
        QStringLiteral("^(about|mailto|data|javascript|blob|view-source):"),
        QRegularExpression::CaseInsensitiveOption);
    if (withAuthority.match(text).hasMatch() || opaqueScheme.match(text).hasMatch())
        return QUrl(text, QUrl::TolerantMode);

    if (text.startsWith(QLatin1Char('/')))
        return QUrl::fromLocalFile(text);
    if (text.startsWith(QLatin1String("~/")))
        return QUrl::fromLocalFile(QDir::homePath() + text.mid(1));

    return QUrl(QStringLiteral("http://") + text, QUrl::TolerantMode);
}
