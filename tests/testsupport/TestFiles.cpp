#include "TestFiles.h"

#include <csignal>
#include <sys/resource.h>

QByteArray readBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write test file %s", qPrintable(path));
}

QStringList favoritesSnapshot(const QString &root)
{
    QStringList lines;
    const QByteArray head = "[InternetShortcut]\r\nURL=";
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next(), relative = path.mid(root.size() + 1);
        const QByteArray bytes = it.fileInfo().isFile() ? readBytes(path) : QByteArray();
        if (it.fileInfo().isSymLink())
            lines.append(relative + QStringLiteral(" @link"));
        else if (it.fileInfo().isDir())
            lines.append(relative + QLatin1Char('/'));
        else if (bytes.startsWith(head) && bytes.endsWith("\r\n") && bytes.count('\n') == 2)
            lines.append(relative + QStringLiteral(" -> ") + QString::fromUtf8(bytes.mid(head.size()).chopped(2)));
        else
            lines.append(relative + QStringLiteral(" = ") + QString::fromUtf8(bytes));
    }
    lines.sort();
    return lines;
}

FileSizeLimit::FileSizeLimit(long long bytes)
{
    struct rlimit limit;
    getrlimit(RLIMIT_FSIZE, &limit);
    m_savedCur = static_cast<long long>(limit.rlim_cur);
    m_savedHandler = std::signal(SIGXFSZ, SIG_IGN);
    limit.rlim_cur = static_cast<rlim_t>(bytes);
    setrlimit(RLIMIT_FSIZE, &limit);
}

FileSizeLimit::~FileSizeLimit()
{
    struct rlimit limit;
    getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = static_cast<rlim_t>(m_savedCur);
    setrlimit(RLIMIT_FSIZE, &limit);
    std::signal(SIGXFSZ, m_savedHandler);
}

Destinations testDestinations()
{
    Destinations d;
    const std::pair<QString Destinations::*, const char *> named[] = {
        {&Destinations::serviceHost, "service.test"}, {&Destinations::talvexWebHost, "talvex.test"},
        {&Destinations::makerWebHost, "maker.test"}, {&Destinations::supportEmail, "support@maker.test"},
        {&Destinations::infoEmail, "info@maker.test"}, {&Destinations::serviceHelpEmail, "help@service.test"},
        {&Destinations::ebayHostUS, "www.ebay.com"}, {&Destinations::ebayHostCA, "ca.test"},
        {&Destinations::ebayHostUK, "uk.test"}, {&Destinations::ebayHostAU, "au.test"}, {&Destinations::ebayHostDE, "de.test"},
        {&Destinations::ebayHostAT, "at.test"}, {&Destinations::ebayHostCH, "ch.test"}, {&Destinations::ebayHostFR, "fr.test"},
        {&Destinations::ebayHostES, "es.test"}, {&Destinations::ebayHostIT, "it.test"}, {&Destinations::ebayHostTW, "tw.test"},
        {&Destinations::ebayPagesHost, "pages.test"}, {&Destinations::listedItemsHost, "listed.test"},
        {&Destinations::bidItemsHost, "bids.test"}};
    for (const auto &[field, value] : named)
        d.*field = QString::fromLatin1(value);
    for (int i = 1; i <= 4; ++i)
        d.redirectBases.append(QStringLiteral("http://r.test/link-%1").arg(i));
    d.searchDomains = QStringLiteral("ebay.com;ebay.ca;ebay.co.uk;ebay.de;ebay.com.au;ebay.at;ebay.fr;"
                                     "ebay.nl;befr.ebay.be;benl.ebay.be;ebay.ch;ebay.it;ebay.es").split(u';');
    return d;
}
