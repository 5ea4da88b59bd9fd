#include "SingleInstance.h"

#include <QDataStream>
#include <QDeadlineTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QThread>

namespace {
constexpr QDataStream::Version kStreamVersion = QDataStream::Qt_6_0;
const QByteArray kTaken = QByteArrayLiteral("1");
} // namespace

SingleInstance::SingleInstance(const QString &folder, const QString &name, QObject *parent)
    : QObject(parent)
    , m_path(folder + QLatin1Char('/') + name)
    , m_lock(std::make_unique<QLockFile>(m_path + QStringLiteral(".lock")))
{
    // However long a copy runs its lock holds; only a dead copy's lock is taken over.
    m_lock->setStaleLockTime(0);
    if (!m_lock->tryLock(0)) {
        // Only another copy's lock makes this a later start. A runtime folder that holds no
        // lock at all must not keep the program from running: it runs on its own.
        m_isRunningCopy = m_lock->error() != QLockFile::LockFailedError;
        if (m_isRunningCopy)
            qWarning("No lock in %s: later starts will not find this one.", qPrintable(folder));
        return;
    }
    m_isRunningCopy = true;
    // Whoever holds the lock owns the socket name; a socket still there is a dead copy's.
    QLocalServer::removeServer(m_path);
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server->listen(m_path))
        qWarning("Later starts cannot reach this one: %s", qPrintable(m_server->errorString()));
    connect(m_server, &QLocalServer::newConnection, this, &SingleInstance::acceptConnections);
}

SingleInstance::~SingleInstance() = default;

void SingleInstance::acceptConnections()
{
    while (QLocalSocket *socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            QDataStream in(socket);
            in.setVersion(kStreamVersion);
            in.startTransaction();
            QStringList arguments;
            in >> arguments;
            if (!in.commitTransaction())
                return; // the rest is still on its way
            socket->write(kTaken);
            socket->disconnectFromServer();
            emit received(arguments);
        });
    }
}

bool SingleInstance::handOver(const QStringList &arguments, int timeoutMs) const
{
    const QDeadlineTimer deadline(timeoutMs);
    QLocalSocket socket;
    // The running copy listens a moment after it has taken the lock.
    for (;;) {
        socket.connectToServer(m_path);
        if (socket.waitForConnected(int(deadline.remainingTime())))
            break;
        if (deadline.hasExpired())
            return false;
        QThread::msleep(20);
    }
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setVersion(kStreamVersion);
    out << arguments;
    socket.write(bytes);
    // The answer says the running copy has them: only then may this start end.
    while (socket.bytesToWrite() > 0) {
        if (!socket.waitForBytesWritten(int(deadline.remainingTime())))
            return false;
    }
    if (socket.bytesAvailable() == 0 && !socket.waitForReadyRead(int(deadline.remainingTime())))
        return false;
    return socket.read(1) == kTaken;
}
