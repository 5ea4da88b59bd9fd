#include "SubMain.h"

#include "CError.h"
#include "CStartStatus.h"
#include "ExitSequence.h"
#include "FMain.h"
#include "FStart.h"
#include "SettingsStore.h"
#include "Shell.h"
#include "WebEnginePane.h"

#include <QApplication>

std::unique_ptr<FMain> SubMain(const AppContext &baseContext)
{
    AppContext context = baseContext;
    // 1-2. The error reporter, then the start-status object with application class 10 and
    // cutoff version 1.2; the main window keeps both for the rest of the run.
    if (!context.errors)
        context.errors = std::make_shared<CError>(context.destinations.supportEmail, *context.shell);
    if (!context.startStatus) {
        context.startStatus = std::make_shared<CStartStatus>(*context.errors, *context.shell,
                                                             context.destinations);
        context.startStatus->Initialize(10, 1.2f);
    }

    bool bIsHasAccount = true;
    const QString startScreen = context.settings->GetSetting(
        QStringLiteral("Talvex Bidbench"), QStringLiteral("Settings"), QStringLiteral("StartScreen"));
    if (startScreen != QLatin1String("N")) {
        auto welcome = std::make_unique<FStart>(context.settings, context.shell,
                                                QStringLiteral("http://") + context.destinations.makerWebHost);
        welcome->exec();
        bIsHasAccount = welcome->HasAccount();
    } // destroying the welcome screen stores its "do not show again"

    auto main = std::make_unique<FMain>(context, bIsHasAccount);
    main->show();
    return main;
}

int runBidbench(int argc, char *argv[])
{
    QCoreApplication::setOrganizationName(QStringLiteral("Mardell"));
    QCoreApplication::setApplicationName(QStringLiteral("Talvex Bidbench"));
    QCoreApplication::setApplicationVersion(QStringLiteral("2.0.1"));
    QApplication app(argc, argv);
    // The welcome screen closes before the main window exists; that must not end the run.
    app.setQuitOnLastWindowClosed(false);

    SettingsStore settings;
    DesktopShell shell;
    AppContext context;
    context.destinations = Destinations::fromBuild();
    context.settings = &settings;
    context.shell = &shell;
    context.paneFactory = WebEnginePane::factory();
    context.programDir = QCoreApplication::applicationDirPath();

    std::unique_ptr<FMain> main = SubMain(context);
    ExitSequence::closeOnTerminationSignals(*main);
    const int code = app.exec();
    // The panes (and with them the browser profiles, which write their cookies) go before
    // the application object.
    main.reset();
    return code;
}
