#include "SecretService.h"

#include <QtTest>

#include <csignal>

namespace {
// The standard output of a tool run against the store, or null when it failed.
QByteArray run(const QProcessEnvironment &environment, const QString &program, const QStringList &arguments)
{
    QProcess tool;
    tool.setProcessEnvironment(environment);
    tool.setStandardErrorFile(QProcess::nullDevice());
    tool.start(program, arguments);
    return tool.waitForFinished(10000) && tool.exitCode() == 0 ? tool.readAllStandardOutput() : QByteArray();
}

QByteArray sendToBus(const QProcessEnvironment &environment, const QString &destination, const QString &path,
                     const QString &method, const QString &argument)
{
    return run(environment, "dbus-send", {"--session", "--print-reply", "--dest=" + destination, path, method, argument});
}
} // namespace

SecretService::SecretService()
{
    for (const char *folder : {"home/.config", "home/.local/share", "home/.cache", "runtime"})
        QDir().mkpath(m_dir.filePath(QString::fromLatin1(folder)));
    QFile::setPermissions(m_dir.filePath("runtime"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    m_bus.setProcessEnvironment(environment());
    m_bus.setStandardErrorFile(QProcess::nullDevice());
    m_bus.start("dbus-daemon", {"--session", "--nofork", "--print-address=1"});
    if (!m_bus.waitForReadyRead(10000))
        return;
    m_address = QString::fromUtf8(m_bus.readLine()).trimmed();
    m_keyring.setProcessEnvironment(environment());
    m_keyring.setStandardOutputFile(QProcess::nullDevice());
    m_keyring.setStandardErrorFile(QProcess::nullDevice());
    m_keyring.start("gnome-keyring-daemon", {"--foreground", "--unlock", "--components=secrets"});
    m_keyring.write("test keyring password");
    m_keyring.closeWriteChannel();
    // Until the daemon owns its name, a request would start a second, locked one.
    const auto owned = [this] {
        return sendToBus(environment(), "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus.NameHasOwner",
                         "string:org.freedesktop.secrets").contains("true");
    };
    if (!QTest::qWaitFor(owned, 10000))
        m_address.clear();
}

SecretService::~SecretService()
{
    for (QProcess *process : {&m_keyring, &m_bus}) {
        if (process->state() == QProcess::NotRunning)
            continue;
        ::kill(pid_t(process->processId()), SIGCONT);
        process->kill();
        process->waitForFinished(5000);
    }
}

QProcessEnvironment SecretService::environment() const
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (auto [name, folder] : {std::pair{"HOME", ""}, {"XDG_CONFIG_HOME", "/.config"}, {"XDG_DATA_HOME", "/.local/share"},
                                {"XDG_CACHE_HOME", "/.cache"}})
        environment.insert(name, home() + folder);
    environment.insert("XDG_RUNTIME_DIR", m_dir.filePath("runtime"));
    environment.insert("DBUS_SESSION_BUS_ADDRESS", m_address);
    // No display: an unlock prompt cannot come up and wait for a person.
    environment.remove("DISPLAY");
    environment.remove("WAYLAND_DISPLAY");
    return environment;
}

QString SecretService::lookup(const QString &user) const
{
    const QByteArray found = run(environment(), "secret-tool", {"lookup", "user", user, "server", "Talvex Bidbench"});
    return found.isNull() ? QString() : QString::fromUtf8(found);
}

void SecretService::lock()
{
    sendToBus(environment(), "org.freedesktop.secrets", "/org/freedesktop/secrets", "org.freedesktop.Secret.Service.Lock",
              "array:objpath:/org/freedesktop/secrets/collection/login");
}

void SecretService::freeze()
{
    ::kill(pid_t(m_keyring.processId()), SIGSTOP);
}
