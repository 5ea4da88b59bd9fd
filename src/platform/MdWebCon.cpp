#include "MdWebCon.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QStringDecoder>
#include <QTimer>
#include <QUrl>

namespace {
// The body as text: in the charset the server names, else UTF-8.
QString decodeBody(const QByteArray &body, const QByteArray &contentType)
{
    const qsizetype at = contentType.toLower().indexOf("charset=");
    if (at >= 0) {
        QByteArray charset = contentType.mid(at + 8).trimmed();
        const qsizetype end = charset.indexOf(';');
        if (end >= 0)
            charset.truncate(end);
        charset.replace('"', QByteArray());
        QStringDecoder decoder(charset.constData());
        if (decoder.isValid())
            return decoder.decode(body);
    }
    return QString::fromUtf8(body);
}
} // namespace

MdWebCon::MdWebCon(QObject *parent)
    : QObject(parent)
    , m_manager(new QNetworkAccessManager(this))
{
}

MdWebCon::~MdWebCon()
{
    CloseConnection();
}

QString MdWebCon::AsynchRequest(const QString &url)
{
    const QUrl target(url, QUrl::TolerantMode);
    const QString scheme = target.scheme().toLower();
    if (!target.isValid() || (scheme != QLatin1String("http") && scheme != QLatin1String("https"))) {
        // Reported like any other failure, and later, as an answer would be.
        QTimer::singleShot(0, this, [this] { emit AsynchResponse(ResponseFailed, QString()); });
        return QStringLiteral("Invalid URL: ") + url;
    }

    QNetworkReply *reply = m_manager->get(QNetworkRequest(target));
    m_pending.append(reply);
    connect(reply, &QNetworkReply::finished, this, [this, reply] { finished(reply); });
    // Never more than the cap in memory: Qt stops reading the socket while the buffer is full.
    reply->setReadBufferSize(kMaxAnswerBytes + 1);
    connect(reply, &QNetworkReply::downloadProgress, this,
            [this, reply](qint64 received, qint64 total) { capSize(reply, received, total); });
    // Qt's own transfer time-out restarts with every byte, so a server that trickles would
    // hold the request open for ever; this one runs from the start to the last byte.
    auto *deadline = new QTimer(reply);
    deadline->setSingleShot(true);
    connect(deadline, &QTimer::timeout, reply, &QNetworkReply::abort);
    deadline->start(m_timeoutMs);
    return QString();
}

QString MdWebCon::CloseConnection()
{
    const QList<QPointer<QNetworkReply>> pending = std::exchange(m_pending, {});
    for (const QPointer<QNetworkReply> &reply : pending) {
        if (!reply)
            continue;
        reply->disconnect(this);
        reply->abort();
        reply->deleteLater();
    }
    return QString();
}

void MdWebCon::capSize(QNetworkReply *reply, qint64 received, qint64 total)
{
    if (received <= kMaxAnswerBytes && total <= kMaxAnswerBytes)
        return;
    reply->setProperty("tooLarge", true);
    reply->abort();
}

void MdWebCon::finished(QNetworkReply *reply)
{
    m_pending.removeAll(reply);
    reply->deleteLater();

    if (reply->property("tooLarge").toBool()) {
        emit AsynchResponse(ResponseFailed, QString());
        return;
    }
    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    const QByteArray body = reply->read(kMaxAnswerBytes);
    const QString html = decodeBody(body, reply->header(QNetworkRequest::ContentTypeHeader).toByteArray());

    // Only the deadline cancels a request that is still ours.
    const QNetworkReply::NetworkError error = reply->error();
    const int code = status.isValid() ? status.toInt() : 0;
    int response = ResponseFailed;
    if (error == QNetworkReply::OperationCanceledError || error == QNetworkReply::TimeoutError)
        response = ResponseTimedOut;
    else if (code >= 200 && code < 300)
        response = error == QNetworkReply::NoError ? ResponseComplete : ResponseFailed; // cut short
    else if (code != 0)
        response = ResponseHttpStatus;
    emit AsynchResponse(response, html);
}
