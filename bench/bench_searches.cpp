// Saves and loads 10,000 saved searches. Prints the median of several runs.
#include "BenchTiming.h"
#include "CSearches.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>
#include <vector>

namespace {
constexpr int kRuns = 9;

void measure(const char *what, const std::function<void()> &run)
{
    BenchTiming::measure(kRuns, run).print(what);
}
} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString path = CSearches::FilePath(dir.path());
    const QStringList domains = QStringLiteral(
        "ebay.com;ebay.ca;ebay.co.uk;ebay.de;ebay.com.au;ebay.at;ebay.fr;ebay.nl;befr.ebay.be;"
        "benl.ebay.be;ebay.ch;ebay.it;ebay.es").split(u';');

    constexpr int n = 10000;
    CSearches searches(domains);
    searches.Load(path);
    for (int i = 0; i < n; ++i)
        searches.Add(QStringLiteral("search number %1").arg(i),
                     QStringLiteral("vintage camera lens %1").arg(i % 97), 1 + i % 3,
                     i % 4 ? QString() : QStringLiteral("broken parts"), i % 13,
                     QString::number(600 + i % 50), QString::number(i % 20),
                     QString::number(100 + i % 400), i % 2 == 0);

    std::printf("saved searches, %d searches, %d runs each\n", n, kRuns);
    measure("save", [&] {
        if (!searches.Save().ok)
            std::printf("  save failed\n");
    });
    qsizetype loaded = 0;
    measure("load", [&] {
        CSearches fresh(domains);
        fresh.Load(path);
        loaded = fresh.Count();
    });
    if (loaded != n)
        std::printf("  loaded %lld of %d\n", static_cast<long long>(loaded), n);
    return 0;
}
