#include "FileHelpers.h"

#include <QFile>

#include <csignal>
#include <sys/resource.h>

QByteArray readBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeBytesRaw(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(bytes);
}

FileSizeLimit::FileSizeLimit(long long bytes)
{
    struct rlimit limit;
    getrlimit(RLIMIT_FSIZE, &limit);
    m_savedCur = static_cast<long long>(limit.rlim_cur);
    m_savedHandler = std::signal(SIGXFSZ, SIG_IGN);
    limit.rlim_cur = static_cast<rlim_t>(bytes);
    setrlimit(RLIMIT_FSIZE, &limit);
    m_active = true;
}

void FileSizeLimit::release()
{
    if (!m_active)
        return;
    struct rlimit limit;
    getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = static_cast<rlim_t>(m_savedCur);
    setrlimit(RLIMIT_FSIZE, &limit);
    std::signal(SIGXFSZ, m_savedHandler);
    m_active = false;
}
