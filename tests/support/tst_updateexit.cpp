#include "CError.h"
#include "CStartStatus.h"
#include "FUpdateVersion.h"
#include "LoopbackServer.h"
#include "ProgramEnd.h"
#include "RecordingShell.h"
#include "SupportTestKit.h"
#include "TestMain.h"
#include "TextFile.h"

#include <QDir>
#include <QEventLoop>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>

// A window that keeps an unsaved list and writes it when it closes, or when the program ends.
class ListWindow : public QDialog
{
public:
    ListWindow(QString path, QStringList lines)
        : m_path(std::move(path)), m_lines(std::move(lines))
    {
        connect(&ProgramEnd::instance(), &ProgramEnd::savingBeforeEnd, this, &ListWindow::save);
    }
    void save() { TextFile::writeLines(m_path, m_lines); }

private:
    QString m_path;
    QStringList m_lines;
};

// One test only: an accepted update ends every event loop of the process for good.
class TestUpdateExit : public QObject
{
    Q_OBJECT

private slots:
    void acceptedUpdateEndsProgramAfterOpenWindowsSaved();
};

void TestUpdateExit::acceptedUpdateEndsProgramAfterOpenWindowsSaved()
{
    LoopbackServer server;
    server.setHandler([](const LoopbackServer::Request &) {
        LoopbackServer::Reply reply;
        reply.body = "<status><newversion>1</newversion><updateurl>http://www.mardell.example/setup.exe"
                     "</updateurl><message>Get it now.</message></status>";
        return reply;
    });
    RecordingShell shell;
    CError errors(QStringLiteral("support@mardell.example"), shell);
    Destinations d;
    d.makerWebHost = server.hostPort();
    CStartStatus status(errors, shell, d);
    status.Initialize(10, 1.2f);
    QSignalSpy done(&status, &CStartStatus::DoneChecking);

    const QString listFile = TestEnvironment::programDir() + QStringLiteral("/Sellers.txt");
    ListWindow favourites(listFile, {QStringLiteral("ann"), QStringLiteral("bob")});

    answerModalOfType<FUpdateVersion>([&](FUpdateVersion *offer) {
        answerModalOfType<QMessageBox>([](QMessageBox *box) { box->button(QMessageBox::Ok)->click(); });
        offer->cmdUpdate->click();
    });

    // The main loop; the favourites window is up, modal, when the answer arrives.
    QEventLoop mainLoop;
    int favouritesResult = -2;
    QTimer::singleShot(0, &favourites, [&] {
        status.CheckVersion();
        favouritesResult = favourites.exec();
    });
    QTimer::singleShot(10000, &mainLoop, [&] { mainLoop.exit(99); });

    QCOMPARE(mainLoop.exec(), 0);
    QCOMPARE(favouritesResult, 0);
    QVERIFY(status.ShutDown());
    QVERIFY(ProgramEnd::instance().isEnding());
    QCOMPARE(done.count(), 0);
    QCOMPARE(shell.opened, QStringList{QStringLiteral("http://www.mardell.example/setup.exe")});
    const TextFile::ReadResult saved = TextFile::readLines(listFile);
    QVERIFY(saved.exists);
    QCOMPARE(saved.lines, (QStringList{QStringLiteral("ann"), QStringLiteral("bob")}));
}

BIDBENCH_TEST_MAIN(TestUpdateExit)
#include "tst_updateexit.moc"
