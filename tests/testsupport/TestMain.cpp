#include "TestMain.h"

#include <map>

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
    for (auto [variable, folder] : {std::pair{"HOME", "home"}, {"XDG_CONFIG_HOME", "home/.config"},
                                    {"XDG_DATA_HOME", "home/.local/share"}, {"XDG_CACHE_HOME", "home/.cache"}})
        qputenv(variable, makeFolder(QString::fromLatin1(folder)));
    const QByteArray runtime = makeFolder(QStringLiteral("runtime"));
    QFile::setPermissions(QFile::decodeName(runtime),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("XDG_RUNTIME_DIR", runtime);
    // No D-Bus: the user's own secret store stays out of reach. A test that needs a store starts
    // one of its own (SecretService) and hands it to a child process.
    if (qEnvironmentVariableIsEmpty("BIDBENCH_TEST_CHILD"))
        qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=" + makeFolder(QStringLiteral("no-bus")) + "/socket");
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

namespace TestRegistry {

// Filled by static initializers of other files: made on first use, whichever file comes first.
std::map<QString, Factory> &objects()
{
    static std::map<QString, Factory> registered;
    return registered;
}

std::map<QString, std::function<int()>> &children()
{
    static std::map<QString, std::function<int()>> registered;
    return registered;
}

int addChild(const char *name, std::function<int()> role)
{
    children()[QString::fromUtf8(name)] = std::move(role);
    return int(children().size());
}

int add(const char *file, Factory make)
{
    objects()[QFileInfo(QString::fromUtf8(file)).completeBaseName()] = std::move(make);
    return int(objects().size());
}

} // namespace TestRegistry

int main(int argc, char *argv[])
{
    TestEnvironment::isolate();
    QApplication app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    QTEST_SET_MAIN_SOURCE_PATH
    if (const QString child = qEnvironmentVariable("BIDBENCH_TEST_CHILD"); !child.isEmpty())
        return TestRegistry::children().at(child)();

    QStringList args = app.arguments();
    const QString program = args.takeFirst();
    auto objects = TestRegistry::objects();
    if (!args.isEmpty() && objects.count(args.first()))
        objects = {*objects.find(args.takeFirst())};
    int failed = 0;
    for (const auto &[name, make] : objects)
        failed += QTest::qExec(make().get(), QStringList{program} + args);
    return failed;
}
