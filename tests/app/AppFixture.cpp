#include "AppFixture.h"

#include "CError.h"
#include "CStartStatus.h"
#include "TestMain.h"

AppFixture::AppFixture()
    : settings(settingsDir.path())
    , dataDir(TestEnvironment::programDir())
    , programFilesDir(TestEnvironment::programDir())
{
    // A known Talvex user, so the exit goes on without the Talvex Password window.
    store(QStringLiteral("Main"), QStringLiteral("User"), QStringLiteral("fixture user"));
}

AppContext AppFixture::context()
{
    AppContext c;
    c.destinations = testDestinations();
    c.settings = &settings;
    c.shell = &shell;
    c.paneFactory = [](PaneKind kind, QWidget *parent) {
        auto *pane = new FakeBrowserPane(parent);
        // The start-up pages load as in a real pane: the local please-wait page, then the
        // service's answer to the login (or the sign-up page).
        auto *startUp = new QTimer(pane);
        QObject::connect(startUp, &QTimer::timeout, pane, [pane, startUp] {
            if (!pane->busy || pane->requests.isEmpty())
                return;
            pane->finishLoad(pane->requests.last());
            pane->setStatusText(QStringLiteral("Done"));
            if (!pane->requests.last().endsWith("/PleaseWait.html"))
                startUp->stop();
        });
        if (kind == PaneKind::Talvex)
            startUp->start(5);
        return pane;
    };
    c.dataDir = dataDir;
    c.programFilesDir = programFilesDir;
    c.endProgram = [this] {
        ++ended;
        for (const QString &app : {QStringLiteral("Talvex Bidbench"), QStringLiteral("Mardell")})
            settingsAtEnd.append(QString::fromUtf8(readBytes(settings.fileFor(app))));
    };
    return c;
}

AppContext AppFixture::contextWithVersionCheck(const QString &makerHost)
{
    AppContext c = context();
    c.destinations.makerWebHost = makerHost;
    c.errors = std::make_shared<CError>(c.destinations.supportEmail, shell);
    c.startStatus = std::make_shared<CStartStatus>(*c.errors, shell, c.destinations);
    c.startStatus->Initialize(10, 1.2f);
    return c;
}

QString AppFixture::look() const
{
    QString enabled;
    for (QAction *action : {button(1), button(2), part("tbrSnipe.Buttons(1)"), part(Menus::mnuNavigateSnipe), part(Menus::mnuFavoritesAdd)})
        enabled += action->isEnabled() ? QChar('+') : QChar('-');
    const auto shown = [this](const char *name) { return part<QWidget>(name)->isVisibleTo(window.get()) ? "+" : "-"; };
    return window->windowTitle().mid(kTitle.size()) + '|' + panel(1) + '|' + panel(2) + "|tab " + QString::number(tabs()->Tab())
           + '|' + enabled + "|go" + shown("tbrGo") + " link" + shown("lblMardell");
}
