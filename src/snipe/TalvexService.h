#pragma once

#include <QByteArray>
#include <QString>

// The sniping service's pages, all on one host over plain http. Addresses are joined as they
// stand: the item number goes into the snipe address unencoded.
namespace TalvexService {

QString loginUrl(const QString &serviceHost);
QString signUpUrl(const QString &serviceHost);
QString newsUrl(const QString &serviceHost);
QString snipeUrl(const QString &serviceHost, const QString &itemNumber);

// The header line that goes with the login post.
QString loginHeader();

// application/x-www-form-urlencoded: UTF-8, every byte but letters, digits and "*-._"
// percent-encoded, a blank as "+". A password holding "&", "=", "+" or "%" then reaches the
// service as typed, and cannot add form fields of its own.
QByteArray formEncode(const QString &value);

// "username=<user>&temp_password=<password>", both values form-encoded.
QByteArray loginBody(const QString &user, const QString &password);

} // namespace TalvexService
