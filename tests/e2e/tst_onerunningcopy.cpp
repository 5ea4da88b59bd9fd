#include "LoopbackServer.h"
#include "TestFiles.h"
#include "TestMain.h"

#include <list>

// The built program, started again and again in one runtime folder (the test's own fresh HOME
// and XDG folders) with a loopback server as its web proxy, so nothing leaves 127.0.0.1 and the
// test sees every address it asks for. A later start hands its address or item to the running
// copy and ends; after a crash the next start runs on its own.
class TestOneRunningCopy : public QObject
{
    Q_OBJECT

private slots:
    void laterStartsHandOver()
    {
        LoopbackServer web;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("http_proxy", web.url("/"));
        environment.insert("https_proxy", web.url("/"));
        std::list<QProcess> started;
        const auto start = [&](const QStringList &arguments) {
            QProcess &process = started.emplace_back();
            process.setProcessEnvironment(environment);
            process.start(BIDBENCH_PROGRAM, arguments);
            return &process;
        };
        const auto exitCode = [&](const QStringList &arguments) {
            QProcess *process = start(arguments);
            return process->waitForFinished(30000) ? process->exitCode() : -1;
        };
        const auto asked = [&](const QString &target) {
            return QTest::qWaitFor([&] { return web.pagePaths().contains(target); }, 30000);
        };
        writeBytes(qEnvironmentVariable("XDG_CONFIG_HOME") + "/bidbench/Talvex Bidbench.ini", "[Settings]\nStartScreen=N\n");

        QProcess *first = start({});
        QVERIFY(asked("/secure/login.cfm")); // up, and logging in
        QCOMPARE(exitCode({"--snipe", "123456789"}), 0);
        QVERIFY(asked("/secure/login.cfm?item_number=123456789"));
        QCOMPARE(exitCode({web.url("/later")}), 0);
        QVERIFY(asked("/later"));

        first->kill(); // leaves its lock and socket behind
        QVERIFY(first->waitForFinished(30000));
        web.requests.clear();
        QProcess *next = start({});
        QVERIFY(asked("/secure/login.cfm"));
        QCOMPARE(exitCode({web.url("/after-crash")}), 0);
        QVERIFY(asked("/after-crash"));
        QCOMPARE(next->state(), QProcess::Running);
        next->kill();
        next->waitForFinished(30000);
    }
};

BIDBENCH_TEST_MAIN(TestOneRunningCopy)
#include "tst_onerunningcopy.moc"
