// The reference for the start-up benchmark: two Qt WebEngine views in a tab widget, each with
// a profile of its own, doing the two loads Bidbench does at start-up and nothing else.
//   bare_two_panes <auction start URL> <login URL> <login body>
#include <QApplication>
#include <QTabWidget>
#include <QTimer>

#include <cstdio>
#include <QWebEngineHttpRequest>
#include <QWebEngineProfile>
#include <QWebEngineView>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    std::fputs("bidbench.startup|application made\n", stderr);
    const QStringList args = app.arguments();
    if (args.size() != 4)
        return 2;

    QTabWidget window;
    QWebEngineProfile talvexProfile(QStringLiteral("talvex"));
    QWebEngineProfile auctionProfile(QStringLiteral("auction"));
    auto *talvex = new QWebEngineView(&window);
    talvex->setPage(new QWebEnginePage(&talvexProfile, talvex));
    auto *auction = new QWebEngineView(&window);
    auction->setPage(new QWebEnginePage(&auctionProfile, auction));
    std::fputs("bidbench.startup|views made\n", stderr);
    window.addTab(talvex, QStringLiteral("Talvex"));
    window.addTab(auction, QStringLiteral("Auction"));

    auction->load(QUrl(args.at(1)));
    QWebEngineHttpRequest login(QUrl(args.at(2)), QWebEngineHttpRequest::Post);
    login.setPostData(args.at(3).toUtf8());
    login.setHeader("Content-Type", "application/x-www-form-urlencoded");
    talvex->load(login);

    std::fputs("bidbench.startup|loads asked for\n", stderr);
    window.resize(668, 465);
    window.show();
    QTimer::singleShot(0, &app, [] { std::fputs("bidbench.startup|event loop running\n", stderr); });
    const int code = app.exec();
    delete talvex;
    delete auction;
    return code;
}
