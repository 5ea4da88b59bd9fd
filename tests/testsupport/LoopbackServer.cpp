#include "LoopbackServer.h"

#include <QHostAddress>
#include <QHttpServerRequest>
#include <QHttpServerResponder>
#include <QPointer>
#include <QTcpSocket>
#include <QTimer>

QByteArray LoopbackServer::Request::header(const QByteArray &name) const
{
    for (const auto &h : headers) {
        if (h.first.compare(name, Qt::CaseInsensitive) == 0)
            return h.second;
    }
    return QByteArray();
}

LoopbackServer::LoopbackServer(QObject *parent)
    : QAbstractHttpServer(parent)
    , m_handler([](const Request &r) { return page(r.path); })
{
    m_port = listen(QHostAddress::LocalHost, 0);
}

QString LoopbackServer::hostPort() const
{
    return QStringLiteral("127.0.0.1:%1").arg(m_port);
}

QString LoopbackServer::url(const QString &path) const
{
    return QStringLiteral("http://") + hostPort() + path;
}

LoopbackServer::Reply LoopbackServer::page(const QString &title, const QByteArray &body)
{
    Reply reply;
    reply.body = "<html><head><title>" + title.toHtmlEscaped().toUtf8() + "</title></head><body>"
                 + body + "</body></html>";
    return reply;
}

LoopbackServer::Reply LoopbackServer::redirect(const QString &location)
{
    Reply reply;
    reply.status = 302;
    reply.headers.append(qMakePair(QByteArray("Location"), location.toUtf8()));
    return reply;
}

bool LoopbackServer::handleRequest(const QHttpServerRequest &request, QTcpSocket *socket)
{
    Request recorded;
    switch (request.method()) {
    case QHttpServerRequest::Method::Post: recorded.method = "POST"; break;
    case QHttpServerRequest::Method::Head: recorded.method = "HEAD"; break;
    case QHttpServerRequest::Method::Put: recorded.method = "PUT"; break;
    default: recorded.method = "GET"; break;
    }
    recorded.path = request.url().path();
    recorded.query = request.url().query(QUrl::FullyEncoded);
    recorded.headers = request.headers();
    recorded.body = request.body();
    requests.append(recorded);
    emit requestReceived(recorded);

    const Reply reply = m_handler(recorded);
    if (reply.delayMs > 0) {
        // Written by hand later: a responder must not outlive the request it answers.
        QByteArray raw = "HTTP/1.1 " + QByteArray::number(reply.status) + " Delayed\r\nContent-Type: "
                         + reply.contentType + "\r\nContent-Length: " + QByteArray::number(reply.body.size())
                         + "\r\n";
        for (const auto &h : reply.headers)
            raw += h.first + ": " + h.second + "\r\n";
        raw += "\r\n" + reply.body;
        QTimer::singleShot(reply.delayMs, this, [socket = QPointer<QTcpSocket>(socket), raw] {
            if (socket)
                socket->write(raw);
        });
        return true;
    }
    QHttpServerResponder responder = makeResponder(request, socket);
    responder.writeStatusLine(static_cast<QHttpServerResponder::StatusCode>(reply.status));
    responder.writeHeader("Content-Type", reply.contentType);
    responder.writeHeader("Content-Length", QByteArray::number(reply.body.size()));
    for (const auto &h : reply.headers)
        responder.writeHeader(h.first, h.second);
    if (reply.byteIntervalMs <= 0 || reply.body.isEmpty()) {
        responder.writeBody(reply.body);
        return true;
    }
    responder.writeBody(reply.body.left(1)); // ends the headers
    auto *trickle = new QTimer(socket); // goes with the connection
    connect(trickle, &QTimer::timeout, socket, [socket, trickle, rest = reply.body.mid(1)]() mutable {
        socket->write(rest.left(1));
        rest.remove(0, 1);
        if (rest.isEmpty())
            trickle->deleteLater();
    });
    trickle->start(reply.byteIntervalMs);
    return true;
}

void LoopbackServer::missingHandler(const QHttpServerRequest &, QTcpSocket *)
{
}
