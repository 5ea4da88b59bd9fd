#include "TalvexService.h"

namespace TalvexService {

namespace {
QString onService(const QString &serviceHost, QLatin1String path)
{
    return QStringLiteral("http://") + serviceHost + path;
}
} // namespace

QString loginUrl(const QString &serviceHost)
{
    return onService(serviceHost, QLatin1String("/secure/login.cfm"));
}

QString signUpUrl(const QString &serviceHost)
{
    return onService(serviceHost, QLatin1String("/secure/signup.cfm"));
}

QString newsUrl(const QString &serviceHost)
{
    return onService(serviceHost, QLatin1String("/secure/news.cfm?"));
}

QString snipeUrl(const QString &serviceHost, const QString &itemNumber)
{
    return onService(serviceHost, QLatin1String("/secure/login.cfm?")) + QStringLiteral("item_number=")
           + itemNumber;
}

QString loginHeader()
{
    return QStringLiteral("Content-Type: application/x-www-form-urlencoded");
}

QByteArray formEncode(const QString &value)
{
    static constexpr char hex[] = "0123456789ABCDEF";
    const QByteArray utf8 = value.toUtf8();
    QByteArray encoded;
    encoded.reserve(utf8.size() * 3);
    for (char c : utf8) {
        const auto b = static_cast<unsigned char>(c);
        const bool keep = (b >= 'a' && b <= 'z') || (b >= 'A' && b <= 'Z') || (b >= '0' && b <= '9')
                          || b == '*' || b == '-' || b == '.' || b == '_';
        if (keep) {
            encoded += c;
        } else if (b == ' ') {
            encoded += '+';
        } else {
            encoded += '%';
            encoded += hex[b >> 4];
            encoded += hex[b & 0x0F];
        }
    }
    return encoded;
}

QByteArray loginBody(const QString &user, const QString &password)
{
    return "username=" + formEncode(user) + "&temp_password=" + formEncode(password);
}

} // namespace TalvexService
