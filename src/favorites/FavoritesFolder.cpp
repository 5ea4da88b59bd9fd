#include "FavoritesFolder.h"

#include "IniFile.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

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

TextFile::WriteResult createShortcut(const QString &path, const QString &url)
{
    TextFile::WriteResult result;
    QByteArray bytes;
    for (const QString &line : shortcutLines(url))
        bytes += line.toUtf8() + "\r\n";

    // Plain system calls: an import makes thousands of these, and every saved call counts.
    static unsigned counter = 0;
    const QByteArray target = QFile::encodeName(path);
    const QByteArray temporary = QFile::encodeName(QFileInfo(path).absolutePath())
                                 + "/.new-favorite-" + QByteArray::number(::getpid()) + '-'
                                 + QByteArray::number(++counter);
    const auto fail = [&result](const QByteArray &remove) {
        result.error = QString::fromLocal8Bit(std::strerror(errno));
        if (!remove.isEmpty())
            ::unlink(remove.constData());
        return result;
    };
    const int fd = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0)
        return fail({});
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n == 0)
                errno = ENOSPC;
            const int saved = errno;
            ::close(fd);
            errno = saved;
            return fail(temporary);
        }
        done += n;
    }
    if (::close(fd) != 0)
        return fail(temporary);
    // Into place only if the name is still free; where the file system cannot rename that
    // way, a hard link does the same.
    if (::renameat2(AT_FDCWD, temporary.constData(), AT_FDCWD, target.constData(), RENAME_NOREPLACE) != 0) {
        if (errno != EINVAL && errno != ENOSYS)
            return fail(temporary);
        if (::link(temporary.constData(), target.constData()) != 0)
            return fail(temporary);
        ::unlink(temporary.constData());
    }
    result.ok = true;
    return result;
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
