#include "SettingsStore.h"
#include "TestMain.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

namespace {
// Owner, group and other bits only: the "user" bits just repeat the owner's for us.
QFile::Permissions modeOf(const QString &path)
{
    return QFileInfo(path).permissions() & ~(QFile::ReadUser | QFile::WriteUser | QFile::ExeUser);
}
} // namespace

class TestSettingsStore : public QObject
{
    Q_OBJECT

private slots:
    void missingAndEmptyAreDistinctOnDisk();
    void valuesRoundTripExactly_data();
    void valuesRoundTripExactly();
    void applicationsLiveInSeparateFiles();
    void filesArePrivate();
    void unwritableStoreReportsFailure();
};

void TestSettingsStore::missingAndEmptyAreDistinctOnDisk()
{
    QTemporaryDir dir;
    SettingsStore store(dir.path());
    QCOMPARE(store.GetSetting("Talvex Bidbench", "Settings", "TextLabels"), QString());

    QVERIFY(store.SaveSetting("Talvex Bidbench", "Settings", "TextLabels", "N"));
    QVERIFY(store.SaveSetting("Talvex Bidbench", "Settings", "TextLabels", ""));
    QCOMPARE(store.GetSetting("Talvex Bidbench", "Settings", "TextLabels"), QString(""));

    // The key is kept with an empty value, not removed.
    QFile file(store.fileFor("Talvex Bidbench"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll().contains("TextLabels="));
}

void TestSettingsStore::valuesRoundTripExactly_data()
{
    QTest::addColumn<QString>("value");
    QTest::newRow("blanks") << QStringLiteral("  two  blanks  ");
    QTest::newRow("semicolon and hash") << QStringLiteral("x;y #z");
    QTest::newRow("leading at") << QStringLiteral("@Variant(x)");
    QTest::newRow("backslashes") << QStringLiteral("C:\\path\\to\\");
    QTest::newRow("non-ascii") << QStringLiteral("Grüße 日本 €");
}

void TestSettingsStore::valuesRoundTripExactly()
{
    QFETCH(QString, value);
    QTemporaryDir dir;
    SettingsStore store(dir.path());
    QVERIFY(store.SaveSetting("Talvex Bidbench", "Main", "Password", value));
    QCOMPARE(store.GetSetting("Talvex Bidbench", "Main", "Password"), value);
    // A second store on the same folder reads the same (nothing is cached).
    QCOMPARE(SettingsStore(dir.path()).GetSetting("Talvex Bidbench", "Main", "Password"), value);
}

void TestSettingsStore::applicationsLiveInSeparateFiles()
{
    QTemporaryDir dir;
    SettingsStore store(dir.path());
    QVERIFY(store.SaveSetting("Mardell", "Talvex Bidbench", "WindowState", "2"));
    QVERIFY(store.SaveSetting("Talvex Bidbench", "Settings", "Site", "8"));

    QVERIFY(QFileInfo::exists(dir.filePath("Mardell.ini")));
    QVERIFY(QFileInfo::exists(dir.filePath("Talvex Bidbench.ini")));
    QCOMPARE(store.GetSetting("Mardell", "Talvex Bidbench", "WindowState"), QString("2"));
    QCOMPARE(store.GetSetting("Talvex Bidbench", "Talvex Bidbench", "WindowState"), QString());
    QCOMPARE(store.GetSetting("Mardell", "Settings", "Site"), QString());
}

void TestSettingsStore::filesArePrivate()
{
    QTemporaryDir dir;
    const QString root = dir.filePath("bidbench");
    SettingsStore store(root);
    QVERIFY(store.SaveSetting("Talvex Bidbench", "Main", "Password", "secret"));
    QCOMPARE(modeOf(store.fileFor("Talvex Bidbench")),
             QFile::ReadOwner | QFile::WriteOwner);
    QCOMPARE(modeOf(root),
             QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    // Rewriting keeps it private.
    QVERIFY(store.SaveSetting("Talvex Bidbench", "Main", "User", "ann"));
    QCOMPARE(modeOf(store.fileFor("Talvex Bidbench")),
             QFile::ReadOwner | QFile::WriteOwner);
}

void TestSettingsStore::unwritableStoreReportsFailure()
{
    QTemporaryDir dir;
    // A file where the folder should be: fails for root as well as for a normal user.
    const QString root = dir.filePath("bidbench");
    QFile blocker(root);
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();

    SettingsStore store(root);
    QVERIFY(!store.SaveSetting("Talvex Bidbench", "Settings", "Site", "3"));
    QCOMPARE(store.GetSetting("Talvex Bidbench", "Settings", "Site"), QString());
}

BIDBENCH_TEST_MAIN(TestSettingsStore)
#include "tst_settingsstore.moc"
