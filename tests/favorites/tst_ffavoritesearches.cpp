#include "FAddEditFavoriteSearch.h"
#include "FFavoriteSearches.h"
#include "Helpers.h"
#include "ModalAnswer.h"
#include "RecordingShell.h"
#include "TestMain.h"

#include "ModalAnswer.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace {
struct Window
{
    explicit Window(const QString &dir) : w(dir, testDestinations().searchDomains, &shell) { w.show(); }
    QPushButton *button(const char *name) { return w.findChild<QPushButton *>(name); }
    RecordingShell shell;
    FFavoriteSearches w;
    QListWidget *list = w.findChild<QListWidget *>("lstFavorites");
};

struct Dialog
{
    Dialog() { d.show(); }
    QLineEdit *box(const char *name) { return d.findChild<QLineEdit *>(name); }
    QPushButton *button(const char *name) { return d.findChild<QPushButton *>(name); }
    RecordingShell shell;
    FAddEditFavoriteSearch d{testDestinations().searchDomains, &shell};
};

// Answers the next compose dialog: the texts go into the boxes named, then Save.
void composeNext(const QList<QPair<const char *, QString>> &texts, int boolean = 0, int site = 0,
                 bool descriptions = false)
{
    answerNextModal([=](QWidget *modal) {
        if (!qobject_cast<FAddEditFavoriteSearch *>(modal))
            return;
        for (const auto &[name, text] : texts)
            QTest::keyClicks(modal->findChild<QLineEdit *>(name), text);
        modal->findChild<QComboBox *>("cboBoolean")->setCurrentIndex(boolean);
        modal->findChild<QComboBox *>("cboSite")->setCurrentIndex(site);
        modal->findChild<QCheckBox *>("chkTitlesAndDescriptions")->setChecked(descriptions);
        modal->findChild<QPushButton *>("cmdSave")->click();
    });
}
} // namespace

class TestFFavoriteSearches : public QObject
{
    Q_OBJECT

private slots:
    void firstOpeningLeavesEmptyFile_data();
    void firstOpeningLeavesEmptyFile();
    void doubleClickRunsSearchAndUnloadSaves();
    void deleteReselectsAndSetsButtons();
    void composedSearchIsAddedSortedAndRuns();
    void repeatedNameIsUnsuccessful();
    void nameDefaultsToKeywords_data();
    void nameDefaultsToKeywords();
    void unstorableCharactersAreRefused_data();
    void unstorableCharactersAreRefused();
    void cancelAsksCloseBoxAndEscDoNot_data();
    void cancelAsksCloseBoxAndEscDoNot();
};

void TestFFavoriteSearches::firstOpeningLeavesEmptyFile_data()
{
    QTest::addColumn<bool>("unreadable");
    QTest::newRow("no file: left empty") << false;
    QTest::newRow("unreadable file: told in the window, locked, kept") << true;
}

void TestFFavoriteSearches::firstOpeningLeavesEmptyFile()
{
    QFETCH(bool, unreadable);
    const QString dir = TestEnvironment::programDir();
    QVERIFY(!unreadable || QDir(dir).mkpath("Searches.txt/inside"));
    ShownWindows recorder;
    Window win(dir);
    QCOMPARE(win.w.windowTitle(), QStringLiteral("Favorite Auction Searches"));
    QCOMPARE(win.list->count(), 0);
    QVERIFY(!win.button("cmdGo")->isEnabled() && !win.button("cmdDelete")->isEnabled());
    QCOMPARE(win.button("cmdAdd")->isEnabled(), !unreadable);
    const QLabel *why = win.w.findChild<QLabel *>("lblReadFailed");
    QCOMPARE(why && why->isVisible(), unreadable);
    QVERIFY(!unreadable || why->text().contains(QDir::toNativeSeparators(dir + "/Searches.txt")));
    win.w.close();
    QCOMPARE(win.w.SearchURL(), QString());
    QCOMPARE(recorder.texts, QStringList());
    if (unreadable)
        QVERIFY(QFileInfo(dir + "/Searches.txt/inside").isDir());
    else
        QVERIFY(QFileInfo(dir + "/Searches.txt").isFile() && readBytes(dir + "/Searches.txt").isEmpty());
}

void TestFFavoriteSearches::doubleClickRunsSearchAndUnloadSaves()
{
    const QString dir = TestEnvironment::programDir();
    writeBytes(dir + "/Searches.txt", "lamps|lamp shade|1||8||||True\ncameras|digital camera|2||2|625|10|200|False\n");
    Window win(dir);
    QCOMPARE(rows(win.list), (QStringList{"cameras", "lamps"}));
    clickRow(win.list, "cameras", /*doubleClick=*/true);
    QVERIFY(!win.w.isVisible());
    QCOMPARE(win.w.SearchURL(),
             QStringLiteral("http://search.ebay.co.uk/ws/search/SaleSearch?&sapricelo=10&sapricehi=200&exclude="
                            "&soincludewords=digital camera&sotextsearched=1&sacategory=625&sosearchwordscombine=2"));
    QVERIFY(!readBytes(dir + "/Searches.txt").contains('\r')); // hidden, not yet unloaded
    win.w.Unload();
    QCOMPARE(readBytes(dir + "/Searches.txt"),
             QByteArray("lamps|lamp shade|1||8||||True\r\ncameras|digital camera|2||2|625|10|200|False\r\n"));
}

void TestFFavoriteSearches::deleteReselectsAndSetsButtons()
{
    const QString dir = TestEnvironment::programDir();
    writeBytes(dir + "/Searches.txt", "c|kw|1||0||||True\r\na|kw|1||0||||True\r\nb|kw|1||0||||True\r\n");
    ShownWindows recorder;
    Window win(dir);
    QPushButton *go = win.button("cmdGo");
    QPushButton *del = win.button("cmdDelete");
    clickRow(win.list, "b");
    const QList<QStringList> after{{"a", "c"}, {"a"}, {}};
    const QStringList selected{"c", "a", ""}; // the next row, then the row above, then none
    for (int i = 0; i < 3; ++i) {
        del->click();
        QCOMPARE(rows(win.list), after[i]);
        QCOMPARE(selectedText(win.list), selected[i]);
        QCOMPARE(go->isEnabled(), i < 2);
        QCOMPARE(del->isEnabled(), i < 2);
    }
    QVERIFY(recorder.texts.isEmpty()); // no question asked
    win.button("cmdClose")->click();
    QCOMPARE(readBytes(dir + "/Searches.txt"), QByteArray());
}

void TestFFavoriteSearches::composedSearchIsAddedSortedAndRuns()
{
    const QString dir = TestEnvironment::programDir();
    writeBytes(dir + "/Searches.txt", "apples|kw|1||0||||True\r\nzebras|kw|1||0||||True\r\n");
    Window win(dir);
    clickRow(win.list, "zebras");
    composeNext({{"txtName", "Mugs"}, {"txtKeywords", "blue mug"}, {"txtExclude", "chipped"},
                 {"txtCategory", "12"}, {"txtPriceLow", "1"}, {"txtPriceHigh", "20"}},
                /*boolean=*/2, /*site=*/8, /*descriptions=*/true);
    win.button("cmdAdd")->click();
    QCOMPARE(rows(win.list), (QStringList{"apples", "Mugs", "zebras"}));
    QCOMPARE(selectedText(win.list), QStringLiteral("zebras"));

    clickRow(win.list, "Mugs");
    win.button("cmdGo")->click();
    QCOMPARE(win.w.SearchURL(), // position 8: the French-language Belgian site
             QStringLiteral("http://search.befr.ebay.be/ws/search/SaleSearch?&sapricelo=1&sapricehi=20"
                            "&exclude=chipped&soincludewords=blue mug&sotextsearched=2&sacategory=12"
                            "&sosearchwordscombine=3"));
    win.w.Unload();
    QCOMPARE(readBytes(dir + "/Searches.txt"), QByteArray("apples|kw|1||0||||True\r\nzebras|kw|1||0||||True\r\n"
                                                          "Mugs|blue mug|3|chipped|8|12|1|20|True\r\n"));
}

void TestFFavoriteSearches::repeatedNameIsUnsuccessful()
{
    const QString dir = TestEnvironment::programDir();
    writeBytes(dir + "/Searches.txt", "cars|vw golf|1||0||||False\r\n");
    Window win(dir);
    composeNext({{"txtName", "Cars"}, {"txtKeywords", "audi"}});
    ShownWindows recorder;
    win.button("cmdAdd")->click();
    QCOMPARE(recorder.titles, QStringList{"Unsuccessful"});
    QCOMPARE(recorder.texts.first(),
             QStringLiteral("The search you attempted to save\r\nwas not successfully saved.\r\n\r\n"
                            "Make sure you choose a unique\r\nname for each search.  Two searches\r\n"
                            "with the same name cannot be saved."));
    QCOMPARE(rows(win.list), QStringList{"cars"});
    win.button("cmdClose")->click();
    QCOMPARE(readBytes(dir + "/Searches.txt"), QByteArray("cars|vw golf|1||0||||False\r\n"));
}

void TestFFavoriteSearches::nameDefaultsToKeywords_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("keywords");
    QTest::addColumn<bool>("saved");
    QTest::addColumn<QString>("nameAfter");
    QTest::newRow("empty name takes the keywords") << "" << "lamp shade" << true << "lamp shade";
    QTest::newRow("typed name kept") << "Shades" << "lamp shade" << true << "Shades";
    QTest::newRow("two blanks are two characters") << "" << "  " << true << "  ";
    QTest::newRow("one character refused, name stays filled") << "" << "x" << false << "x";
}

void TestFFavoriteSearches::nameDefaultsToKeywords()
{
    QFETCH(QString, name);
    QFETCH(QString, keywords);
    QFETCH(bool, saved);
    QFETCH(QString, nameAfter);
    ShownWindows recorder;
    Dialog dlg;
    QTest::keyClicks(dlg.box("txtName"), name);
    QTest::keyClicks(dlg.box("txtKeywords"), keywords);
    QTest::keyClick(dlg.box("txtKeywords"), Qt::Key_Return); // Enter presses Save
    QCOMPARE(dlg.d.IsSaved(), saved);
    QCOMPARE(dlg.d.isVisible(), !saved);
    QCOMPARE(dlg.d.name(), nameAfter);
    QCOMPARE(recorder.titles, saved ? QStringList() : QStringList{"Choose Keywords"});
    QCOMPARE(recorder.texts, saved ? QStringList() : QStringList{"You must enter your search terms into the Keywords box"});
}

void TestFFavoriteSearches::unstorableCharactersAreRefused_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("label");
    QTest::newRow("bar in the keywords, name left empty") << "txtKeywords" << "red|blue" << "\"Keywords:\"";
    QTest::newRow("line break in the exclusions") << "txtExclude" << "a\nb" << "\"Words to exclude:\"";
}

void TestFFavoriteSearches::unstorableCharactersAreRefused()
{
    QFETCH(QString, box);
    QFETCH(QString, value);
    QFETCH(QString, label);
    ShownWindows recorder;
    Dialog dlg;
    dlg.box("txtKeywords")->setText("lamp");
    dlg.box(qPrintable(box))->setText(value);
    dlg.button("cmdSave")->click();
    QVERIFY(dlg.d.isVisible() && !dlg.d.IsSaved());
    QCOMPARE(recorder.texts.size(), 1);
    QVERIFY2(recorder.texts.first().contains(label), qPrintable(recorder.texts.first()));
    // Once the character is gone the search saves (nothing refused was copied into the name).
    dlg.box(qPrintable(box))->setText("red blue");
    dlg.button("cmdSave")->click();
    QVERIFY(dlg.d.IsSaved());
}

void TestFFavoriteSearches::cancelAsksCloseBoxAndEscDoNot_data()
{
    QTest::addColumn<int>("way");
    QTest::addColumn<int>("questions");
    QTest::addColumn<bool>("openAfter");
    QTest::newRow("Cancel, answered OK") << 0 << 1 << false;
    QTest::newRow("Cancel, answered Cancel") << 1 << 1 << true;
    QTest::newRow("close box") << 2 << 0 << false;
    QTest::newRow("Esc") << 3 << 0 << true;
}

void TestFFavoriteSearches::cancelAsksCloseBoxAndEscDoNot()
{
    QFETCH(int, way);
    QFETCH(int, questions);
    QFETCH(bool, openAfter);
    ShownWindows recorder(way == 1 ? QMessageBox::Cancel : QMessageBox::Ok);
    Dialog dlg;
    QTest::keyClicks(dlg.box("txtKeywords"), "lamp shade");
    if (way <= 1)
        dlg.button("cmdCancel")->click();
    else if (way == 2)
        dlg.d.close();
    else
        QTest::keyClick(dlg.box("txtKeywords"), Qt::Key_Escape);
    QCOMPARE(recorder.texts.size(), questions);
    if (questions) {
        QCOMPARE(recorder.titles.first(), QStringLiteral("Are you sure?"));
        QCOMPARE(recorder.texts.first(), QStringLiteral("Are you sure you want to cancel without saving?"));
    }
    QCOMPARE(dlg.d.isVisible(), openAfter);
    QVERIFY(!dlg.d.IsSaved());
}

BIDBENCH_TEST_MAIN(TestFFavoriteSearches)
#include "tst_ffavoritesearches.moc"
