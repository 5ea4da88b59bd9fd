#include "LoopbackServer.h"

#include <QHostAddress>
#include <QHttpServerRequest>
#include <QTcpSocket>

QByteArray LoopbackServer::Request::header(const QByteArray &name) const
{
    for (const auto &h : headers)
        if (h.first.compare(name, Qt::CaseInsensitive) == 0)
            return h.second;
    return QByteArray();
}

QList<LoopbackServer::Request> LoopbackServer::pageRequests() const
{
    QList<Request> seen = requests;
    seen.removeIf([](const Request &r) { return r.path == QLatin1String("/favicon.ico"); });
    return seen;
}

QStringList LoopbackServer::pagePaths() const
{
    QStringList paths;
    for (const Request &r : pageRequests())
        paths.append(r.pathAndQuery());
    return paths;
}

LoopbackServer::LoopbackServer(QObject *parent)
    : QAbstractHttpServer(parent)
    , m_handler([](const Request &r) { return page(r.path); })
{
    m_port = listen(QHostAddress::LocalHost, 0);
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
    requests.append({request.method() == QHttpServerRequest::Method::Post ? "POST" : "GET", request.url().path(),
                     request.url().query(QUrl::FullyEncoded), request.headers(), request.body()});
    const Reply reply = m_handler(requests.last());
    QByteArray head = "HTTP/1.1 " + QByteArray::number(reply.status) + " Reply\r\nContent-Type: " + reply.contentType
                      + "\r\nContent-Length: " + QByteArray::number(reply.body.size()) + "\r\n";
    for (const auto &h : reply.headers)
        head += h.first + ": " + h.second + "\r\n";
    // A late or trickling reply is written by hand: a responder must not outlive its request.
    QPointer<QTcpSocket> guard(socket);
    QTimer::singleShot(reply.delayMs, socket, [guard, head, reply] {
        if (!guard)
            return;
        if (reply.byteIntervalMs <= 0) {
            guard->write(head + "\r\n" + reply.body);
            return;
        }
        guard->write(head + "\r\n");
        auto *trickle = new QTimer(guard); // goes with the connection
        QObject::connect(trickle, &QTimer::timeout, guard, [guard, trickle, rest = reply.body]() mutable {
            guard->write(rest.left(1));
            rest.remove(0, 1);
            if (rest.isEmpty())
                trickle->deleteLater();
        });
        trickle->start(reply.byteIntervalMs);
    });
    return true;
}

void LoopbackServer::missingHandler(const QHttpServerRequest &, QTcpSocket *)
{
}
