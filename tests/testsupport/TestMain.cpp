#include "TestMain.h"

#include <QDir>
#include <QTemporaryDir>

#include <unistd.h>

namespace TestEnvironment {

namespace {
QTemporaryDir *root()
{
    static QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/bidbench-test-XXXXXX"));
    return &dir;
}

QByteArray makeFolder(const QString &name)
{
    const QString path = root()->path() + QLatin1Char('/') + name;
    QDir().mkpath(path);
    return QFile::encodeName(path);
}
} // namespace

void isolate()
{
    qputenv("HOME", makeFolder(QStringLiteral("home")));
    qputenv("XDG_CONFIG_HOME", makeFolder(QStringLiteral("home/.config")));
    qputenv("XDG_DATA_HOME", makeFolder(QStringLiteral("home/.local/share")));
    qputenv("XDG_CACHE_HOME", makeFolder(QStringLiteral("home/.cache")));
    const QByteArray runtime = makeFolder(QStringLiteral("runtime"));
    QFile::setPermissions(QFile::decodeName(runtime),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("XDG_RUNTIME_DIR", runtime);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (geteuid() == 0)
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    // No GPU here; the software path is quieter and deterministic.
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--disable-gpu --disable-background-networking");
}

QString programDir()
{
    static int counter = 0;
    return QFile::decodeName(makeFolder(QStringLiteral("program-%1").arg(++counter)));
}

} // namespace TestEnvironment
