#include "FAbout.h"
#include "HelpLinks.h"
#include "LinkLabel.h"
#include "ModalAnswer.h"
#include "RecordingShell.h"
#include "SupportTestKit.h"
#include "SysInfo.h"
#include "TestMain.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>

// The About box, its link label and the system-information tool.
class TestHelpLinks : public QObject
{
    Q_OBJECT

private slots:
    void aboutBoxClosesOnOkAndEnter_data();
    void aboutBoxClosesOnOkAndEnter();
    void aboutLinkOpensTalvexWebSite();
    void linkLabelHoverAndRestore();
    void sysInfoStartsFirstToolOnPath_data();
    void sysInfoStartsFirstToolOnPath();

private:
    static Destinations destinations()
    {
        Destinations d;
        d.talvexWebHost = QStringLiteral("talvex.example");
        return d;
    }
};

void TestHelpLinks::aboutBoxClosesOnOkAndEnter_data()
{
    QTest::addColumn<int>("key"); // 0: click OK
    QTest::newRow("OK") << 0;
    QTest::newRow("Enter") << int(Qt::Key_Return);
}

void TestHelpLinks::aboutBoxClosesOnOkAndEnter()
{
    QFETCH(int, key);
    RecordingShell shell;
    const HelpLinks links(destinations(), shell, QString());
    bool wasShown = false;
    answerNextModal([&](QWidget *modal) {
        auto *about = qobject_cast<FAbout *>(modal);
        if (!about)
            return;
        wasShown = about->isVisible() && about->windowTitle() == QLatin1String("About Bidbench");
        about->cmdSysInfo->setFocus(); // Enter still presses OK, the default button
        if (key == 0)
            about->cmdOK->click();
        else
            QTest::keyClick(about, Qt::Key(key));
    });
    links.About(nullptr);
    QVERIFY(wasShown);
    QVERIFY(shell.opened.isEmpty());
    QVERIFY(shell.started.isEmpty()); // Enter did not press System Info
}

void TestHelpLinks::aboutLinkOpensTalvexWebSite()
{
    RecordingShell shell;
    const HelpLinks links(destinations(), shell, QString());
    FAbout about(links);
    about.show();
    QVERIFY(QTest::qWaitForWindowExposed(&about));
    QTest::mouseClick(about.lblMardell, Qt::LeftButton);
    QCOMPARE(shell.opened, QStringList{QStringLiteral("http://talvex.example")});

    // A press that ends outside the label is no click.
    QTest::mousePress(about.lblMardell, Qt::LeftButton);
    QTest::mouseRelease(about.lblMardell, Qt::LeftButton, {}, QPoint(-5, -5));
    QCOMPARE(shell.opened.size(), 1);
}

void TestHelpLinks::linkLabelHoverAndRestore()
{
    RecordingShell shell;
    const HelpLinks links(destinations(), shell, QString());
    FAbout about(links);
    about.show();
    QVERIFY(QTest::qWaitForWindowExposed(&about));
    LinkLabel *link = about.lblMardell;
    auto look = [link] {
        if (link->textColor() == QColor(0, 0, 255) && !link->isUnderlined())
            return QStringLiteral("plain");
        if (link->textColor() == QColor(255, 0, 255) && link->isUnderlined())
            return QStringLiteral("hover");
        return QStringLiteral("mixed");
    };
    QCOMPARE(look(), QStringLiteral("plain"));

    // A spot of bare background: left of the text, below the logo.
    const QPoint background(about.Image1->geometry().center().x(), link->geometry().center().y());
    QVERIFY(!about.childAt(background));
    const QList<std::pair<std::function<void()>, QString>> afterHover{
        {[&] { QTest::mouseMove(&about, background); }, QStringLiteral("plain")},
        {[&] { QTest::mouseClick(about.lblDescription, Qt::LeftButton); }, QStringLiteral("plain")},
        {[&] { QTest::mouseMove(about.cmdOK, about.cmdOK->rect().center()); }, QStringLiteral("hover")},
    };
    for (const auto &[then, expected] : afterHover) {
        QTest::mouseMove(&about, background); // the pointer comes from elsewhere
        QTest::mouseMove(link, link->rect().center());
        QTRY_COMPARE(look(), QStringLiteral("hover"));
        then();
        QTest::qWait(20);
        QCOMPARE(look(), expected);
    }
}

void TestHelpLinks::sysInfoStartsFirstToolOnPath_data()
{
    QTest::addColumn<QStringList>("installed");
    QTest::addColumn<bool>("starts");
    QTest::addColumn<QString>("started");
    QTest::newRow("first of several") << QStringList{QStringLiteral("kinfocenter"), QStringLiteral("hardinfo")}
                                      << true << QStringLiteral("hardinfo");
    QTest::newRow("none") << QStringList() << true << QString();
    QTest::newRow("found but will not start") << QStringList{QStringLiteral("hardinfo")} << false
                                              << QStringLiteral("hardinfo");
}

void TestHelpLinks::sysInfoStartsFirstToolOnPath()
{
    QFETCH(QStringList, installed);
    QFETCH(bool, starts);
    QFETCH(QString, started);

    const QString bin = TestEnvironment::programDir();
    for (const QString &tool : installed) {
        QFile f(bin + QLatin1Char('/') + tool);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("#!/bin/sh\n");
        f.close();
        f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    // A file that is not executable does not count.
    QFile plain(bin + QStringLiteral("/cpu-x"));
    QVERIFY(plain.open(QIODevice::WriteOnly));
    plain.close();

    const QByteArray oldPath = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(bin));
    RecordingShell shell;
    shell.result = starts;
    QString text, title;
    const bool expectMessage = started.isEmpty() || !starts;
    if (expectMessage)
        answerNextMessageBox(QMessageBox::Ok, &text, &title);
    StartSysInfo(shell, nullptr);
    qputenv("PATH", oldPath);

    if (!started.isEmpty()) {
        QCOMPARE(shell.started.size(), 1);
        QCOMPARE(shell.started.first().first, bin + QLatin1Char('/') + started);
    } else {
        QVERIFY(shell.started.isEmpty());
    }
    if (expectMessage) {
        QCOMPARE(text, QStringLiteral("System Information Is Unavailable At This Time"));
        QCOMPARE(title, QStringLiteral("Talvex Bidbench"));
    } else {
        QCOMPARE(text, QString());
    }
}

BIDBENCH_TEST_MAIN(TestHelpLinks)
#include "tst_helplinks.moc"
