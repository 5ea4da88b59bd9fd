#include "AppFixture.h"

#include "AddressBox.h"
#include "CError.h"
#include "CStartStatus.h"
#include "TabControl.h"
#include "TestMain.h"

#include <QLabel>
#include <QTimer>

AppFixture::AppFixture()
    : settings(settingsDir.path())
    , programDir(TestEnvironment::programDir())
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
    const BrowserPaneFactory fakes = FakeBrowserPane::factory(&panes);
    c.paneFactory = [fakes](PaneKind kind, QWidget *parent) {
        auto *pane = static_cast<FakeBrowserPane *>(fakes(kind, parent));
        if (kind != PaneKind::Talvex)
            return pane;
        // The load waits for the local please-wait page, which a real pane loads at once.
        auto *pleaseWait = new QTimer(pane);
        QObject::connect(pleaseWait, &QTimer::timeout, pane, [pane, pleaseWait] {
            if (pane->busy && !pane->requests.isEmpty() && pane->requests.last().address.endsWith("/PleaseWait.html")) {
                pleaseWait->stop();
                pane->finishLoad(pane->requests.last().address);
            }
        });
        pleaseWait->start(5);
        return static_cast<FakeBrowserPane *>(pane);
    };
    c.programDir = programDir;
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

FMain *AppFixture::create(bool hasAccount)
{
    window = std::make_unique<FMain>(context(), hasAccount);
    return window.get();
}

FMain *AppFixture::start(bool hasAccount)
{
    create(hasAccount)->show();
    return window.get();
}

QAction *AppFixture::button(int index) const
{
    return window->findChild<QAction *>(QStringLiteral("tbrNavigate.Buttons(%1)").arg(index));
}

AddressBox *AppFixture::addressBox() const
{
    return part<AddressBox>("cboAddress");
}

TabControl *AppFixture::tabs() const
{
    return part<TabControl>("SSTab1");
}

void AppFixture::showTab(int tab) const
{
    tabs()->setTab(tab);
}

QString AppFixture::panel(int index) const
{
    return window->findChild<QLabel *>(QStringLiteral("sbStatusBar.Panels(%1)").arg(index))->text();
}

FakeBrowserPane *AppFixture::talvex() const
{
    return part<FakeBrowserPane>("brwSnipe");
}

FakeBrowserPane *AppFixture::auction() const
{
    return part<FakeBrowserPane>("brwAuction");
}

QStringList AppFixture::addresses(const FakeBrowserPane *pane) const
{
    QStringList sent;
    for (const FakeBrowserPane::Request &r : pane->requests)
        sent.append(r.address);
    return sent;
}

QString AppFixture::setting(const QString &section, const QString &key) const
{
    return settings.GetSetting(QStringLiteral("Talvex Bidbench"), section, key);
}

void AppFixture::store(const QString &section, const QString &key, const QString &value)
{
    settings.SaveSetting(QStringLiteral("Talvex Bidbench"), section, key, value);
}

void AppFixture::storeGeometry(const QString &key, const QString &value)
{
    settings.SaveSetting(QStringLiteral("Mardell"), QStringLiteral("Talvex Bidbench"), key, value);
}
