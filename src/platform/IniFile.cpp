#include "IniFile.h"

#include "TextFile.h"

#include <QFile>
#include <QFileInfo>
#include <QStringView>

namespace IniFile {

namespace {
// A shortcut file is a few hundred bytes; this only keeps a stray huge file from being read.
constexpr qint64 kMaxBytes = 16 * 1024 * 1024;

} // namespace

QString cleanValue(QStringView raw)
{
    QStringView v = raw.trimmed();
    if (v.size() >= 2 && v.front() == v.back() && (v.front() == u'"' || v.front() == u'\''))
        v = v.sliced(1, v.size() - 2);
    return v.toString();
}

QString decode(const QByteArray &bytes)
{
    if (bytes.startsWith("\xFF\xFE"))
        return TextFile::decodeUtf16(QByteArrayView(bytes).sliced(2), false);
    if (bytes.startsWith("\xFE\xFF"))
        return TextFile::decodeUtf16(QByteArrayView(bytes).sliced(2), true);
    return TextFile::decode(bytes); // drops a UTF-8 byte-order mark
}

QString value(const QString &text, const QString &section, const QString &key)
{
    bool inSection = false;
    const QStringView all(text);
    qsizetype start = 0;
    const qsizetype n = all.size();
    while (start <= n) {
        qsizetype end = start;
        while (end < n && all[end] != u'\r' && all[end] != u'\n')
            ++end;
        const QStringView line = all.sliced(start, end - start).trimmed();
        start = end + 1;

        if (line.isEmpty() || line.front() == u';')
            continue;
        if (line.front() == u'[') {
            qsizetype close = line.indexOf(u']');
            if (close < 0)
                close = line.size();
            inSection = line.sliced(1, close - 1).trimmed().compare(section, Qt::CaseInsensitive) == 0;
            continue;
        }
        if (!inSection)
            continue;
        const qsizetype eq = line.indexOf(u'=');
        if (eq < 0)
            continue;
        if (line.first(eq).trimmed().compare(key, Qt::CaseInsensitive) != 0)
            continue;
        return cleanValue(line.sliced(eq + 1));
    }
    return QString();
}

QString readValue(const QString &path, const QString &section, const QString &key)
{
    // Never open a pipe or device that happens to carry the name: it could block for ever.
    if (!QFileInfo(path).isFile())
        return QString();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    // Only what is there: a shortcut is a few hundred bytes, and a buffer of the limit's size
    // for each one made every listing of the favourites slow.
    return value(decode(file.read(qBound(qint64(0), file.size(), kMaxBytes))), section, key);
}

} // namespace IniFile
