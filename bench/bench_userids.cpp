// Loads and saves favourite user-ID lists of 100,000 and 200,000 IDs, and opens the favourites
// window on 100,000. Prints the median of several runs. Run with QT_QPA_PLATFORM=offscreen.
#include "BenchTiming.h"
#include "CUserIDs.h"
#include "FFavorites.h"
#include "UserIDFile.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QListWidget>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>
#include <memory>
#include <vector>

namespace {

constexpr int kRuns = 7;

using Timing = BenchTiming;

Timing measure(const std::function<void()> &run, const std::function<void()> &after = {})
{
    return BenchTiming::measure(kRuns, run, after);
}

// n distinct IDs of eBay-like shapes, then one in twenty repeated in another letter case.
QByteArray listFile(int n)
{
    QRandomGenerator random(n);
    static const char alphabet[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789_-.";
    QStringList ids;
    ids.reserve(n + n / 20);
    for (int i = 0; i < n; ++i) {
        QString id;
        const int length = 4 + random.bounded(12);
        for (int k = 0; k < length; ++k)
            id += QLatin1Char(alphabet[random.bounded(int(sizeof alphabet) - 1)]);
        id += QString::number(i, 36); // keeps them distinct
        ids.append(id);
    }
    for (int i = 0; i < n; i += 20)
        ids.append(ids.at(i).toUpper() == ids.at(i) ? ids.at(i).toLower() : ids.at(i).toUpper());
    QByteArray bytes;
    for (const QString &id : ids)
        bytes += id.toUtf8() + "\r\n";
    return bytes;
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;

    std::printf("user-ID lists, %d runs each\n", kRuns);
    for (int n : {100000, 200000}) {
        QFile file(dir.filePath(QStringLiteral("Sellers.txt")));
        file.open(QIODevice::WriteOnly);
        file.write(listFile(n));
        file.close();

        // The list is freed after the clock stops: loading is what is measured.
        std::unique_ptr<CUserIDs> fresh;
        qsizetype loaded = 0;
        const Timing load = measure(
            [&] {
                fresh = std::make_unique<CUserIDs>();
                ReadUserIDFile(dir.path(), true, *fresh);
                loaded = fresh->Count();
            },
            [&] { fresh.reset(); });
        CUserIDs list;
        ReadUserIDFile(dir.path(), true, list);
        const Timing save = measure([&] {
            if (!WriteUserIDFile(dir.path(), false, list).ok)
                std::printf("  write failed\n");
        });
        std::printf(" %d IDs + %d duplicates in other case (%lld kept):\n", n, n / 20,
                    static_cast<long long>(loaded));
        load.print("load (read file, fill list)");
        save.print("save (write file)");
    }

    // The window: from the file to a shown, sorted, painted list. Its unload (which saves the
    // list) happens after the clock stops.
    {
        QFile file(dir.filePath(QStringLiteral("Sellers.txt")));
        file.open(QIODevice::WriteOnly);
        file.write(listFile(100000));
        file.close();
        std::unique_ptr<FFavorites> window;
        int rows = 0;
        const Timing open = measure(
            [&] {
                window = std::make_unique<FFavorites>(dir.path());
                window->Initialize(true);
                window->show();
                auto *list = window->findChild<QListWidget *>();
                list->viewport()->repaint();
                QApplication::processEvents();
                rows = list->count();
            },
            [&] {
                window->Unload();
                window.reset();
            });
        std::printf(" favourites window, %d IDs:\n", rows);
        open.print("file to shown, sorted list");
    }
    return 0;
}
