#include "Helpers.h"

#include <QFile>
#include <QListWidget>
#include <QTest>

#include <csignal>
#include <sys/resource.h>

const QStringList kSearchDomains = QStringLiteral(
    "ebay.com;ebay.ca;ebay.co.uk;ebay.de;ebay.com.au;ebay.at;ebay.fr;ebay.nl;befr.ebay.be;"
    "benl.ebay.be;ebay.ch;ebay.it;ebay.es").split(u';');

QByteArray readBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

FileSizeLimit::FileSizeLimit(long long bytes)
{
    struct rlimit limit;
    getrlimit(RLIMIT_FSIZE, &limit);
    m_savedCur = static_cast<long long>(limit.rlim_cur);
    m_savedHandler = std::signal(SIGXFSZ, SIG_IGN);
    limit.rlim_cur = static_cast<rlim_t>(bytes);
    setrlimit(RLIMIT_FSIZE, &limit);
    m_active = true;
}

void FileSizeLimit::release()
{
    if (!m_active)
        return;
    struct rlimit limit;
    getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = static_cast<rlim_t>(m_savedCur);
    setrlimit(RLIMIT_FSIZE, &limit);
    std::signal(SIGXFSZ, m_savedHandler);
    m_active = false;
}

QStringList rows(const QListWidget *list)
{
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts.append(list->item(i)->text());
    return texts;
}

QString selectedText(const QListWidget *list)
{
    const auto selected = list->selectedItems();
    return selected.isEmpty() ? QString() : selected.first()->text();
}

void clickRow(QListWidget *list, const QString &text, bool doubleClick)
{
    const auto found = list->findItems(text, Qt::MatchExactly);
    QVERIFY2(found.size() == 1, qPrintable(text));
    const QPoint at = list->visualItemRect(found.first()).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    if (doubleClick)
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
}
