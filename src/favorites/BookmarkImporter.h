#pragma once

#include "NetscapeBookmarks.h"

#include <QHash>
#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>

#include <atomic>
#include <optional>
#include <vector>

class QThread;

// Imports a Netscape bookmark file into the Favorites folder: folders become folders (merged
// with existing plain folders of the same name), links become shortcut files. A name already
// taken gets " (2)", " (3)" ...; a shortcut of that name that already opens the same address
// (as the shortcut reads back) is left as it is, so importing a file twice adds nothing.
// Either everything is written or, after a failure or Cancel, whatever this import made is
// removed again.
class BookmarkImporter : public QObject
{
    Q_OBJECT

public:
    enum class Outcome { Imported, Unreadable, NotBookmarkFile, TooLarge, WriteFailed, Cancelled };

    struct Result
    {
        Outcome outcome = Outcome::Unreadable;
        QString error; // the system's reason, for Unreadable and WriteFailed
        int foldersMade = 0;
        int shortcutsWritten = 0;
        int foldersFlattened = 0; // nested below NetscapeBookmarks::kMaxDepth
    };

    // Far above any real export; a larger file is refused before it is read.
    static constexpr qint64 kMaxFileBytes = qint64(64) << 20;

    explicit BookmarkImporter(QString favoritesFolder, QObject *parent = nullptr);
    // An import still under way is undone.
    ~BookmarkImporter() override;

    // All at once, on the calling thread.
    Result importFile(const QString &bookmarkFile);
    Result importItems(const QList<NetscapeBookmarks::Item> &items);

    // The same without holding up the window: the file is read and parsed on a worker thread,
    // the files are written here, in short slices between events. progress() follows each
    // slice; finished() comes once, never before start() has returned.
    void start(const QString &bookmarkFile);
    void cancel();

signals:
    void progress(int written, int total);
    void finished(const BookmarkImporter::Result &result);

private:
    struct Entry
    {
        int parent; // index of its folder's entry; -1: the Favorites folder
        bool isFolder;
        QString title;
        QString url;
    };

    static Result readFile(const QString &bookmarkFile, NetscapeBookmarks::Parsed &parsed,
                           const std::atomic_bool *cancel);
    bool begin(const QList<NetscapeBookmarks::Item> &items, Result &result);
    // Writes entries until all are written or, unless limitMs is -1, the time is up; the
    // result once there is one. A failure removes again what the import made.
    std::optional<Result> writeEntries(int limitMs);
    bool writeNext();
    void writeSlice();
    void parsed();
    void end(Result result);
    QString folderFor(const QString &parent, const QString &name);
    QString shortcutFor(const QString &parent, const QString &name, const QString &url);
    void rollBack();

    // The numbered shortcuts of one name in one folder, once two links compete for it: each
    // file is read once, not once for every further link of that name.
    struct Taken
    {
        QSet<QString> urls;
        int next = 1;
    };

    QString m_root;
    QHash<QString, Taken> m_taken; // by folder and name
    std::vector<Entry> m_entries; // every item, in the order of the file
    std::vector<QString> m_paths; // the folder each folder entry went to
    size_t m_next = 0;
    QStringList m_madeFiles;
    QStringList m_madeFolders;
    QString m_error;
    Result m_result;
    bool m_running = false;

    QThread *m_reader = nullptr;
    std::atomic_bool m_cancel{false};
    NetscapeBookmarks::Parsed m_parsed; // the reader's, until it has finished
};
