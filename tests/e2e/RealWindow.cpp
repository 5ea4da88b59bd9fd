#include "RealWindow.h"

#include "TabControl.h"
#include "TestMain.h"
#include "WebEnginePane.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTest>

LoopbackServer::Handler withRedirect(LoopbackServer::Handler pages)
{
    return [pages = std::move(pages)](const LoopbackServer::Request &r) {
        if (!r.path.startsWith(QLatin1String("/link-")))
            return pages(r);
        const QString loc = r.query.mid(r.query.indexOf(QLatin1String("loc=")) + 4);
        return LoopbackServer::redirect(QUrl::fromPercentEncoding(loc.toUtf8()));
    };
}

QList<LoopbackServer::Request> pageRequests(const LoopbackServer &server)
{
    QList<LoopbackServer::Request> seen;
    for (const LoopbackServer::Request &r : server.requests) {
        if (r.path != QLatin1String("/favicon.ico"))
            seen.append(r);
    }
    return seen;
}

QStringList pagePaths(const LoopbackServer &server)
{
    QStringList paths;
    for (const LoopbackServer::Request &r : pageRequests(server))
        paths.append(r.pathAndQuery());
    return paths;
}

RealWindow::RealWindow(const LoopbackServer &ebay, const QString &serviceHost)
    : settings(folder.path() + QStringLiteral("/settings"))
{
    Destinations &d = context.destinations;
    const QString host = ebay.hostPort();
    d.serviceHost = serviceHost;
    for (int i = 1; i <= 4; ++i)
        d.redirectBases.append(ebay.url(QStringLiteral("/link-%1").arg(i)));
    d.ebayHostUS = d.ebayHostCA = d.ebayHostUK = d.ebayHostAU = d.ebayHostDE = d.ebayHostAT
        = d.ebayHostCH = d.ebayHostFR = d.ebayHostES = d.ebayHostIT = d.ebayHostTW = host;
    d.ebayPagesHost = d.listedItemsHost = d.bidItemsHost = host;

    context.settings = &settings;
    context.shell = &shell;
    context.paneFactory = WebEnginePane::factory(folder.path() + QStringLiteral("/profiles"));
    context.programDir = TestEnvironment::programDir();
    context.endProgram = [] {};
}

FMain *RealWindow::open()
{
    window = std::make_unique<FMain>(context, true);
    window->show();
    return window.get();
}

void RealWindow::enterAddress(const QString &url)
{
    addressBox()->setEditText(url);
    QTest::keyClick(addressBox()->lineEdit(), Qt::Key_Return);
}

QAction *RealWindow::button(int index) const
{
    return window->findChild<QAction *>(QStringLiteral("tbrNavigate.Buttons(%1)").arg(index));
}

QComboBox *RealWindow::addressBox() const
{
    return part<QComboBox>("cboAddress");
}

BrowserPane *RealWindow::talvex() const
{
    return part<BrowserPane>("brwSnipe");
}

BrowserPane *RealWindow::auction() const
{
    return part<BrowserPane>("brwAuction");
}

int RealWindow::tab() const
{
    return part<TabControl>("SSTab1")->Tab();
}

void RealWindow::showTab(int tab) const
{
    part<TabControl>("SSTab1")->setTab(tab);
}

void RealWindow::screenshot(const QString &name)
{
    const QString folder = qEnvironmentVariable("BIDBENCH_SCREENSHOTS");
    if (folder.isEmpty())
        return;
    QTest::qWait(300); // let the engine paint
    window->grab().save(folder + QLatin1Char('/') + name);
}
