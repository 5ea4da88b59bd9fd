#include "BookmarkImporter.h"

#include "DirectoryListing.h"
#include "FavoritesFolder.h"
#include "IniFile.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QThread>
#include <QTimer>
#include <QUrl>

#include <cerrno>
#include <cstring>
#include <sys/stat.h>

using NetscapeBookmarks::Item;

namespace {
const QString kUntitled = QStringLiteral("Untitled");
// Long enough to write a few hundred shortcuts, short enough that the window keeps up.
constexpr int kSliceMs = 30;

bool exists(const QString &path)
{
    struct stat st;
    return lstat(QFile::encodeName(path).constData(), &st) == 0; // dangling links count
}

QString numbered(const QString &name, int n)
{
    return n == 1 ? name : name + QStringLiteral(" (%1)").arg(n);
}

QString linkName(const QString &title, const QString &url)
{
    QString name = FavoritesFolder::safeName(title);
    if (name.isEmpty())
        name = FavoritesFolder::safeName(QUrl(url).host());
    return name.isEmpty() ? kUntitled : name;
}

// A path of thousands of characters says no more in a message than its start and its end.
QString elided(const QString &path)
{
    constexpr qsizetype kKeep = 60;
    if (path.size() <= 2 * kKeep + 1)
        return path;
    return path.first(kKeep) + QChar(0x2026) + path.last(kKeep);
}
} // namespace

BookmarkImporter::BookmarkImporter(QString favoritesFolder, QObject *parent)
    : QObject(parent), m_root(std::move(favoritesFolder))
{
}

BookmarkImporter::~BookmarkImporter()
{
    if (m_reader) {
        m_cancel = true;
        m_reader->wait();
        delete m_reader;
    }
    if (m_running)
        rollBack();
}

BookmarkImporter::Result BookmarkImporter::readFile(const QString &bookmarkFile,
                                                    NetscapeBookmarks::Parsed &parsed,
                                                    const std::atomic_bool *cancel)
{
    Result result;
    const QFileInfo info(bookmarkFile);
    if (!info.isFile()) {
        result.error = info.exists() ? QStringLiteral("It is not a file.") : QStringLiteral("No such file.");
        return result;
    }
    if (info.size() > kMaxFileBytes) {
        result.outcome = Outcome::TooLarge;
        return result;
    }
    QFile file(bookmarkFile);
    if (!file.open(QIODevice::ReadOnly)) {
        result.error = file.errorString();
        return result;
    }
    // As much as is there, and a byte more to notice a file that grew meanwhile: read(limit)
    // would take a buffer of the limit's size for the smallest file.
    QByteArray bytes;
    for (qint64 want = qMin(info.size(), kMaxFileBytes) + 1; want > 0;
         want = qMin<qint64>(1 << 20, kMaxFileBytes + 1 - bytes.size())) {
        const QByteArray chunk = file.read(want);
        if (chunk.isEmpty())
            break;
        bytes += chunk;
    }
    if (file.error() != QFileDevice::NoError) {
        result.error = file.errorString();
        return result;
    }
    if (bytes.size() > kMaxFileBytes) {
        result.outcome = Outcome::TooLarge;
        return result;
    }
    parsed = NetscapeBookmarks::parse(std::exchange(bytes, {}), cancel);
    result.outcome = parsed.isBookmarkFile ? Outcome::Imported : Outcome::NotBookmarkFile;
    return result;
}

BookmarkImporter::Result BookmarkImporter::importFile(const QString &bookmarkFile)
{
    NetscapeBookmarks::Parsed parsed;
    Result result = readFile(bookmarkFile, parsed, nullptr);
    if (result.outcome != Outcome::Imported)
        return result;
    result = importItems(parsed.items);
    result.foldersFlattened = parsed.foldersFlattened;
    return result;
}

BookmarkImporter::Result BookmarkImporter::importItems(const QList<Item> &items)
{
    Result result;
    if (!begin(items, result))
        return result;
    m_result = {Outcome::Imported};
    result = *writeEntries(-1);
    m_running = false;
    return result;
}

// Lays the tree out flat, parents before their items, so that nothing recurses on its depth.
bool BookmarkImporter::begin(const QList<Item> &items, Result &result)
{
    m_madeFiles.clear();
    m_madeFolders.clear();
    m_error.clear();
    m_entries.clear();
    m_taken.clear();
    m_next = 0;
    if (m_root.isEmpty() || !QFileInfo(m_root).isDir()) {
        result = {Outcome::WriteFailed, QStringLiteral("There is no Favorites folder.")};
        return false;
    }
    struct Frame
    {
        const QList<Item> *items;
        qsizetype next;
        int parent;
    };
    std::vector<Frame> open{{&items, 0, -1}};
    while (!open.empty()) {
        Frame &frame = open.back();
        if (frame.next == frame.items->size()) {
            open.pop_back();
            continue;
        }
        const Item &item = frame.items->at(frame.next++);
        m_entries.push_back({frame.parent, item.isFolder, item.title, item.url});
        if (item.isFolder)
            open.push_back({&item.children, 0, int(m_entries.size() - 1)});
    }
    m_paths.assign(m_entries.size(), QString());
    m_running = true;
    return true;
}

std::optional<BookmarkImporter::Result> BookmarkImporter::writeEntries(int limitMs)
{
    QElapsedTimer slice;
    slice.start();
    while (m_next < m_entries.size() && (limitMs < 0 || slice.elapsed() < limitMs)) {
        if (!writeNext()) {
            rollBack();
            return Result{Outcome::WriteFailed, m_error};
        }
    }
    if (m_next < m_entries.size())
        return std::nullopt;
    Result done = m_result;
    done.foldersMade = int(m_madeFolders.size());
    done.shortcutsWritten = int(m_madeFiles.size());
    return done;
}

bool BookmarkImporter::writeNext()
{
    const Entry &entry = m_entries[m_next];
    const QString &folder = entry.parent < 0 ? m_root : m_paths[size_t(entry.parent)];
    if (entry.isFolder) {
        QString name = FavoritesFolder::safeName(entry.title);
        if (name.isEmpty())
            name = kUntitled;
        m_paths[m_next] = folderFor(folder, name);
        if (m_paths[m_next].isEmpty())
            return false;
    } else if (const QString path = shortcutFor(folder, linkName(entry.title, entry.url), entry.url);
               !path.isEmpty()) { // empty: already there
        const TextFile::WriteResult written = FavoritesFolder::createShortcut(path, entry.url);
        if (!written.ok) {
            m_error = written.error;
            return false;
        }
        m_madeFiles.append(path);
    }
    ++m_next;
    return true;
}

void BookmarkImporter::start(const QString &bookmarkFile)
{
    m_cancel = false;
    m_reader = QThread::create([this, bookmarkFile] { m_result = readFile(bookmarkFile, m_parsed, &m_cancel); });
    connect(m_reader, &QThread::finished, this, &BookmarkImporter::parsed);
    m_reader->start();
}

void BookmarkImporter::parsed()
{
    m_reader->wait();
    delete std::exchange(m_reader, nullptr);
    const NetscapeBookmarks::Parsed parsed = std::exchange(m_parsed, {});
    if (m_cancel)
        return end({Outcome::Cancelled});
    if (m_result.outcome != Outcome::Imported)
        return end(m_result);
    Result failed;
    if (!begin(parsed.items, failed))
        return end(failed);
    m_result.foldersFlattened = parsed.foldersFlattened;
    emit progress(0, int(m_entries.size()));
    QTimer::singleShot(0, this, &BookmarkImporter::writeSlice);
}

void BookmarkImporter::writeSlice()
{
    if (!m_running)
        return;
    if (const std::optional<Result> done = writeEntries(kSliceMs))
        return end(*done);
    emit progress(int(m_next), int(m_entries.size()));
    if (m_running) // Cancel may have been pressed meanwhile
        QTimer::singleShot(0, this, &BookmarkImporter::writeSlice);
}

void BookmarkImporter::cancel()
{
    m_cancel = true;
    if (!m_running)
        return; // the reader, if any, ends with Cancelled
    rollBack();
    end({Outcome::Cancelled});
}

void BookmarkImporter::end(Result result)
{
    m_running = false;
    m_entries.clear();
    m_paths.clear();
    m_taken.clear();
    emit finished(result);
}

// The folder to import into: an existing plain folder of that name, or a new one. Never a
// link, which could lead outside the Favorites folder.
QString BookmarkImporter::folderFor(const QString &parent, const QString &name)
{
    for (int n = 1;; ++n) {
        const QString path = parent + QLatin1Char('/') + numbered(name, n);
        if (!exists(path)) {
            if (::mkdir(QFile::encodeName(path).constData(), 0777) != 0) {
                m_error = QStringLiteral("The folder \"%1\" could not be made: %2.")
                              .arg(elided(path), QString::fromLocal8Bit(std::strerror(errno)));
                return QString();
            }
            m_madeFolders.append(path);
            return path;
        }
        const unsigned attributes = DirectoryListing::attributesOf(path);
        if ((attributes & DirectoryListing::Directory) && !(attributes & DirectoryListing::ReparsePoint))
            return path;
    }
}

// A free path for the shortcut, or empty when a shortcut of that name already opens url as
// it would read back from the file written now.
QString BookmarkImporter::shortcutFor(const QString &parent, const QString &name, const QString &url)
{
    const QString base = parent + QLatin1Char('/') + name;
    auto taken = m_taken.find(base);
    if (taken == m_taken.end()) {
        if (const QString first = base + QStringLiteral(".url"); !exists(first))
            return first;
        taken = m_taken.insert(base, {});
    }
    for (;; ++taken->next) {
        const QString path = numbered(base, taken->next) + QStringLiteral(".url");
        if (!exists(path))
            break;
        const unsigned attributes = DirectoryListing::attributesOf(path);
        if (!(attributes & (DirectoryListing::Directory | DirectoryListing::ReparsePoint)))
            taken->urls.insert(FavoritesFolder::readShortcut(path));
    }
    const QString wanted = IniFile::cleanValue(FavoritesFolder::shortcutLines(url).constLast().mid(4));
    if (taken->urls.contains(wanted))
        return QString();
    taken->urls.insert(wanted);
    return numbered(base, taken->next++) + QStringLiteral(".url");
}

void BookmarkImporter::rollBack()
{
    for (auto it = m_madeFiles.crbegin(); it != m_madeFiles.crend(); ++it)
        QFile::remove(*it);
    for (auto it = m_madeFolders.crbegin(); it != m_madeFolders.crend(); ++it)
        QDir().rmdir(*it);
    m_madeFiles.clear();
    m_madeFolders.clear();
}
