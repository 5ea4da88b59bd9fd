#include "FAddEditFavoriteSearch.h"
#include "FFavoriteSearches.h"
#include "FileHelpers.h"
#include "MessageBoxRecorder.h"
#include "RecordingShell.h"
#include "TestMain.h"

#include <QAbstractButton> // ModalAnswer.h uses it without including it
#include "ModalAnswer.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace {
const QStringList kDomains = QStringLiteral(
    "ebay.com;ebay.ca;ebay.co.uk;ebay.de;ebay.com.au;ebay.at;ebay.fr;ebay.nl;befr.ebay.be;"
    "benl.ebay.be;ebay.ch;ebay.it;ebay.es").split(u';');

QStringList rows(const QListWidget *list)
{
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts.append(list->item(i)->text());
    return texts;
}

QString selectedText(const QListWidget *list)
{
    const auto selected = list->selectedItems();
    return selected.isEmpty() ? QString() : selected.first()->text();
}

void selectRow(QListWidget *list, const QString &text)
{
    const auto found = list->findItems(text, Qt::MatchExactly);
    QVERIFY2(found.size() == 1, qPrintable(text));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(found.first()).center());
    QCOMPARE(selectedText(list), text);
}

// What the user types into the compose dialog.
struct Composed
{
    QString name, keywords, exclude, category, low, high;
    int boolean = 0; // position in the list
    int site = 0;
    bool descriptions = false;
};

void fill(FAddEditFavoriteSearch *d, const Composed &c)
{
    QTest::keyClicks(d->findChild<QLineEdit *>("txtName"), c.name);
    QTest::keyClicks(d->findChild<QLineEdit *>("txtKeywords"), c.keywords);
    d->findChild<QComboBox *>("cboBoolean")->setCurrentIndex(c.boolean);
    d->findChild<QCheckBox *>("chkTitlesAndDescriptions")->setChecked(c.descriptions);
    QTest::keyClicks(d->findChild<QLineEdit *>("txtExclude"), c.exclude);
    QTest::keyClicks(d->findChild<QLineEdit *>("txtCategory"), c.category);
    QTest::keyClicks(d->findChild<QLineEdit *>("txtPriceLow"), c.low);
    QTest::keyClicks(d->findChild<QLineEdit *>("txtPriceHigh"), c.high);
    d->findChild<QComboBox *>("cboSite")->setCurrentIndex(c.site);
}

// Answers the compose dialog the main window opens: fill it in and press Save.
void composeNext(const Composed &c)
{
    answerNextModal([c](QWidget *modal) {
        auto *dialog = qobject_cast<FAddEditFavoriteSearch *>(modal);
        if (!dialog)
            return;
        fill(dialog, c);
        dialog->findChild<QPushButton *>("cmdSave")->click();
    });
}

class Window
{
public:
    explicit Window(const QString &dir) : w(dir, kDomains, &shell)
    {
        w.show();
        list = w.findChild<QListWidget *>("lstFavorites");
        go = w.findChild<QPushButton *>("cmdGo");
        add = w.findChild<QPushButton *>("cmdAdd");
        del = w.findChild<QPushButton *>("cmdDelete");
        close = w.findChild<QPushButton *>("cmdClose");
    }
    RecordingShell shell;
    FFavoriteSearches w;
    QListWidget *list;
    QPushButton *go, *add, *del, *close;
};

class Dialog
{
public:
    Dialog() : d(kDomains, &shell) { d.show(); }
    QPushButton *button(const char *name) { return d.findChild<QPushButton *>(name); }
    QLineEdit *box(const char *name) { return d.findChild<QLineEdit *>(name); }
    RecordingShell shell;
    FAddEditFavoriteSearch d;
};
} // namespace

class TestFFavoriteSearches : public QObject
{
    Q_OBJECT

private slots:
    void firstOpeningLeavesEmptyFile();
    void chosenSearchReturnsItsURL_data();
    void chosenSearchReturnsItsURL();
    void deleteReselectsAndSetsButtons();
    void composedSearchIsAddedSortedAndSaved();
    void repeatedNameIsUnsuccessful();
    void dialogStartsEmpty();
    void nameDefaultsToKeywords_data();
    void nameDefaultsToKeywords();
    void unstorableCharactersAreRefused_data();
    void unstorableCharactersAreRefused();
    void cancelAsksCloseBoxAndEscDoNot_data();
    void cancelAsksCloseBoxAndEscDoNot();
    void categoryButtonOpensUsersBrowser_data();
    void categoryButtonOpensUsersBrowser();
    void skippedLinesAreToldOnceAndBackedUp();
    void failedSaveIsToldAndRetried();
};

void TestFFavoriteSearches::firstOpeningLeavesEmptyFile()
{
    const QString dir = TestEnvironment::programDir();
    MessageBoxRecorder recorder;
    Window win(dir);
    QCOMPARE(win.w.windowTitle(), QStringLiteral("Favorite Auction Searches"));
    QCOMPARE(win.list->count(), 0);
    QVERIFY(!win.go->isEnabled());
    QVERIFY(!win.del->isEnabled());
    QVERIFY(QFile::exists(dir + "/Searches.txt"));
    win.w.close();
    QVERIFY(!win.w.isVisible());
    QCOMPARE(win.w.SearchURL(), QString());
    QCOMPARE(readBytes(dir + "/Searches.txt"), QByteArray());
    QVERIFY(recorder.texts.isEmpty());
}

void TestFFavoriteSearches::chosenSearchReturnsItsURL_data()
{
    QTest::addColumn<int>("way");
    QTest::newRow("Go! button") << 0;
    QTest::newRow("double-click") << 1;
    QTest::newRow("Enter") << 2;
}

void TestFFavoriteSearches::chosenSearchReturnsItsURL()
{
    QFETCH(int, way);
    const QString dir = TestEnvironment::programDir();
    writeBytesRaw(dir + "/Searches.txt", "lamps|lamp shade|1||8||||True\ncameras|digital camera|2||2|625|10|200|False\n");

    Window win(dir);
    QCOMPARE(rows(win.list), (QStringList{"cameras", "lamps"}));
    selectRow(win.list, "cameras");
    QVERIFY(win.go->isEnabled());
    if (way == 0) {
        win.go->click();
    } else if (way == 1) {
        QTest::mouseDClick(win.list->viewport(), Qt::LeftButton, {},
                           win.list->visualItemRect(win.list->selectedItems().first()).center());
    } else {
        win.list->setFocus();
        QTest::keyClick(win.list, Qt::Key_Return);
    }
    QVERIFY(!win.w.isVisible());
    QCOMPARE(win.w.SearchURL(),
             QStringLiteral("http://search.ebay.co.uk/ws/search/SaleSearch?&sapricelo=10&sapricehi=200"
                            "&exclude=&soincludewords=digital camera&sotextsearched=1&sacategory=625"
                            "&sosearchwordscombine=2"));
    // Hidden, not yet unloaded: the caller's unload writes the file.
    QCOMPARE(readBytes(dir + "/Searches.txt").count('\r'), 0);
    win.w.Unload();
    QCOMPARE(readBytes(dir + "/Searches.txt"),
             QByteArray("lamps|lamp shade|1||8||||True\r\ncameras|digital camera|2||2|625|10|200|False\r\n"));
}

void TestFFavoriteSearches::deleteReselectsAndSetsButtons()
{
    const QString dir = TestEnvironment::programDir();
    writeBytesRaw(dir + "/Searches.txt", "c|kw|1||0||||True\r\na|kw|1||0||||True\r\nb|kw|1||0||||True\r\n");
    MessageBoxRecorder recorder;
    Window win(dir);

    selectRow(win.list, "b");
    win.del->click(); // middle: the next row moves into its place
    QCOMPARE(rows(win.list), (QStringList{"a", "c"}));
    QCOMPARE(selectedText(win.list), QStringLiteral("c"));
    QVERIFY(win.go->isEnabled() && win.del->isEnabled());

    win.del->click(); // last: the row above
    QCOMPARE(rows(win.list), QStringList{"a"});
    QCOMPARE(selectedText(win.list), QStringLiteral("a"));
    QVERIFY(win.go->isEnabled() && win.del->isEnabled());

    win.del->click(); // only row: nothing left to run or delete
    QCOMPARE(win.list->count(), 0);
    QVERIFY(!win.go->isEnabled());
    QVERIFY(!win.del->isEnabled());

    QVERIFY(recorder.texts.isEmpty()); // no question asked
    win.close->click();
    QCOMPARE(readBytes(dir + "/Searches.txt"), QByteArray());
}

void TestFFavoriteSearches::composedSearchIsAddedSortedAndSaved()
{
    const QString dir = TestEnvironment::programDir();
    writeBytesRaw(dir + "/Searches.txt", "apples|kw|1||0||||True\r\nzebras|kw|1||0||||True\r\n");
    Window win(dir);
    selectRow(win.list, "zebras");

    Composed c;
    c.name = "Mugs";
    c.keywords = "blue mug";
    c.boolean = 2;
    c.exclude = "chipped";
    c.site = 8;
    c.category = "12";
    c.low = "1";
    c.high = "20";
    c.descriptions = true;
    composeNext(c);
    win.add->click();
    QCOMPARE(rows(win.list), (QStringList{"apples", "Mugs", "zebras"}));
    QCOMPARE(selectedText(win.list), QStringLiteral("zebras"));

    selectRow(win.list, "Mugs");
    win.go->click();
    QCOMPARE(win.w.SearchURL(),
             QStringLiteral("http://search.befr.ebay.be/ws/search/SaleSearch?&sapricelo=1&sapricehi=20"
                            "&exclude=chipped&soincludewords=blue mug&sotextsearched=2&sacategory=12"
                            "&sosearchwordscombine=3"));
    win.w.Unload();
    QCOMPARE(readBytes(dir + "/Searches.txt"),
             QByteArray("apples|kw|1||0||||True\r\nzebras|kw|1||0||||True\r\n"
                        "Mugs|blue mug|3|chipped|8|12|1|20|True\r\n"));
}

void TestFFavoriteSearches::repeatedNameIsUnsuccessful()
{
    const QString dir = TestEnvironment::programDir();
    writeBytesRaw(dir + "/Searches.txt", "cars|vw golf|1||0||||False\r\n");
    Window win(dir);

    Composed c;
    c.name = "Cars";
    c.keywords = "audi";
    composeNext(c);
    QString text, title;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QTimer::singleShot(0, &win.w, [&] {
        answerNextModal([&](QWidget *modal) {
            if (auto *box = qobject_cast<QMessageBox *>(modal)) {
                text = box->text();
                title = box->windowTitle();
                icon = box->icon();
                box->button(QMessageBox::Ok)->click();
            }
        });
    });
    win.add->click();

    QCOMPARE(title, QStringLiteral("Unsuccessful"));
    QCOMPARE(icon, QMessageBox::Information);
    QCOMPARE(text, QStringLiteral("The search you attempted to save\r\nwas not successfully saved.\r\n\r\n"
                                  "Make sure you choose a unique\r\nname for each search.  Two searches\r\n"
                                  "with the same name cannot be saved."));
    QCOMPARE(rows(win.list), QStringList{"cars"});
    win.close->click();
    QCOMPARE(readBytes(dir + "/Searches.txt"), QByteArray("cars|vw golf|1||0||||False\r\n"));
}

void TestFFavoriteSearches::dialogStartsEmpty()
{
    Dialog dlg;
    QCOMPARE(dlg.d.windowTitle(), QStringLiteral("Add or Edit a Search"));
    QCOMPARE(dlg.d.findChild<QGroupBox *>("fraSearch")->title(), QStringLiteral("Compose your search:"));
    for (const char *name : {"txtName", "txtKeywords", "txtExclude", "txtCategory", "txtPriceLow", "txtPriceHigh"}) {
        QVERIFY2(dlg.box(name)->text().isEmpty(), name);
        QVERIFY2(dlg.box(name)->maxLength() == std::numeric_limits<int>::max(), name);
    }
    auto *boolean = dlg.d.findChild<QComboBox *>("cboBoolean");
    auto *site = dlg.d.findChild<QComboBox *>("cboSite");
    QCOMPARE(boolean->currentIndex(), 0);
    QCOMPARE(boolean->count(), 3);
    QVERIFY(!boolean->isEditable() && !site->isEditable());
    QCOMPARE(site->currentIndex(), 0);
    QCOMPARE(site->count(), 13);
    QCOMPARE(site->itemText(0), QStringLiteral("ebay.com"));
    QCOMPARE(site->itemText(9), QStringLiteral("eBay Belgium (FL)"));
    QVERIFY(!dlg.d.findChild<QCheckBox *>("chkTitlesAndDescriptions")->isChecked());
    QVERIFY(dlg.button("cmdSave")->isDefault());
    QVERIFY(!dlg.d.IsSaved());
}

void TestFFavoriteSearches::nameDefaultsToKeywords_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("keywords");
    QTest::addColumn<bool>("saved");
    QTest::addColumn<QString>("nameAfter");
    QTest::newRow("empty name takes the keywords") << "" << "lamp shade" << true << "lamp shade";
    QTest::newRow("typed name kept") << "Shades" << "lamp shade" << true << "Shades";
    QTest::newRow("two characters") << "" << "tv" << true << "tv";
    QTest::newRow("two blanks count") << "" << "  " << true << "  ";
    QTest::newRow("one character refused, name stays filled") << "" << "x" << false << "x";
    QTest::newRow("no keywords refused") << "mine" << "" << false << "mine";
}

void TestFFavoriteSearches::nameDefaultsToKeywords()
{
    QFETCH(QString, name);
    QFETCH(QString, keywords);
    QFETCH(bool, saved);
    QFETCH(QString, nameAfter);

    MessageBoxRecorder recorder;
    Dialog dlg;
    QTest::keyClicks(dlg.box("txtName"), name);
    QTest::keyClicks(dlg.box("txtKeywords"), keywords);
    QTest::keyClick(dlg.box("txtKeywords"), Qt::Key_Return); // Enter presses Save
    QCOMPARE(dlg.d.IsSaved(), saved);
    QCOMPARE(dlg.d.isVisible(), !saved);
    QCOMPARE(dlg.d.name(), nameAfter);
    if (saved) {
        QVERIFY(recorder.texts.isEmpty());
    } else {
        QCOMPARE(recorder.titles, QStringList{"Choose Keywords"});
        QCOMPARE(recorder.texts, QStringList{"You must enter your search terms into the Keywords box"});
    }
}

void TestFFavoriteSearches::unstorableCharactersAreRefused_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("label");
    QTest::newRow("bar in the keywords") << "txtKeywords" << "red|blue" << "\"Keywords:\"";
    QTest::newRow("bar in the name") << "txtName" << "a|b" << "\"Choose a name for this search:\"";
    QTest::newRow("line break in the exclusions") << "txtExclude" << "a\nb" << "\"Words to exclude:\"";
    QTest::newRow("carriage return in a price") << "txtPriceHigh" << "5\r" << "\"Price Range: and\"";
}

void TestFFavoriteSearches::unstorableCharactersAreRefused()
{
    QFETCH(QString, box);
    QFETCH(QString, value);
    QFETCH(QString, label);

    MessageBoxRecorder recorder;
    Dialog dlg;
    dlg.box("txtKeywords")->setText("lamp");
    dlg.box(qPrintable(box))->setText(dlg.box(qPrintable(box))->text() + value);
    dlg.button("cmdSave")->click();
    QVERIFY(dlg.d.isVisible());
    QVERIFY(!dlg.d.IsSaved());
    QCOMPARE(recorder.texts.size(), 1);
    QVERIFY2(recorder.texts.first().contains(label), qPrintable(recorder.texts.first()));

    // Once the character is gone the search saves.
    dlg.box(qPrintable(box))->setText(box == "txtKeywords" ? "red blue" : "ok");
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

    MessageBoxRecorder recorder(way == 1 ? QMessageBox::Cancel : QMessageBox::Ok);
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
    QCOMPARE(dlg.box("txtKeywords")->text(), QStringLiteral("lamp shade"));
}

void TestFFavoriteSearches::categoryButtonOpensUsersBrowser_data()
{
    QTest::addColumn<int>("site");
    QTest::addColumn<QString>("url");
    QTest::newRow("United States")
        << 0 << QStringLiteral("http://listings.ebay.com/aw/plistings/list/categories.html");
    QTest::newRow("Belgium, Dutch-language")
        << 9 << QStringLiteral("http://listings.benl.ebay.be/aw/plistings/list/categories.html");
}

void TestFFavoriteSearches::categoryButtonOpensUsersBrowser()
{
    QFETCH(int, site);
    QFETCH(QString, url);

    // Through the searches window, as the user gets there.
    Window win(TestEnvironment::programDir());
    bool stillOpen = false;
    answerNextModal([&](QWidget *modal) {
        auto *dialog = qobject_cast<FAddEditFavoriteSearch *>(modal);
        if (!dialog)
            return;
        dialog->findChild<QComboBox *>("cboSite")->setCurrentIndex(site);
        dialog->findChild<QPushButton *>("cmdCategory")->click();
        stillOpen = dialog->isVisible() && QApplication::activeModalWidget() == dialog;
        dialog->close();
    });
    win.add->click();
    QCOMPARE(win.shell.opened, QStringList{url});
    QVERIFY(stillOpen);
    QCOMPARE(win.list->count(), 0);
}

void TestFFavoriteSearches::skippedLinesAreToldOnceAndBackedUp()
{
    const QString dir = TestEnvironment::programDir();
    const QByteArray old("good|kw|1||0||||True\r\nshort|line\r\nbad|kw|x||0||||True\r\n");
    writeBytesRaw(dir + "/Searches.txt", old);

    MessageBoxRecorder recorder;
    Window win(dir);
    QTRY_COMPARE(recorder.texts.size(), 1);
    const QString text = recorder.texts.first();
    QVERIFY2(text.contains("2 lines"), qPrintable(text));
    QVERIFY2(text.contains(QDir::toNativeSeparators(dir + "/Searches.txt")), qPrintable(text));
    QVERIFY2(text.contains("Searches.txt.bak"), qPrintable(text));
    QCOMPARE(rows(win.list), QStringList{"good"});

    win.close->click();
    QCOMPARE(recorder.texts.size(), 1);
    QCOMPARE(readBytes(dir + "/Searches.txt.bak"), old);
    QCOMPARE(readBytes(dir + "/Searches.txt"), QByteArray("good|kw|1||0||||True\r\n"));
}

void TestFFavoriteSearches::failedSaveIsToldAndRetried()
{
    const QString dir = TestEnvironment::programDir();
    writeBytesRaw(dir + "/Searches.txt", "keep|kw|1||0||||True\n");
    Window win(dir);
    Composed c;
    c.keywords = "new search";
    composeNext(c);
    win.add->click();

    QFile::remove(dir + "/Searches.txt");
    QDir(dir).mkdir("Searches.txt"); // its place is taken
    QStringList texts;
    answerNextModal([&](QWidget *modal) {
        auto *box = qobject_cast<QMessageBox *>(modal);
        QVERIFY(box);
        texts.append(box->text());
        QDir(dir).rmdir("Searches.txt");
        box->button(QMessageBox::Retry)->click();
    });
    win.close->click();

    QCOMPARE(texts.size(), 1);
    QVERIFY2(texts.first().contains(QDir::toNativeSeparators(dir + "/Searches.txt")), qPrintable(texts.first()));
    QVERIFY2(texts.first().contains("directory"), qPrintable(texts.first()));
    // The searches stayed in memory through the failure.
    QCOMPARE(readBytes(dir + "/Searches.txt"),
             QByteArray("keep|kw|1||0||||True\r\nnew search|new search|1||0||||False\r\n"));
}

BIDBENCH_TEST_MAIN(TestFFavoriteSearches)
#include "tst_ffavoritesearches.moc"
