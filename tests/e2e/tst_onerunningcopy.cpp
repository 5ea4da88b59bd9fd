#include "LoopbackServer.h"
#include "SecretService.h"
#include "TestFiles.h"
#include "TestMain.h"

#include <csignal>
#include <list>

// The built program, started as a user starts it, in the test's own fresh HOME and XDG folders
// with a loopback server as its web proxy, so nothing leaves 127.0.0.1 and the test sees every
// address it asks for. The service's login answer sets a cookie.
class TestOneRunningCopy : public QObject
{
    Q_OBJECT

    LoopbackServer web;
    std::list<QProcess> started;

    QProcess *start(const QStringList &arguments, QProcessEnvironment environment = QProcessEnvironment::systemEnvironment())
    {
        environment.insert("http_proxy", web.url("/"));
        environment.insert("https_proxy", web.url("/"));
        QProcess &process = started.emplace_back();
        process.setProcessEnvironment(environment);
        process.start(BIDBENCH_PROGRAM, arguments);
        return &process;
    }
    int exitCode(const QStringList &arguments)
    {
        QProcess *process = start(arguments);
        return process->waitForFinished(30000) ? process->exitCode() : -1;
    }
    bool asked(const QString &target)
    {
        return QTest::qWaitFor([&] { return web.pagePaths().contains(target); }, 30000);
    }
    // Every page asked for, as "GET /path?query" or "POST /path body", with " cookie" when the
    // login's came along.
    QStringList seen() const
    {
        QStringList requests;
        for (const LoopbackServer::Request &r : web.pageRequests())
            requests.append(r.method + ' ' + r.pathAndQuery() + (r.method == "POST" ? ' ' + r.body : QByteArray())
                            + (r.header("Cookie").contains("TALVEXSESSION") ? " cookie" : ""));
        return requests;
    }
    static void stop(QProcess *process)
    {
        process->kill();
        process->waitForFinished(30000);
    }

private slots:
    void init()
    {
        web.setHandler([](const LoopbackServer::Request &r) {
            LoopbackServer::Reply reply = LoopbackServer::page(r.path);
            if (r.method == "POST")
                reply.headers.append(qMakePair(QByteArray("Set-Cookie"), QByteArray("TALVEXSESSION=s3ss10n; Path=/")));
            return reply;
        });
        web.requests.clear();
        writeBytes(qEnvironmentVariable("XDG_CONFIG_HOME") + "/bidbench/Talvex Bidbench.ini",
                   "[Settings]\nStartScreen=N\n[Main]\nUser=bob\nPassword=pw\n");
    }

    // A later start hands its address or item to the running copy and ends; after a crash the
    // next start runs on its own.
    void laterStartsHandOver()
    {
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
        stop(next);
    }

    void coldStart_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QStringList>("inOrder"); // among all that was asked for
        QTest::newRow("--snipe: the item after the login, with its cookie")
            << QStringList{"--snipe", "123456789"}
            << QStringList{"POST /secure/login.cfm username=bob&temp_password=pw", "GET /secure/login.cfm?item_number=123456789 cookie"};
        QTest::newRow("an address: after the site's start page") << QStringList{"ADDRESS"} << QStringList{"GET /", "GET /cold"};
    }

    // What the first start asks for waits until the start-up login has been answered. (A fresh
    // profile: no cookie but the login's.)
    void coldStart()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QStringList, inOrder);
        arguments.replaceInStrings("ADDRESS", web.url("/cold"));
        QTemporaryDir data;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("XDG_DATA_HOME", data.path());
        QProcess *first = start(arguments, environment);
        QTRY_VERIFY_WITH_TIMEOUT(seen().contains(inOrder.last()), 30000);
        const QStringList asked = seen();
        QVERIFY2(asked.contains("POST /secure/login.cfm username=bob&temp_password=pw"), qPrintable(asked.join(", ")));
        qsizetype at = 0;
        for (const QString &request : inOrder)
            QVERIFY2((at = asked.indexOf(request, at)) >= 0, qPrintable(asked.join(", ")));
        stop(first);
    }

    // The lock is taken, but nobody listens: the start says so and ends with status 1.
    void handOverThatFails()
    {
        const QString lock = qEnvironmentVariable("XDG_RUNTIME_DIR") + "/bidbench.lock";
        QFile::remove(lock); // a killed copy's
        QDir().mkpath(lock); // no process removes it
        QProcess *later = start({"--snipe", "123456789"});
        QVERIFY(later->waitForFinished(60000));
        QDir(lock).removeRecursively();
        QCOMPARE(later->exitCode(), 1);
        QVERIFY(later->readAllStandardError().contains("the running copy does not answer"));
        QVERIFY(web.requests.isEmpty());
    }

    void passwordIntoTheStore_data()
    {
        QTest::addColumn<QString>("store");
        QTest::addColumn<QString>("outcome"); // what the program tells its log
        QTest::newRow("running") << "running" << "moved into the secret store";
        QTest::newRow("no D-Bus at all") << "none" << "kept in the settings file";
        QTest::newRow("locked, refusing it") << "locked" << "kept in the settings file";
    }

    // A password an earlier version left in the settings file logs in as before. Then, with a
    // store, it is in no file of the config and data folders, and the next start logs in with it
    // from the store; without one, or where the store refuses it, the file keeps it.
    void passwordIntoTheStore()
    {
        QFETCH(QString, store);
        QFETCH(QString, outcome);
        SecretService service;
        QVERIFY(service.isRunning());
        QProcessEnvironment environment = service.environment();
        environment.insert("QT_LOGGING_RULES", "bidbench.password.info=true");
        if (store == "none")
            environment.remove("DBUS_SESSION_BUS_ADDRESS");
        else if (store == "locked")
            service.lock();
        const QString settings = service.home() + "/.config/bidbench/Talvex Bidbench.ini";
        writeBytes(settings, "[Settings]\nStartScreen=N\n[Main]\nUser=bob\nPassword=s3cret&pw\n");
        const auto logsIn = [&] {
            QProcess *program = start({}, environment);
            const bool loggedIn = QTest::qWaitFor(
                [&] { return seen().contains("POST /secure/login.cfm username=bob&temp_password=s3cret%26pw"); }, 30000);
            return std::pair{program, loggedIn};
        };
        auto [program, loggedIn] = logsIn();
        QVERIFY(loggedIn);
        QString log;
        QVERIFY(QTest::qWaitFor([&] { return (log += program->readAllStandardError()).contains(outcome); }, 30000));
        ::kill(pid_t(program->processId()), SIGTERM); // a logout: the window closes as the program's own close
        QVERIFY(program->waitForFinished(30000) && program->exitCode() == 0);

        QStringList holding;
        for (const QString &folder : QStringList{service.home() + "/.config", service.home() + "/.local/share"}) {
            QDirIterator files(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
            while (files.hasNext()) {
                const QByteArray bytes = readBytes(files.next());
                if (bytes.contains("s3cret&pw") || bytes.contains("s3cret%26pw"))
                    holding.append(files.filePath());
            }
        }
        QCOMPARE(holding, store == "running" ? QStringList() : QStringList{settings});
        if (store != "running")
            return;
        QCOMPARE(service.lookup("bob"), "s3cret&pw");
        web.requests.clear();
        auto [next, loggedInAgain] = logsIn();
        QVERIFY(loggedInAgain);
        stop(next);
    }
};

BIDBENCH_TEST_MAIN(TestOneRunningCopy)
#include "tst_onerunningcopy.moc"
