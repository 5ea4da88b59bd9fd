#include "TestMain.h"
#include "TextFile.h"

#include <QFile>
#include <QTemporaryDir>

#include <csignal>
#include <sys/resource.h>

namespace {
QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeRaw(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}
} // namespace

class TestTextFile : public QObject
{
    Q_OBJECT

private slots:
    void splitsEveryLineEnd_data();
    void splitsEveryLineEnd();
    void decodesUtf8AndWindows1252_data();
    void decodesUtf8AndWindows1252();
    void writesUtf8WithCrLf();
    void failedWriteKeepsOldFile();
    void unwritableFolderKeepsOldFile();
};

void TestTextFile::splitsEveryLineEnd_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("empty") << QString() << QStringList();
    QTest::newRow("crlf") << QStringLiteral("ann\r\nbob\r\n") << QStringList{"ann", "bob"};
    QTest::newRow("lf") << QStringLiteral("ann\nbob\n") << QStringList{"ann", "bob"};
    QTest::newRow("cr") << QStringLiteral("ann\rbob\r") << QStringList{"ann", "bob"};
    QTest::newRow("mixed, no final end") << QStringLiteral("a\r\nb\nc\rd") << QStringList{"a", "b", "c", "d"};
    QTest::newRow("empty line kept") << QStringLiteral("a\r\n\r\nb\r\n") << QStringList{"a", "", "b"};
}

void TestTextFile::splitsEveryLineEnd()
{
    QFETCH(QString, text);
    QFETCH(QStringList, lines);
    QCOMPARE(TextFile::splitLines(text), lines);
}

void TestTextFile::decodesUtf8AndWindows1252_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("utf-8") << QByteArray("M\xc3\xbcller \xe2\x82\xac") << QStringLiteral("Müller €");
    QTest::newRow("utf-8 bom") << QByteArray("\xef\xbb\xbf" "ann") << QStringLiteral("ann");
    QTest::newRow("cp1252 latin") << QByteArray("M\xfcller") << QStringLiteral("Müller");
    QTest::newRow("cp1252 high") << QByteArray("\x80 \x93q\x94 \x9f") << QStringLiteral("€ “q” Ÿ");
    QTest::newRow("cp1252 undefined byte kept") << QByteArray("a\x81") << QStringLiteral("a\u0081");
}

void TestTextFile::decodesUtf8AndWindows1252()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(TextFile::decode(bytes), text);
}

void TestTextFile::writesUtf8WithCrLf()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Sellers.txt");
    const TextFile::WriteResult result = TextFile::writeLines(path, {"ann", "Müller", ""});
    QVERIFY(result.ok);
    QCOMPARE(readAll(path), QByteArray("ann\r\nM\xc3\xbcller\r\n\r\n"));

    const TextFile::ReadResult back = TextFile::readLines(path);
    QVERIFY(back.ok);
    QVERIFY(back.exists);
    QCOMPARE(back.lines, (QStringList{"ann", "Müller", ""}));

    const TextFile::ReadResult missing = TextFile::readLines(dir.filePath("nothing.txt"));
    QVERIFY(missing.ok && !missing.exists && missing.lines.isEmpty());
}

void TestTextFile::failedWriteKeepsOldFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Bidders.txt");
    const QByteArray old("old\r\ncontent\r\n");
    writeRaw(path, old);

    // A file-size limit makes the write fail part-way, for root too (as a full disk would).
    struct rlimit saved;
    getrlimit(RLIMIT_FSIZE, &saved);
    struct rlimit tiny = saved;
    tiny.rlim_cur = 64;
    auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &tiny);
    const TextFile::WriteResult result = TextFile::writeLines(path, QStringList(100, QStringLiteral("0123456789")));
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    QVERIFY(!result.ok);
    QVERIFY(!result.error.isEmpty());
    QCOMPARE(readAll(path), old);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"Bidders.txt"});
}

void TestTextFile::unwritableFolderKeepsOldFile()
{
    if (geteuid() == 0)
        QSKIP("root writes into read-only folders");
    QTemporaryDir dir;
    const QString path = dir.filePath("Searches.txt");
    writeRaw(path, "keep\r\n");
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner);
    const TextFile::WriteResult result = TextFile::writeLines(path, {"new"});
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QVERIFY(!result.ok);
    QCOMPARE(readAll(path), QByteArray("keep\r\n"));
}

BIDBENCH_TEST_MAIN(TestTextFile)
#include "tst_textfile.moc"
