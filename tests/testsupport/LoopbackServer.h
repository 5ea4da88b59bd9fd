#pragma once

#include <QAbstractHttpServer>
#include <QtWidgets>

#include <functional>

// An HTTP server on 127.0.0.1 (ephemeral port) that records every request and answers
// through a handler the test sets. Stands in for the service, eBay, the redirect and the maker.
class LoopbackServer : public QAbstractHttpServer
{
    Q_OBJECT

public:
    struct Request
    {
        QByteArray method;  // "POST", or "GET" for any other
        QString path;       // "/secure/login.cfm"
        QString query;      // the raw query, as sent, without "?"
        QList<QPair<QByteArray, QByteArray>> headers;
        QByteArray body;

        QByteArray header(const QByteArray &name) const; // case-insensitive; first match
        QString pathAndQuery() const { return query.isEmpty() ? path : path + QLatin1Char('?') + query; }
    };

    struct Reply
    {
        int status = 200;
        QByteArray body;
        QByteArray contentType = "text/html; charset=utf-8";
        QList<QPair<QByteArray, QByteArray>> headers; // e.g. Set-Cookie, Location
        int delayMs = 0;        // held back this long, as a slow part of a page
        int byteIntervalMs = 0; // when set, the body trickles out one byte at a time
    };

    using Handler = std::function<Reply(const Request &)>;

    explicit LoopbackServer(QObject *parent = nullptr);

    quint16 port() const { return m_port; }
    QString hostPort() const { return QStringLiteral("127.0.0.1:%1").arg(m_port); }
    QString url(const QString &path) const { return QStringLiteral("http://") + hostPort() + path; }

    void setHandler(Handler handler) { m_handler = std::move(handler); }
    QList<Request> requests;
    // The requests without the engine's own favicon requests, and their paths with queries.
    QList<Request> pageRequests() const;
    QStringList pagePaths() const;

    // A small HTML page with the given title.
    static Reply page(const QString &title, const QByteArray &body = "ok");
    static Reply redirect(const QString &location);

protected:
    bool handleRequest(const QHttpServerRequest &request, QTcpSocket *socket) override;
    void missingHandler(const QHttpServerRequest &request, QTcpSocket *socket) override;

private:
    Handler m_handler;
    quint16 m_port = 0;
};
