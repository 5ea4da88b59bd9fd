#include "CSearches.h"

#include "SearchSites.h"
#include "TextFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringView>

namespace {
const QString kTrue = QStringLiteral("True");
const QString kFalse = QStringLiteral("False");
constexpr int kFields = 9;
} // namespace

CSearches::CSearches(QStringList siteDomains)
    : m_siteDomains(std::move(siteDomains))
{
}

QString CSearches::FilePath(const QString &dataDir)
{
    return QDir(dataDir).filePath(FileName());
}

CSearches::Entry CSearches::Add(const QString &sName, const QString &sKeywords, int iSearchBoolean,
                                const QString &sExcludeWords, int iEBaySite,
                                const QString &sCategory, const QString &sPriceLow,
                                const QString &sPriceHigh, bool bIsSearchDescriptions)
{
    const QString key = keyOf(sName);
    if (m_keys.contains(key))
        return {};
    Entry search = Entry::create(m_siteDomains);
    search->Initialize(sName, sKeywords, sCategory, iEBaySite, iSearchBoolean,
                       bIsSearchDescriptions, sPriceLow, sPriceHigh, sExcludeWords);
    m_keys.insert(key, search);
    m_colSearches.append(search);
    return search;
}

bool CSearches::Remove(const QString &sName)
{
    const auto it = m_keys.find(keyOf(sName));
    if (it == m_keys.end())
        return false;
    m_colSearches.removeOne(it.value());
    m_keys.erase(it);
    return true;
}

CSearches::Entry CSearches::Item(const QString &sName) const
{
    return m_keys.value(keyOf(sName));
}

QString CSearches::formatLine(const CSearch &search)
{
    const QChar bar(u'|');
    return search.Name() + bar + search.Keywords() + bar + QString::number(search.SearchBoolean())
        + bar + search.ExcludeWords() + bar + QString::number(search.EBaySite()) + bar
        + search.Category() + bar + search.PriceLow() + bar + search.PriceHigh() + bar
        + (search.IsSearchDescriptions() ? kTrue : kFalse);
}

CSearches::LineKind CSearches::addLine(const QString &line)
{
    if (!line.contains(u'|'))
        return LineKind::NoSeparator;
    const QList<QStringView> fields = QStringView(line).split(u'|');
    if (fields.size() < kFields)
        return LineKind::Malformed;
    bool booleanOk = false;
    bool siteOk = false;
    const int iSearchBoolean = fields.at(2).toInt(&booleanOk);
    const int iEBaySite = fields.at(4).toInt(&siteOk);
    // A site outside the table would search no site at all.
    siteOk = siteOk && iEBaySite >= 0 && iEBaySite < SearchSites::Count;
    const QStringView descriptions = fields.at(8);
    if (!booleanOk || !siteOk || (descriptions != kTrue && descriptions != kFalse))
        return LineKind::Malformed;
    // Fields after the ninth are ignored; a repeated name keeps its first record.
    Add(fields.at(0).toString(), fields.at(1).toString(), iSearchBoolean, fields.at(3).toString(),
        iEBaySite, fields.at(5).toString(), fields.at(6).toString(), fields.at(7).toString(),
        descriptions == kTrue);
    return LineKind::Search;
}

CSearches::LoadResult CSearches::Load(const QString &path)
{
    LoadResult result;
    m_colSearches.clear();
    m_keys.clear();
    m_sPath = path;
    m_bBackupBeforeSave = false;

    const TextFile::ReadResult read = TextFile::readLines(path);
    if (!read.ok) {
        result.readFailed = true;
        result.error = read.error;
        return result;
    }
    if (!read.exists) {
        const TextFile::WriteResult created = TextFile::writeBytes(path, QByteArray());
        result.createFailed = !created.ok;
        result.error = created.error;
        return result;
    }
    for (const QString &line : read.lines) {
        if (addLine(line) == LineKind::Malformed)
            ++result.skippedLines;
    }
    m_bBackupBeforeSave = result.skippedLines > 0;
    return result;
}

QString CSearches::backupPath() const
{
    // An earlier copy holds the lines an earlier save dropped: it is never written over.
    const QString base = m_sPath + QStringLiteral(".bak");
    QString path = base;
    for (int n = 2; QFileInfo(path).exists() || QFileInfo(path).isSymLink(); ++n)
        path = base + QString::number(n);
    return path;
}

CSearches::SaveResult CSearches::Save()
{
    SaveResult result;
    if (m_bBackupBeforeSave) {
        QFile old(m_sPath);
        if (old.exists()) {
            QByteArray bytes;
            if (old.open(QIODevice::ReadOnly))
                bytes = old.readAll();
            if (old.error() != QFileDevice::NoError) {
                result.error = old.errorString();
                result.failedPath = m_sPath;
                return result;
            }
            const QString backupFile = backupPath();
            const TextFile::WriteResult backup = TextFile::writeBytes(backupFile, bytes);
            if (!backup.ok) {
                result.error = backup.error;
                result.failedPath = backupFile;
                return result;
            }
        }
    }

    QStringList lines;
    lines.reserve(m_colSearches.size());
    for (const Entry &search : m_colSearches)
        lines.append(formatLine(*search));
    const TextFile::WriteResult written = TextFile::writeLines(m_sPath, lines);
    if (!written.ok) {
        result.error = written.error;
        result.failedPath = m_sPath;
        return result;
    }
    m_bBackupBeforeSave = false;
    result.ok = true;
    return result;
}
