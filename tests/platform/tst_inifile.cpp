#include "IniFile.h"
#include "TestMain.h"

#include <QFile>
#include <QTemporaryDir>

#include <sys/stat.h>

namespace {
QByteArray utf16le(const QString &text)
{
    QByteArray bytes("\xFF\xFE");
    for (QChar c : text) {
        bytes.append(char(c.unicode() & 0xFF));
        bytes.append(char(c.unicode() >> 8));
    }
    return bytes;
}
} // namespace

class TestIniFile : public QObject
{
    Q_OBJECT

private slots:
    void readsShortcutValue_data();
    void readsShortcutValue();
    void decodesEveryEncoding_data();
    void decodesEveryEncoding();
    void missingOrOddFilesGiveEmpty();
};

void TestIniFile::readsShortcutValue_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("value");

    const QString url = QStringLiteral("http://www.example.com/a?b=1,2;c=3#x");
    QTest::newRow("plain, commas and semicolons kept")
        << "[InternetShortcut]\r\nURL=" + url + "\r\n" << url;
    QTest::newRow("lone LF and no final line end") << "[InternetShortcut]\nURL=" + url << url;
    QTest::newRow("case of section and key")
        << "[internetshortcut]\r\nurl=" + url + "\r\n" << url;
    QTest::newRow("other sections first")
        << "[DEFAULT]\r\nBASEURL=http://other/\r\nURL=http://wrong/\r\n[InternetShortcut]\r\nIconIndex=0\r\nURL=" + url + "\r\n"
        << url;
    QTest::newRow("later section of another name ends it")
        << "[InternetShortcut]\r\nIconFile=x\r\n[Other]\r\nURL=http://wrong/\r\n" << QString();
    QTest::newRow("first key wins") << "[InternetShortcut]\r\nURL=http://first/\r\nURL=http://second/\r\n"
                                    << "http://first/";
    QTest::newRow("key only prefix does not match")
        << "[InternetShortcut]\r\nURLX=http://wrong/\r\nURL=" + url + "\r\n" << url;
    QTest::newRow("double quotes stripped once") << "[InternetShortcut]\r\nURL=\"\"http://x/\"\"\r\n"
                                                 << "\"http://x/\"";
    QTest::newRow("unmatched quote kept") << "[InternetShortcut]\r\nURL=\"http://x/\r\n"
                                          << "\"http://x/";
    QTest::newRow("no URL key") << "[InternetShortcut]\r\nIconIndex=1\r\n" << QString();
}

void TestIniFile::readsShortcutValue()
{
    QFETCH(QString, text);
    QFETCH(QString, value);
    QCOMPARE(IniFile::value(text, QStringLiteral("InternetShortcut"), QStringLiteral("URL")), value);
}

void TestIniFile::decodesEveryEncoding_data()
{
    QTest::addColumn<QByteArray>("bytes");
    const QString text = QStringLiteral("[InternetShortcut]\r\nURL=http://example.com/Müller\r\n");
    QTest::newRow("utf-8") << text.toUtf8();
    QTest::newRow("utf-8 bom") << "\xEF\xBB\xBF" + text.toUtf8();
    QTest::newRow("utf-16le bom") << utf16le(text);
    QTest::newRow("windows-1252") << text.toLatin1();
}

void TestIniFile::decodesEveryEncoding()
{
    QFETCH(QByteArray, bytes);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Müller.url"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();
    QCOMPARE(IniFile::readValue(path, QStringLiteral("InternetShortcut"), QStringLiteral("URL")),
             QStringLiteral("http://example.com/Müller"));
}

void TestIniFile::missingOrOddFilesGiveEmpty()
{
    QTemporaryDir dir;
    const QString section = QStringLiteral("InternetShortcut");
    const QString key = QStringLiteral("URL");
    QCOMPARE(IniFile::readValue(dir.filePath(QStringLiteral("missing.url")), section, key), QString());
    QCOMPARE(IniFile::readValue(dir.path(), section, key), QString());

    // A pipe named like a shortcut must not block the reader.
    const QString fifo = dir.filePath(QStringLiteral("pipe.url"));
    QCOMPARE(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    QCOMPARE(IniFile::readValue(fifo, section, key), QString());
}

BIDBENCH_TEST_MAIN(TestIniFile)
#include "tst_inifile.moc"
