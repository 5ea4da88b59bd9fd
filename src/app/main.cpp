#include "Destinations.h"
#include "WebEnginePane.h"

#include <QApplication>
#include <QTabWidget>

int main(int argc, char *argv[])
{
    QCoreApplication::setOrganizationName(QStringLiteral("Mardell"));
    QCoreApplication::setApplicationName(QStringLiteral("Talvex Bidbench"));
    QCoreApplication::setApplicationVersion(QStringLiteral("2.0.1"));
    QApplication app(argc, argv);

    const Destinations destinations = Destinations::fromBuild();
    const BrowserPaneFactory makePane = WebEnginePane::factory();

    QTabWidget window;
    window.setWindowTitle(QStringLiteral("Talvex Bidbench"));
    BrowserPane *talvex = makePane(PaneKind::Talvex, &window);
    BrowserPane *auction = makePane(PaneKind::Auction, &window);
    window.addTab(talvex, QStringLiteral("Talvex"));
    window.addTab(auction, QStringLiteral("eBay"));
    talvex->Navigate(QStringLiteral("http://") + destinations.serviceHost);
    auction->Navigate(QStringLiteral("http://") + destinations.ebayHostUS);
    window.resize(1000, 700);
    window.show();
    return app.exec();
}
