#include "CError.h"
#include "CStartStatus.h"
#include "RaisedError.h"
#include "RecordingShell.h"
#include "TestMain.h"

// Reading the server's answer and building its request: no windows, no network.
class TestVersionAnswer : public QObject
{
    Q_OBJECT

private slots:
    void requestUrl();
    void answerItems_data();
    void answerItems();
    void unreadableAnswerRaisesError5_data();
    void unreadableAnswerRaisesError5();
    void readingKeepsValuesTheAnswerDoesNotGive();
};

void TestVersionAnswer::requestUrl()
{
    RecordingShell shell;
    CError errors(QStringLiteral("support@mardell.example"), shell);
    Destinations d;
    d.makerWebHost = QStringLiteral("versions.mardell.example:8080");
    CStartStatus status(errors, shell, d);
    status.Initialize(10, 1.2f);
    QCOMPARE(status.versionCheckURL(),
             QStringLiteral("http://versions.mardell.example:8080/version/versioncheck.asp"
                            "?app=Talvex Bidbench&version=2.0.1&appclass=10&language="));
}

void TestVersionAnswer::answerItems_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<bool>("isNew");
    QTest::addColumn<QString>("url");
    QTest::addColumn<QString>("message");

    const QString url = QStringLiteral("http://www.mardell.example/setup.exe");
    QTest::newRow("no status") << QStringLiteral("<html><newversion>1</newversion><message>hi</message></html>")
                               << false << QString() << QString();
    // "<message>" and "</message>" take 19 characters of the status text.
    QTest::newRow("status of 20 characters is not read")
        << QStringLiteral("<status><message>a</message></status>") << false << QString() << QString();
    QTest::newRow("status of 21 characters is read")
        << QStringLiteral("<status><message>ab</message></status>") << false << QString()
        << QStringLiteral("ab");
    QTest::newRow("all three items")
        << QStringLiteral("<html><body><status><newversion>1</newversion><updateurl>%1</updateurl>"
                          "<message>Version 3 is out.</message></status></body></html>").arg(url)
        << true << url << QStringLiteral("Version 3 is out.");
    QTest::newRow("tags in any order")
        << QStringLiteral("<status><message>m</message><updateurl>%1</updateurl><other>x</other>"
                          "<newversion>1</newversion></status>").arg(url)
        << true << url << QStringLiteral("m");
    QTest::newRow("\"true\" is no new version")
        << QStringLiteral("<status><newversion>true</newversion><message>Hello</message></status>")
        << false << QString() << QStringLiteral("Hello");
    QTest::newRow("\" 1\" is no new version")
        << QStringLiteral("<status><newversion> 1</newversion><message>Hello</message></status>")
        << false << QString() << QStringLiteral("Hello");
    QTest::newRow("items outside the status text")
        << QStringLiteral("<newversion>1</newversion><message>outside</message>"
                          "<status><something>long enough text</something></status>"
                          "<updateurl>%1</updateurl>").arg(url)
        << false << QString() << QString();
    QTest::newRow("new version with empty message")
        << QStringLiteral("<status><newversion>1</newversion><message></message></status>")
        << true << QString() << QString();
    QTest::newRow("values untrimmed and undecoded")
        << QStringLiteral("<status><newversion>1</newversion><message> a &amp; b\r\nc </message></status>")
        << true << QString() << QStringLiteral(" a &amp; b\r\nc ");
}

void TestVersionAnswer::answerItems()
{
    QFETCH(QString, answer);
    QFETCH(bool, isNew);
    QFETCH(QString, url);
    QFETCH(QString, message);

    CStartStatus::VersionAnswer read;
    CStartStatus::ReadTaggedAnswer(answer, read);
    QCOMPARE(read.bIsNewVersion, isNew);
    QCOMPARE(read.sUpdateURL, url);
    QCOMPARE(read.sMessage, message);
}

void TestVersionAnswer::unreadableAnswerRaisesError5_data()
{
    QTest::addColumn<QString>("answer");
    QTest::newRow("status not closed") << QStringLiteral("<status><newversion>1</newversion>");
    QTest::newRow("message not closed")
        << QStringLiteral("<status><newversion>1</newversion><message>Hello</status>");
    QTest::newRow("updateurl closed before it opens")
        << QStringLiteral("<status></updateurl><newversion>1</newversion><updateurl>u</status>");
}

void TestVersionAnswer::unreadableAnswerRaisesError5()
{
    QFETCH(QString, answer);

    CStartStatus::VersionAnswer read;
    try {
        CStartStatus::ReadTaggedAnswer(answer, read);
        QFAIL("no error raised");
    } catch (const RaisedError &error) {
        QCOMPARE(error.number(), 5L);
        QCOMPARE(error.description(), QStringLiteral("Invalid procedure call or argument"));
    }
}

void TestVersionAnswer::readingKeepsValuesTheAnswerDoesNotGive()
{
    CStartStatus::VersionAnswer read;
    read.bIsNewVersion = true;
    read.sUpdateURL = QStringLiteral("kept");
    CStartStatus::ReadTaggedAnswer(
        QStringLiteral("<status><newversion>0</newversion><message>only a message</message></status>"), read);
    QVERIFY(read.bIsNewVersion); // "0" leaves the flag as it was, as anything but "1" does
    QCOMPARE(read.sUpdateURL, QStringLiteral("kept"));
    QCOMPARE(read.sMessage, QStringLiteral("only a message"));
}

BIDBENCH_TEST_MAIN(TestVersionAnswer)
#include "tst_versionanswer.moc"
