#include "AppFixture.h"
#include "CError.h"
#include "CStartStatus.h"
#include "FUpdateVersion.h"
#include "LoopbackServer.h"
#include "ProgramEnd.h"
#include "TestMain.h"
#include "TextFile.h"

#include <QDialog>
#include <QEventLoop>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>

namespace {
// Stands in for a favourites window: a modal list that is written when the program ends.
class ListWindow : public QDialog
{
public:
    ListWindow(QString path, QStringList lines, QWidget *parent)
        : QDialog(parent), m_path(std::move(path)), m_lines(std::move(lines))
    {
        connect(&ProgramEnd::instance(), &ProgramEnd::savingBeforeEnd, this,
                [this] { TextFile::writeLines(m_path, m_lines); });
    }

private:
    QString m_path;
    QStringList m_lines;
};

} // namespace

// One test only: ending for an update leaves every event loop of this process for good.
class TestUpdateEnd : public QObject
{
    Q_OBJECT

private slots:
    void acceptedUpdateEndsWithoutMainWindowSettings();
};

void TestUpdateEnd::acceptedUpdateEndsWithoutMainWindowSettings()
{
    LoopbackServer server;
    server.setHandler([](const LoopbackServer::Request &) {
        LoopbackServer::Reply reply;
        reply.body = "<status><newversion>1</newversion><updateurl>http://maker.test/setup-3.0.exe</updateurl>"
                     "<message>Version 3.0</message></status>";
        return reply;
    });
    bool favouritesUp = false;
    AppFixture f;
    AppContext context = f.contextWithVersionCheck(server.hostPort());
    f.storeGeometry(QStringLiteral("WindowState"), QStringLiteral("0"));
    f.storeGeometry(QStringLiteral("WindowWidth"), QStringLiteral("9000"));
    f.storeGeometry(QStringLiteral("WindowHeight"), QStringLiteral("7000"));
    const QByteArray settingsBefore = readBytes(f.settings.fileFor(QStringLiteral("Mardell")))
                                   + readBytes(f.settings.fileFor(QStringLiteral("Talvex Bidbench")));

    f.window = std::make_unique<FMain>(context, true);
    QSignalSpy done(context.startStatus.get(), &CStartStatus::DoneChecking);
    const QString listFile = f.programDir + QStringLiteral("/Sellers.txt");
    auto *favourites = new ListWindow(listFile, {QStringLiteral("ann"), QStringLiteral("bob")}, f.window.get());

    answerNextModal<FUpdateVersion>([](FUpdateVersion *offer) {
        answerNextMessageBox(QMessageBox::Ok);
        offer->findChild<QPushButton *>("cmdUpdate")->click();
    });

    // The program's main loop: the window loads (the check starts), the user opens a
    // favourites window, and the server's answer, which needs the event loop, arrives while
    // that window is up.
    QEventLoop mainLoop;
    int favouritesResult = -2;
    QTimer::singleShot(0, f.window.get(), [&] {
        f.window->show();
        favouritesUp = true;
        favouritesResult = favourites->exec();
    });
    QTimer::singleShot(10000, &mainLoop, [&] { mainLoop.exit(99); });
    QCOMPARE(mainLoop.exec(), 0);

    QVERIFY(favouritesUp);
    QCOMPARE(favouritesResult, 0);
    QVERIFY(context.startStatus->ShutDown());
    QCOMPARE(done.count(), 0);
    QCOMPARE(f.shell.opened, QStringList{QStringLiteral("http://maker.test/setup-3.0.exe")});
    QCOMPARE(TextFile::readLines(listFile).lines, (QStringList{QStringLiteral("ann"), QStringLiteral("bob")}));

    // The main window's exit steps did not run, and do not run when it goes away now.
    f.window->close();
    QVERIFY(f.window->isEnabled()); // no delayed exit, no password question
    QVERIFY(!f.window->isVisible());
    f.window.reset();
    QCOMPARE(f.ended, 0);
    const QByteArray settingsAfter = readBytes(f.settings.fileFor(QStringLiteral("Mardell")))
                                  + readBytes(f.settings.fileFor(QStringLiteral("Talvex Bidbench")));
    QCOMPARE(settingsAfter, settingsBefore);
}

BIDBENCH_TEST_MAIN(TestUpdateEnd)
#include "tst_updateend.moc"
