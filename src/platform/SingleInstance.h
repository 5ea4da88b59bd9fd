#pragma once

#include <QObject>
#include <QStringList>

#include <memory>

class QLocalServer;
class QLockFile;

// One running copy per user. The first start holds a lock in the runtime folder and listens
// on a local socket beside it; a later start hands its arguments over that socket and ends.
// The lock and socket of a copy that crashed count as free.
class SingleInstance : public QObject
{
    Q_OBJECT

public:
    // folder: the user's runtime folder; name: the socket's, and with ".lock" the lock's.
    SingleInstance(const QString &folder, const QString &name, QObject *parent = nullptr);
    ~SingleInstance() override;

    bool isRunningCopy() const { return m_isRunningCopy; }
    // For a later start: true once the running copy has the arguments.
    bool handOver(const QStringList &arguments, int timeoutMs = 10000) const;

signals:
    // In the running copy: the arguments of a later start.
    void received(const QStringList &arguments);

private:
    void acceptConnections();

    QString m_path;
    std::unique_ptr<QLockFile> m_lock;
    QLocalServer *m_server = nullptr;
    bool m_isRunningCopy = false;
};
