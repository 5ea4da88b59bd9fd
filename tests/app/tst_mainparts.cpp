#include "CommandLine.h"
#include "FavoritesImages.h"
#include "MainLayout.h"
#include "Pictures.h"
#include "TestMain.h"
#include "ToolbarIcons.h"
#include "WindowPlacement.h"

// The main window's arithmetic: where its controls go, and its stored geometry.
class TestMainParts : public QObject
{
    Q_OBJECT

private slots:
    // A window smaller than the reserves, down to a minimized one (client 0 x 0), lays out with no
    // negative size and the toolbar above the tab control. (Where each control goes at the design
    // size is the eye's affair; the design size itself: the main window's tests.)
    void layoutOfSmallWindows()
    {
        for (const MainLayoutInput &in : {MainLayoutInput{3000, 2880, 600, true}, MainLayoutInput{2400, 0, 0, false}}) {
            const MainLayout l = LayoutControls(in);
            QVERIFY(l.toolbarHeight < l.tabTop);
            QVERIFY(std::min({l.tabWidth, l.tabHeight, l.paneWidth, l.paneHeight, l.addressWidth, l.goLeft}) >= 0);
        }
    }

    void restoredPlacement_data()
    {
        QTest::addColumn<QString>("stored"); // state|width|height, in twips
        QTest::addColumn<QString>("restored"); // state and outer pixels at 96 DPI on an 800 x 600 screen; -1 keeps the design size
        // A minimized window stays so: the start requests' first row.
        QTest::newRow("normal, fractional twips") << "0|9004.5|6001" << "0 600x400";
        QTest::newRow("maximized, blanks") << " 2 |9000|6000" << "2 600x400";
        QTest::newRow("no state: sizes ignored") << "|9000|6000" << "none";
        QTest::newRow("state out of range") << "7|9000|6000" << "none";
        QTest::newRow("width not a number") << "0|wide|6000" << "0 -1x400";
        QTest::newRow("not finite") << "0|inf|nan" << "0 -1x-1";
        QTest::newRow("larger than the screen") << "0|99999999|1e300" << "0 800x600";
    }

    void restoredPlacement()
    {
        QFETCH(QString, stored);
        QFETCH(QString, restored);
        const QStringList s = stored.split(u'|');
        const auto r = WindowPlacement::restore(s[0], s[1], s[2], QSize(800, 600));
        QCOMPARE(r ? QString("%1 %2x%3").arg(int(r->state)).arg(r->outer.width()).arg(r->outer.height()) : "none", restored);
    }

    // Minimized wins over maximized; full screen counts as maximized. (A normal window: the exit rows.)
    void storedPlacement()
    {
        for (auto [states, outer, stored] : {std::tuple{Qt::WindowStates(Qt::WindowMinimized | Qt::WindowMaximized), QSize(1, 2), "1 15 30"},
                                             {Qt::WindowStates(Qt::WindowFullScreen), QSize(800, 600), "2 12000 9000"}}) {
            const WindowPlacement::Stored written = WindowPlacement::store(states, outer);
            QCOMPARE(QStringList({written.state, written.width, written.height}).join(' '), stored);
        }
    }

    // A picture whose file or SVG plugin is missing is blank; one drawn at the wrong scale blurs.
    void picturesAreDrawnForTheScreen()
    {
        QList<QIcon> icons{ToolbarIcons::snipe(), Pictures::applicationIcon()};
        for (int i = 1; i <= 7; ++i)
            icons << ToolbarIcons::navigation(i) << FavoritesImages::icon(qMin(i, 4), qMin(i, 4));
        for (const QIcon &icon : icons)
            QCOMPARE(icon.pixmap(QSize(16, 16), 2.0).size(), QSize(32, 32));
    }

    void commandLine_data()
    {
        QTest::addColumn<QString>("arguments");
        QTest::addColumn<QString>("outcome"); // the address or item run, the first line printed, or "refused"
        QTest::newRow("nothing") << "" << "run";
        QTest::newRow("help") << "--help" << "print Usage: bidbench [options] [URL]";
        // A plain http address: the one-running-copy test's later start.
        QTest::newRow("https, capitals") << "HTTPS://www.ebay.com/itm/1" << "run HTTPS://www.ebay.com/itm/1";
        QTest::newRow("no scheme") << "www.ebay.com" << "refused"; // another scheme: the installed program's check
        QTest::newRow("two addresses") << "http://a.test http://b.test" << "refused";
        QTest::newRow("item, leading zeros") << "--snipe 000123" << "run 000123";
        QTest::newRow("item not digits") << "--snipe 12a" << "refused";
        QTest::newRow("item and address") << "--snipe 1 http://a.test" << "refused";
        QTest::newRow("unknown option") << "--platform" << "refused";
    }

    void commandLine()
    {
        QFETCH(QString, arguments);
        QFETCH(QString, outcome);
        const CommandLine::Parsed p = CommandLine::parse(QStringList{"bidbench"} + arguments.split(' ', Qt::SkipEmptyParts));
        QStringList seen{QStringList{"run", "print", "refused"}.at(p.action)};
        seen << (p.action == CommandLine::Parsed::Print ? p.text.section('\n', 0, 0) : p.url + p.item);
        QCOMPARE(seen.join(' ').trimmed(), outcome);
        QCOMPARE(p.text.isEmpty(), p.action == CommandLine::Parsed::Run); // a refusal says why
    }
};

BIDBENCH_TEST_MAIN(TestMainParts)
#include "tst_mainparts.moc"
