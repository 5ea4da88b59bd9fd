#include "DirectoryListing.h"
#include "UserFolders.h"
#include "TestMain.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QTemporaryDir>

using namespace DirectoryListing;

namespace {
void touch(const QString &path)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
}

QMap<QString, unsigned> byName(const QList<Entry> &entries)
{
    QMap<QString, unsigned> map;
    for (const Entry &e : entries)
        map.insert(e.name, e.attributes);
    return map;
}
} // namespace

class TestDirectoryListing : public QObject
{
    Q_OBJECT

private slots:
    void attributesOfEachKind();
    void unreadableFolderIsEmpty();
    void favoritesFolderMadeOnFirstUse();
};

void TestDirectoryListing::attributesOfEachKind()
{
    QTemporaryDir dir;
    QDir d(dir.path());
    QVERIFY(d.mkdir("plain"));
    QVERIFY(d.mkdir(".hidden"));
    QVERIFY(d.mkdir("locked"));
    QVERIFY(QFile::setPermissions(d.filePath("locked"), QFile::ReadOwner | QFile::ExeOwner));
    touch(d.filePath("file.url"));
    touch(d.filePath(".dotfile.url"));
    touch(d.filePath("readonly.url"));
    QVERIFY(QFile::setPermissions(d.filePath("readonly.url"), QFile::ReadOwner));
    QVERIFY(QFile::link(d.filePath("plain"), d.filePath("folderlink")));
    QVERIFY(QFile::link(d.filePath("file.url"), d.filePath("filelink.url")));
    QVERIFY(QFile::link(d.filePath("nowhere"), d.filePath("dangling.url")));

    const QMap<QString, unsigned> expected{
        {"plain", Directory},
        {".hidden", Directory | Hidden},
        {"locked", Directory | ReadOnly},
        {"file.url", 0},
        {".dotfile.url", Hidden},
        {"readonly.url", ReadOnly},
        {"folderlink", Directory | ReparsePoint},
        {"filelink.url", ReparsePoint},
        {"dangling.url", ReparsePoint},
    };
    QCOMPARE(byName(list(dir.path(), Include::FilesAndFolders)), expected);
    for (auto it = expected.cbegin(); it != expected.cend(); ++it)
        QCOMPARE(attributesOf(d.filePath(it.key())), it.value());
    QCOMPARE(attributesOf(d.filePath("missing")), 0u);

    QVERIFY(isPlainFolder(expected.value("plain")));
    for (const char *name : {".hidden", "locked", "folderlink", "file.url"})
        QVERIFY2(!isPlainFolder(expected.value(name)), name);
}

void TestDirectoryListing::unreadableFolderIsEmpty()
{
    QTemporaryDir dir;
    QVERIFY(list(dir.filePath("missing"), Include::FilesAndFolders).isEmpty());
    touch(dir.filePath("file"));
    QVERIFY(list(dir.filePath("file"), Include::FilesAndFolders).isEmpty());
}

void TestDirectoryListing::favoritesFolderMadeOnFirstUse()
{
    const QString expected = qEnvironmentVariable("XDG_DATA_HOME") + "/bidbench/Favorites";
    QDir(expected).removeRecursively();
    QCOMPARE(SpecialFolder::path(SpecialFolder::Favorites), expected);
    QVERIFY(QFileInfo(expected).isDir());
    QCOMPARE(SpecialFolder::path(SpecialFolder::Favorites), expected); // and found again
    QCOMPARE(SpecialFolder::path(5), QString());
}

BIDBENCH_TEST_MAIN(TestDirectoryListing)
#include "tst_directorylisting.moc"
