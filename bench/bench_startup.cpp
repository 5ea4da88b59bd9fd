// Start-up benchmark: the time from process start until the sniping service receives the
// login post, for bidbench and, in the same run, for bare_two_panes (two Qt WebEngine views
// doing the same two loads and nothing else); then the whole process tree's processor use over
// ten idle seconds after the pages have loaded.
//
//   cmake -S . -B build -DBIDBENCH_BUILD_BENCH=ON && cmake --build build -j2 --target bidbench bench_startup bare_two_panes
//   build/bench/bench_startup [runs]
//
// Every host name of both programs is mapped to one loopback server here (the engine's host
// resolver rules), so the real bidbench binary runs with the build's own destinations.
// BENCH_ENGINE_FLAGS adds engine switches to both programs, for a look at where time goes.
//
// bidbench runs twice over: with its password in the settings file and no D-Bus (no secret
// store), and as on a desktop with an unlocked store (a private D-Bus session and GNOME Keyring)
// that holds the password, which it then reads before the login.
#include "SiteSelection.h"
#include "SettingsStore.h"
#include "TalvexService.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <map>
#include <optional>

#include <unistd.h>

namespace {

const QString kUser = QStringLiteral("bench user");
const QString kPassword = QStringLiteral("s&cret=1");
const QString kTracePrefix = QStringLiteral("bidbench.startup|");

// A tiny HTTP/1.1 server: every request gets a small page and the connection is closed.
class Responder : public QObject
{
public:
    struct Seen
    {
        QByteArray method;
        QByteArray target;
        qint64 atMs;
    };

    explicit Responder(QElapsedTimer &clock)
        : m_clock(clock)
    {
        m_server.listen(QHostAddress::LocalHost, 0);
        QObject::connect(&m_server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *socket = m_server.nextPendingConnection())
                serve(socket);
        });
    }

    quint16 port() const { return m_server.serverPort(); }
    QList<Seen> seen;
    std::function<void(const Seen &)> onRequest;

private:
    void serve(QTcpSocket *socket)
    {
        auto *buffer = new QByteArray;
        QObject::connect(socket, &QTcpSocket::disconnected, socket, [socket, buffer] {
            delete buffer;
            socket->deleteLater();
        });
        QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket, buffer] {
            buffer->append(socket->readAll());
            const qsizetype headEnd = buffer->indexOf("\r\n\r\n");
            if (headEnd < 0)
                return;
            const QByteArray head = buffer->left(headEnd);
            qsizetype length = 0;
            for (const QByteArray &line : head.split('\n')) {
                if (line.toLower().startsWith("content-length:"))
                    length = line.mid(15).trimmed().toLongLong();
            }
            if (buffer->size() < headEnd + 4 + length)
                return;
            const QList<QByteArray> requestLine = head.left(head.indexOf('\r')).split(' ');
            const Seen request{requestLine.value(0), requestLine.value(1), m_clock.elapsed()};
            seen.append(request);
            buffer->clear();
            const QByteArray body = "<html><head><title>page</title></head><body>ok</body></html>";
            QByteArray reply = "HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nConnection: close\r\n"
                               "Content-Length: " + QByteArray::number(body.size()) + "\r\n";
            if (request.method == "POST")
                reply += "Set-Cookie: SESSION=bench; Path=/\r\n";
            socket->write(reply + "\r\n" + body);
            socket->disconnectFromHost();
            if (onRequest)
                onRequest(request);
        });
    }

    QTcpServer m_server;
    QElapsedTimer &m_clock;
};

// User and system clock ticks of a process and all its descendants.
qint64 treeTicks(qint64 root)
{
    std::map<qint64, std::pair<qint64, qint64>> procs; // pid -> (ppid, ticks)
    for (const QString &entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        bool ok = false;
        const qint64 pid = entry.toLongLong(&ok);
        if (!ok)
            continue;
        QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
        if (!stat.open(QIODevice::ReadOnly))
            continue;
        const QByteArray line = stat.readAll();
        const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
        if (fields.size() < 13)
            continue;
        // After the name: state(0) ppid(1) ... utime(11) stime(12)
        procs[pid] = {fields.at(1).toLongLong(), fields.at(11).toLongLong() + fields.at(12).toLongLong()};
    }
    qint64 ticks = 0;
    for (const auto &[pid, info] : procs) {
        for (qint64 p = pid; p > 1;) {
            if (p == root) {
                ticks += info.second;
                break;
            }
            const auto up = procs.find(p);
            if (up == procs.end())
                break;
            p = up->second.first;
        }
    }
    return ticks;
}

bool waitFor(const std::function<bool()> &done, int limitMs)
{
    QElapsedTimer waited;
    waited.start();
    QEventLoop loop;
    QTimer look;
    QObject::connect(&look, &QTimer::timeout, &loop, [&] {
        if (done() || waited.elapsed() > limitMs)
            loop.quit();
    });
    look.start(2);
    if (!done())
        loop.exec();
    return done();
}

struct Program
{
    QString name;
    QString path;
    QStringList arguments;
    QTemporaryDir home;
    QProcessEnvironment environment;
};

struct RunResult
{
    std::optional<qint64> loginMs;
    std::optional<double> idleCorePercent;
    QList<std::pair<QString, qint64>> steps; // the program's start-up trace, as received
};

RunResult runOnce(Program &program, Responder &server, QElapsedTimer &clock, bool measureIdle)
{
    RunResult result;
    server.seen.clear();
    QProcess process;
    process.setProcessEnvironment(program.environment);
    process.setStandardOutputFile(QProcess::nullDevice());
    // The trace lines are timed as they arrive; the engine's own chatter is dropped.
    QObject::connect(&process, &QProcess::readyReadStandardError, &process, [&] {
        while (process.canReadLine()) {
            const QString line = QString::fromUtf8(process.readLine()).trimmed();
            if (line.startsWith(kTracePrefix))
                result.steps.append({line.mid(kTracePrefix.size()), clock.elapsed()});
        }
    });
    process.setReadChannel(QProcess::StandardError);

    const auto loginSeen = [&server]() -> std::optional<qint64> {
        for (const Responder::Seen &s : server.seen) {
            if (s.method == "POST" && s.target == "/secure/login.cfm")
                return s.atMs;
        }
        return std::nullopt;
    };

    clock.restart();
    process.start(program.path, program.arguments);
    if (!process.waitForStarted(10000)) {
        std::fprintf(stderr, "%s did not start: %s\n", qPrintable(program.name), qPrintable(process.errorString()));
        return result;
    }
    waitFor([&] { return loginSeen().has_value() || process.state() == QProcess::NotRunning; }, 60000);
    result.loginMs = loginSeen();

    if (measureIdle && result.loginMs) {
        // Both pages have been asked for and answered; let rendering settle, then measure.
        waitFor([&] { return server.seen.size() >= 2; }, 30000);
        waitFor([] { return false; }, 3000);
        const qint64 before = treeTicks(process.processId());
        QElapsedTimer idle;
        idle.start();
        waitFor([] { return false; }, 10000);
        const qint64 ticks = treeTicks(process.processId()) - before;
        const double seconds = idle.elapsed() / 1000.0;
        result.idleCorePercent = 100.0 * double(ticks) / double(sysconf(_SC_CLK_TCK)) / seconds;
    }

    process.terminate();
    if (!process.waitForFinished(5000)) {
        process.kill();
        process.waitForFinished(5000);
    }
    return result;
}

double median(QList<qint64> values)
{
    std::sort(values.begin(), values.end());
    const qsizetype n = values.size();
    return n % 2 ? double(values.at(n / 2)) : (values.at(n / 2 - 1) + values.at(n / 2)) / 2.0;
}

QProcessEnvironment environmentFor(const QTemporaryDir &home, quint16 port)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    const QString root = home.path();
    for (const char *dir : {"/.config", "/.local/share", "/.cache", "/runtime"})
        QDir().mkpath(root + QLatin1String(dir));
    QFile::setPermissions(root + QStringLiteral("/runtime"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    env.insert(QStringLiteral("HOME"), root);
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), root + QStringLiteral("/.config"));
    env.insert(QStringLiteral("XDG_DATA_HOME"), root + QStringLiteral("/.local/share"));
    env.insert(QStringLiteral("XDG_CACHE_HOME"), root + QStringLiteral("/.cache"));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), root + QStringLiteral("/runtime"));
    env.insert(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("bidbench.startup.info=true"));
    env.insert(QStringLiteral("QT_MESSAGE_PATTERN"), QStringLiteral("%{category}|%{message}"));
    if (!env.contains(QStringLiteral("QT_QPA_PLATFORM")))
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    if (geteuid() == 0)
        env.insert(QStringLiteral("QTWEBENGINE_DISABLE_SANDBOX"), QStringLiteral("1"));
    // A switch with blanks in it is quoted whole.
    env.insert(QStringLiteral("QTWEBENGINE_CHROMIUM_FLAGS"),
               QStringLiteral("--disable-gpu --disable-background-networking "
                              "\"--host-resolver-rules=MAP * 127.0.0.1:%1\" %2")
                   .arg(port)
                   .arg(qEnvironmentVariable("BENCH_ENGINE_FLAGS"))); // more switches, for a look at causes
    return env;
}

// A private D-Bus session with GNOME Keyring, unlocked, holding the password as the program keeps
// it; its address, or an empty string when it could not be set up.
QString startSecretStore(QProcessEnvironment &environment, QProcess &bus, QProcess &keyring)
{
    bus.setProcessEnvironment(environment);
    bus.start(QStringLiteral("dbus-daemon"), {QStringLiteral("--session"), QStringLiteral("--nofork"), QStringLiteral("--print-address=1")});
    if (!bus.waitForReadyRead(10000))
        return QString();
    const QString address = QString::fromUtf8(bus.readLine()).trimmed();
    environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), address);
    keyring.setProcessEnvironment(environment);
    keyring.start(QStringLiteral("gnome-keyring-daemon"),
                  {QStringLiteral("--foreground"), QStringLiteral("--unlock"), QStringLiteral("--components=secrets")});
    keyring.write("bench keyring password");
    keyring.closeWriteChannel();
    const auto run = [&environment](const QString &program, const QStringList &arguments,
                                    const QByteArray &input) -> std::optional<QByteArray> {
        QProcess tool;
        tool.setProcessEnvironment(environment);
        tool.start(program, arguments);
        tool.write(input);
        tool.closeWriteChannel();
        if (!tool.waitForFinished(10000) || tool.exitCode() != 0)
            return std::nullopt;
        return tool.readAllStandardOutput();
    };
    // A request before the daemon owns its name would start a second, locked one.
    const bool owned = waitFor([&] {
        return run(QStringLiteral("dbus-send"), {QStringLiteral("--session"), QStringLiteral("--print-reply"),
                   QStringLiteral("--dest=org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
                   QStringLiteral("org.freedesktop.DBus.NameHasOwner"), QStringLiteral("string:org.freedesktop.secrets")},
                   {}).value_or(QByteArray()).contains("true");
    }, 10000);
    // Under the attributes QtKeychain looks the password up by.
    if (owned && run(QStringLiteral("secret-tool"), {QStringLiteral("store"), QStringLiteral("--label=Talvex Bidbench"),
                      QStringLiteral("user"), kUser, QStringLiteral("server"), QStringLiteral("Talvex Bidbench"),
                      QStringLiteral("type"), QStringLiteral("plaintext")}, kPassword.toUtf8()))
        return address;
    return QString();
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? qMax(1, atoi(argv[1])) : 7;
    const QString benchDir = QCoreApplication::applicationDirPath();

    QElapsedTimer clock;
    clock.start();
    Responder server(clock);

    const Destinations destinations = Destinations::fromBuild();
    const QString startUrl = SiteSelection::SiteStartURL(1, destinations);

    Program bidbench;
    bidbench.name = QStringLiteral("bidbench");
    bidbench.path = QDir::cleanPath(benchDir + QStringLiteral("/../bin/bidbench"));
    bidbench.environment = environmentFor(bidbench.home, server.port());
    bidbench.environment.remove(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"));
    Program withStore;
    withStore.name = QStringLiteral("bidbench+store");
    withStore.path = bidbench.path;
    withStore.environment = environmentFor(withStore.home, server.port());
    QProcess bus, keyring;
    if (startSecretStore(withStore.environment, bus, keyring).isEmpty()) {
        std::fprintf(stderr, "no secret store (dbus-daemon, gnome-keyring-daemon, secret-tool)\n");
        return 1;
    }
    for (Program *p : {&bidbench, &withStore}) {
        SettingsStore settings(p->home.path() + QStringLiteral("/.config/bidbench"));
        settings.SaveSetting(QStringLiteral("Talvex Bidbench"), QStringLiteral("Settings"), QStringLiteral("StartScreen"), QStringLiteral("N"));
        settings.SaveSetting(QStringLiteral("Talvex Bidbench"), QStringLiteral("Main"), QStringLiteral("User"), kUser);
        if (p == &bidbench)
            settings.SaveSetting(QStringLiteral("Talvex Bidbench"), QStringLiteral("Main"), QStringLiteral("Password"), kPassword);
    }

    Program bare;
    bare.name = QStringLiteral("bare_two_panes");
    bare.path = benchDir + QStringLiteral("/bare_two_panes");
    bare.arguments = {startUrl, TalvexService::loginUrl(destinations.serviceHost),
                      QString::fromLatin1(TalvexService::loginBody(kUser, kPassword))};
    bare.environment = environmentFor(bare.home, server.port());

    for (Program *p : {&bidbench, &bare}) {
        if (!QFile::exists(p->path)) {
            std::fprintf(stderr, "missing %s (build it first)\n", qPrintable(p->path));
            return 1;
        }
    }

    std::printf("start to login post, %d runs each after one warm-up run (ms)\n", runs);
    const QList<Program *> programs{&bidbench, &withStore, &bare};
    for (Program *p : programs)
        runOnce(*p, server, clock, false);

    QList<qint64> times[3];
    QStringList stepNames[3];
    std::map<QString, QList<qint64>> stepTimes[3];
    for (int i = 0; i < runs; ++i) {
        int which = 0;
        for (Program *p : programs) {
            const RunResult r = runOnce(*p, server, clock, false);
            if (!r.loginMs) {
                std::fprintf(stderr, "%s: no login post arrived\n", qPrintable(p->name));
                return 1;
            }
            for (const auto &[step, atMs] : r.steps) {
                if (!stepNames[which].contains(step))
                    stepNames[which].append(step);
                stepTimes[which][step].append(atMs);
            }
            times[which++].append(*r.loginMs);
            std::printf("  run %d %-15s %5lld\n", i + 1, qPrintable(p->name), static_cast<long long>(*r.loginMs));
            std::fflush(stdout);
        }
    }
    const double mBare = median(times[2]);
    for (int which = 0; which < programs.size(); ++which)
        std::printf("median %-15s %7.1f ms\n", qPrintable(programs.at(which)->name), median(times[which]));
    std::printf("ratio bidbench to bare_two_panes   %5.2f (goal: at most 1.1)\n", median(times[0]) / mBare);
    std::printf("the store's cost, paired medians   %+5.1f ms (goal: at most 20)\n", median(times[1]) - median(times[0]));
    for (int which = 0; which < programs.size(); ++which) {
        std::printf("%s's steps, median ms from process start, as received:\n", qPrintable(programs.at(which)->name));
        for (const QString &step : std::as_const(stepNames[which]))
            std::printf("  %7.1f  %s\n", median(stepTimes[which][step]), qPrintable(step));
        std::printf("  %7.1f  login post received\n", median(times[which]));
    }

    for (Program *p : {&bidbench, &bare}) {
        const RunResult r = runOnce(*p, server, clock, true);
        if (r.idleCorePercent)
            std::printf("idle processor use, %-15s %5.2f %% of one core over 10 s%s\n", qPrintable(p->name),
                        *r.idleCorePercent, p == &bidbench ? " (goal: under 1 %)" : "");
    }
    return 0;
}
