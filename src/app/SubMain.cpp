#include "SubMain.h"

#include "CError.h"
#include "CSearches.h"
#include "CStartStatus.h"
#include "FMain.h"
#include "FStart.h"
#include "SettingsStore.h"
#include "Pictures.h"
#include "ProgramIdentity.h"
#include "Shell.h"
#include "UserFolders.h"
#include "UserIDFile.h"
#include "WebEnginePane.h"

#include <QApplication>
#include <QMessageBox>

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
    QApplication::setWindowIcon(Pictures::applicationIcon());

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

    std::unique_ptr<FMain> main = SubMain(context);
    const int code = app.exec();
    // The panes (and with them the browser profiles, which write their cookies) go before
    // the application object.
    main.reset();
    return code;
}
