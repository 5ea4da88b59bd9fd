#include "AppFixture.h"

#include "TestMain.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTimer>

AppFixture::AppFixture()
    : settings(settingsDir.path())
    , programDir(TestEnvironment::programDir())
{
    // A known Talvex user, so the exit goes on without the Talvex Password window.
    store(QStringLiteral("Main"), QStringLiteral("User"), QStringLiteral("fixture user"));
}

Destinations AppFixture::destinations()
{
    return testDestinations();
}

// The load waits for the local please-wait page, which a real pane loads at once; this plays
// the engine's part for that one page.
void AppFixture::finishPleaseWaitPage(FakeBrowserPane *pane)
{
    auto *pleaseWait = new QTimer(pane);
    pleaseWait->setInterval(5);
    QObject::connect(pleaseWait, &QTimer::timeout, pane, [pane, pleaseWait] {
        if (!pane->busy || pane->requests.isEmpty())
            return;
        const QString page = pane->requests.last().address;
        if (page.endsWith(QLatin1String("/PleaseWait.html"))) {
            pleaseWait->stop();
            pane->finishLoad(page);
        }
    });
    pleaseWait->start();
}

AppContext AppFixture::context()
{
    AppContext c;
    c.destinations = destinations();
    c.settings = &settings;
    c.shell = &shell;
    const BrowserPaneFactory fakes = FakeBrowserPane::factory(&panes);
    c.paneFactory = [fakes](PaneKind kind, QWidget *parent) {
        BrowserPane *pane = fakes(kind, parent);
        if (kind == PaneKind::Talvex)
            finishPleaseWaitPage(static_cast<FakeBrowserPane *>(pane));
        return pane;
    };
    c.programDir = programDir;
    c.endProgram = [this] {
        ++ended;
        for (const QString &app : {QStringLiteral("Talvex Bidbench"), QStringLiteral("Mardell")}) {
            QFile file(settings.fileFor(app));
            settingsAtEnd.append(file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString());
        }
    };
    return c;
}

FMain *AppFixture::create(bool hasAccount)
{
    window = std::make_unique<FMain>(context(), hasAccount);
    return window.get();
}

FMain *AppFixture::start(bool hasAccount)
{
    create(hasAccount);
    window->show();
    return window.get();
}

FakeBrowserPane *AppFixture::talvex() const
{
    for (FakeBrowserPane *pane : panes) {
        if (pane->kind == PaneKind::Talvex)
            return pane;
    }
    return nullptr;
}

FakeBrowserPane *AppFixture::auction() const
{
    for (FakeBrowserPane *pane : panes) {
        if (pane->kind == PaneKind::Auction)
            return pane;
    }
    return nullptr;
}

QString AppFixture::setting(const QString &section, const QString &key) const
{
    return settings.GetSetting(QStringLiteral("Talvex Bidbench"), section, key);
}

void AppFixture::store(const QString &section, const QString &key, const QString &value)
{
    settings.SaveSetting(QStringLiteral("Talvex Bidbench"), section, key, value);
}

QString AppFixture::geometry(const QString &key) const
{
    return settings.GetSetting(QStringLiteral("Mardell"), QStringLiteral("Talvex Bidbench"), key);
}

void AppFixture::storeGeometry(const QString &key, const QString &value)
{
    settings.SaveSetting(QStringLiteral("Mardell"), QStringLiteral("Talvex Bidbench"), key, value);
}
