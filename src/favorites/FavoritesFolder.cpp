#include "FavoritesFolder.h"

#include "IniFile.h"

#include <QFileInfo>

namespace FavoritesFolder {

namespace {
bool isControl(char16_t c)
{
    return c < 0x20 || (c >= 0x7F && c <= 0x9F);
}

// Cuts text to at most maxBytes of UTF-8 without splitting a character.
QString boundedUtf8(const QString &text, int maxBytes)
{
    int bytes = 0;
    qsizetype i = 0;
    while (i < text.size()) {
        const char32_t c = text.at(i).isHighSurrogate() && i + 1 < text.size()
                               ? QChar::surrogateToUcs4(text.at(i), text.at(i + 1))
                               : char32_t(text.at(i).unicode());
        const int width = c < 0x80 ? 1 : c < 0x800 ? 2 : c < 0x10000 ? 3 : 4;
        if (bytes + width > maxBytes)
            break;
        bytes += width;
        i += c >= 0x10000 ? 2 : 1;
    }
    return text.left(i);
}
} // namespace

QString safeName(const QString &title)
{
    QString name;
    name.reserve(title.size());
    for (QChar c : title) {
        if (isControl(c.unicode()))
            name.append(QLatin1Char(' '));
        else if (c == u'/')
            name.append(QLatin1Char('-'));
        else
            name.append(c);
    }
    name = name.simplified();
    qsizetype dots = 0;
    while (dots < name.size() && (name.at(dots) == u'.' || name.at(dots) == u' '))
        ++dots;
    name.remove(0, dots);
    return boundedUtf8(name, kMaxNameBytes).trimmed();
}

QStringList shortcutLines(const QString &url)
{
    QString clean;
    clean.reserve(url.size());
    for (QChar c : url) {
        if (!isControl(c.unicode()))
            clean.append(c);
    }
    return {QStringLiteral("[InternetShortcut]"), QStringLiteral("URL=") + clean};
}

TextFile::WriteResult writeShortcut(const QString &path, const QString &url)
{
    return TextFile::writeLines(path, shortcutLines(url));
}

QString readShortcut(const QString &path)
{
    return IniFile::readValue(path, QStringLiteral("InternetShortcut"), QStringLiteral("URL"));
}

bool isInside(const QString &folder, const QString &path)
{
    const QString root = QFileInfo(folder).canonicalFilePath();
    const QFileInfo info(path);
    const QString name = info.fileName();
    if (root.isEmpty() || name.isEmpty() || name == u"." || name == u"..")
        return false;
    // An existing file is written where it really is, through any link; a dangling link
    // would be written who knows where.
    QString resolved;
    if (info.exists())
        resolved = info.canonicalFilePath();
    else if (!info.isSymLink())
        resolved = QFileInfo(info.absolutePath()).canonicalFilePath() + QLatin1Char('/') + name;
    return !resolved.isEmpty() && resolved.startsWith(root + QLatin1Char('/'));
}

} // namespace FavoritesFolder
