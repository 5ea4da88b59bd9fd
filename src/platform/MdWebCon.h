#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

class QNetworkAccessManager;
class QNetworkReply;

// The web connection that carries the version check: fetches a URL asynchronously and
// reports the outcome once, as AsynchResponse, on the thread that made the request.
class MdWebCon : public QObject
{
    Q_OBJECT

public:
    // Response codes of AsynchResponse. Only ResponseComplete carries an answer to read.
    enum Response {
        ResponseComplete = 12,   // a 2xx answer arrived whole; HTML is its body
        ResponseHttpStatus = 13, // the server answered with another status; HTML is its body
        ResponseFailed = 14,     // no answer: refused, unknown host, bad address, broken transfer,
                                 // or one larger than the cap
        ResponseTimedOut = 15,   // no complete answer within the time-out
    };

    static constexpr int kDefaultTimeoutMs = 30000;
    // A version answer is a few hundred bytes; a larger one is no answer of ours.
    static constexpr qint64 kMaxAnswerBytes = qint64(1) << 20;

    explicit MdWebCon(QObject *parent = nullptr);
    ~MdWebCon() override;

    // Starts fetching the URL and returns at once: an empty string when the request went out,
    // otherwise why it could not (the outcome is still reported through AsynchResponse).
    // Blanks and other characters a URL may not carry are escaped on the wire.
    QString AsynchRequest(const QString &url);

    // Ends every request still under way; none of them reports afterwards.
    QString CloseConnection();

    // How long a request may take from start to its last byte.
    void setTimeout(int milliseconds) { m_timeoutMs = milliseconds; }
    int timeout() const { return m_timeoutMs; }

signals:
    void AsynchResponse(int Response, const QString &HTML);

private:
    void finished(QNetworkReply *reply);

    QNetworkAccessManager *m_manager;
    void capSize(QNetworkReply *reply, qint64 received, qint64 total);

    QList<QPointer<QNetworkReply>> m_pending;
    int m_timeoutMs = kDefaultTimeoutMs;
};
