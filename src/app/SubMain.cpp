#include "SubMain.h"

#include "CError.h"
#include "CommandLine.h"
#include "CSearches.h"
#include "CStartStatus.h"
#include "ExitSequence.h"
#include "FMain.h"
#include "FStart.h"
#include "Pictures.h"
#include "ProgramIdentity.h"
#include "SettingsStore.h"
#include "Shell.h"
#include "SingleInstance.h"
#include "StartRequests.h"
#include "StartupTrace.h"
#include "UserFolders.h"
#include "UserIDFile.h"
#include "WebEnginePane.h"

#include <QApplication>
#include <QMessageBox>
#include <QStandardPaths>
#include <QTimer>

#include <cstdio>

std::unique_ptr<FMain> SubMain(const AppContext &baseContext)
{
    AppContext context = baseContext;
    // The error reporter comes first so that everything after it can report; the start-status
    // object (application class 10, cutoff version 1.2) runs the version check. The main
    // window keeps both for the rest of the run.
    if (!context.errors)
        context.errors = std::make_shared<CError>(context.destinations.supportEmail, *context.shell);
    if (!context.startStatus) {
        context.startStatus = std::make_shared<CStartStatus>(*context.errors, *context.shell,
                                                             context.destinations);
        context.startStatus->Initialize(10, 1.2f);
    }

    bool bIsHasAccount = true;
    const QString startScreen = context.settings->GetSetting(
        ProgramIdentity::title(), QStringLiteral("Settings"), QStringLiteral("StartScreen"));
    if (startScreen != QLatin1String("N")) {
        auto welcome = std::make_unique<FStart>(context.settings, context.shell,
                                                QStringLiteral("http://") + context.destinations.makerWebHost);
        welcome->exec();
        bIsHasAccount = welcome->HasAccount();
    } // destroying the welcome screen stores its "do not show again"

    auto main = std::make_unique<FMain>(context, bIsHasAccount);
    qCInfo(lcStartup, "window made");
    main->show();
    qCInfo(lcStartup, "window shown");
    return main;
}

int runBidbench(int argc, char *argv[])
{
    qCInfo(lcStartup, "main");
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    const CommandLine::Parsed parsed = CommandLine::parse(arguments);
    if (parsed.action == CommandLine::Parsed::Print) {
        std::fputs(qPrintable(parsed.text), stdout);
        return 0;
    }
    if (parsed.action == CommandLine::Parsed::Refuse) {
        std::fprintf(stderr, "bidbench: %s\nTry 'bidbench --help'.\n", qPrintable(parsed.text));
        return 2;
    }

    QCoreApplication::setOrganizationName(ProgramIdentity::maker());
    QCoreApplication::setApplicationName(ProgramIdentity::title());
    QCoreApplication::setApplicationVersion(ProgramIdentity::versionText());
    // The desktop entry that started us, so the desktop shows its name and icon for the window.
    QGuiApplication::setDesktopFileName(ProgramIdentity::desktopFileName());
    QApplication app(argc, argv);
    qCInfo(lcStartup, "application made");
    // The welcome screen closes before the main window exists; that must not end the run.
    app.setQuitOnLastWindowClosed(false);
    QApplication::setWindowIcon(Pictures::applicationIcon());

    SingleInstance instance(QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation), QStringLiteral("bidbench"));
    if (!instance.isRunningCopy()) {
        if (instance.handOver(arguments.mid(1)))
            return 0;
        std::fputs("bidbench: the running copy does not answer.\n", stderr);
        return 1;
    }

    qCInfo(lcStartup, "one running copy");
    SettingsStore settings;
    DesktopShell shell;
    AppContext context;
    context.destinations = Destinations::fromBuild();
    context.settings = &settings;
    context.shell = &shell;
    context.paneFactory = WebEnginePane::factory();
    const QString executableFolder = QCoreApplication::applicationDirPath();
    context.dataDir = UserFolders::dataFolder();
    context.programFilesDir = UserFolders::programFilesFolder(executableFolder);
    // Lists that an earlier build kept beside its executable come along.
    const QString problem = UserFolders::prepareDataFolder(
        context.dataDir, executableFolder, {UserIDFileName(true), UserIDFileName(false), CSearches::FileName()});
    if (!problem.isEmpty())
        QMessageBox::warning(nullptr, ProgramIdentity::title(), problem);

    // Later starts may ask for something while this one is still starting: that waits.
    StartRequests requests;
    requests.add(parsed, false);
    QObject::connect(&instance, &SingleInstance::received, &app, [&](const QStringList &later) {
        const CommandLine::Parsed request = CommandLine::parse(arguments.mid(0, 1) + later);
        if (request.action == CommandLine::Parsed::Run)
            requests.add(request, true);
    });

    qCInfo(lcStartup, "data folder ready");
    std::unique_ptr<FMain> main = SubMain(context);
    ExitSequence::closeOnTerminationSignals(*main);
    requests.setWindow(main.get());
    QTimer::singleShot(0, &app, [] { qCInfo(lcStartup, "event loop running"); });
    const int code = app.exec();
    // The panes (and with them the browser profiles, which write their cookies) go before
    // the application object.
    main.reset();
    return code;
}
