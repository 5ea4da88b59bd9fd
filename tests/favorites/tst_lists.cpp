#include "CSearches.h"
#include "CUserIDs.h"
#include "FFavoriteSearches.h"
#include "FFavorites.h"
#include "ModalAnswer.h"
#include "ProgramEnd.h"
#include "TestFiles.h"
#include "RecordingShell.h"
#include "TestMain.h"
#include "TitleBarClose.h"
#include "UserIDFile.h"

#include <optional>

namespace {
using Bytes = QByteArray;
using List = QStringList;

// Answers either add dialog from "text;keywords;actions": the user ID (or search name) goes in as
// pasted, the keywords as typed; the actions ("esc", "closebox", a button) default to Add or
// Save. A search named alone gets fixed values in every control. Afterwards the dialog's
// state, "saved open name", goes to state, and a dialog still open is closed by its close box.
void answerAdd(QWidget *dialog, const QString &arg, QString *state)
{
    const List parts = arg.split(u';');
    const bool search = dialog->findChild<QComboBox *>("cboSite");
    auto *text = dialog->findChild<QLineEdit *>(search ? "txtName" : "txtUserID");
    text->insert(parts[0]);
    if (search && parts.size() == 1) {
        const List boxes{"txtExclude", "chipped", "txtCategory", "12", "txtPriceLow", "1", "txtPriceHigh", "20"};
        for (int i = 0; i < boxes.size(); i += 2)
            dialog->findChild<QLineEdit *>(boxes[i])->insert(boxes[i + 1]);
        dialog->findChild<QComboBox *>("cboBoolean")->setCurrentIndex(2);
        dialog->findChild<QComboBox *>("cboSite")->setCurrentIndex(8);
        dialog->findChild<QCheckBox *>("chkTitlesAndDescriptions")->setChecked(true);
    }
    if (search)
        dialog->findChild<QLineEdit *>("txtKeywords")->insert(parts.value(1, "blue mug"));
    for (const QString &action : parts.value(2, search ? "cmdSave" : "cmdAdd").split(u',')) {
        if (action == "esc")
            QVERIFY(keyToFocus(dialog, Qt::Key_Escape));
        else if (action == "closebox")
            closeFromTitleBar(dialog);
        else
            dialog->findChild<QPushButton *>(action)->click();
    }
    *state = QString("%1 %2 %3").arg(dialog->property("IsSaved").toInt()).arg(dialog->isVisible()).arg(text->text());
    if (dialog->isVisible())
        closeFromTitleBar(dialog);
}

// "Sellers", "Bidders" or "Searches": the window over its list file (null bytes: none; "dir": a
// folder in its place) in a fresh program folder, driven by steps such as "click:ann", "delete",
// "closebox", and checked by steps such as "sel:ann" (that row selected; Delete and Go! enabled
// exactly while one is), "rows:a,b", "saved:<bytes>", "told:<parts of 'title: text'>" (the next
// message, parts split at "|"), "dialog:<state>" (see answerAdd).
struct ListWindow : QObject
{
    ListWindow(const QString &kind, const Bytes &bytes) : kind(kind), bytes(bytes)
    {
        if (bytes == "dir")
            QDir(dir).mkpath(path() + "/inside");
        else if (!bytes.isNull())
            writeBytes(path(), bytes);
        if (kind == "Searches") {
            window = std::make_unique<FFavoriteSearches>(dir, testDestinations().searchDomains, &shell);
        } else {
            auto users = std::make_unique<FFavorites>(dir);
            users->Initialize(kind == "Sellers");
            window = std::move(users);
        }
        window->show();
        qApp->installEventFilter(this);
    }
    // A failed save is told: then "full" and "blocked" end, so that Retry can succeed.
    bool eventFilter(QObject *object, QEvent *event) override
    {
        if (event->type() == QEvent::Show && qobject_cast<QMessageBox *>(object)) {
            limit.reset();
            QDir(dir).rmdir(path());
        }
        return false;
    }
    QString path() const { return dir + '/' + kind + ".txt"; }
    QPushButton *button(const char *name) const { return window->findChild<QPushButton *>(name); }
    QPushButton *go() const { return button(kind == "Searches" ? "cmdGo" : "cmdGetInfo"); }
    void step(const QString &step)
    {
        const QString what = step.section(':', 0, 0);
        const QString arg = step.section(':', 1).replace("%path", QDir::toNativeSeparators(path()));
        auto *list = window->findChild<QListWidget *>("lstFavorites");
        const QPoint at = list->visualItemRect(list->findItems(arg, Qt::MatchExactly).value(0)).center();
        List rows;
        for (int i = 0; i < list->count(); ++i)
            rows.append(list->item(i)->text());
        if (what == "sel") {
            QCOMPARE(list->selectedItems().isEmpty() ? QString() : list->selectedItems()[0]->text(), arg);
            QCOMPARE(button("cmdDelete")->isEnabled(), !arg.isEmpty());
            QCOMPARE(go()->isEnabled(), kind != "Searches" || !arg.isEmpty());
        } else if (QStringList{"rows", "title", "chosen", "saved", "dialog", "opened"}.contains(what)) {
            const QVariant actual = what == "rows" ? QVariant(rows.join(u',')) : what == "title" ? window->windowTitle()
                : what == "saved" ? QVariant(readBytes(path())) : what == "dialog" ? QVariant(dialog)
                : what == "opened" ? shell.opened.join(u',') : window->property(kind == "Searches" ? "SearchURL" : "SelectedUserID");
            QCOMPARE(actual.toString(), arg == "same" ? QString::fromUtf8(bytes) : arg);
        } else if (what == "told") {
            QVERIFY(shown->texts.size() > told);
            for (const QString &part : arg.split(u'|'))
                QVERIFY2(QString(shown->titles[told] + ": " + shown->texts[told]).contains(part), qPrintable(shown->texts[told]));
            ++told;
        } else if (what == "locked") {
            const QLabel *why = window->findChild<QLabel *>("lblReadFailed");
            QVERIFY(why->isVisible() && why->text().contains(QDir::toNativeSeparators(path())));
            QVERIFY(!button("cmdAdd")->isEnabled() && !button("cmdDelete")->isEnabled());
        } else if (what == "answer") {
            QCOMPARE(shown->texts.size(), told); // every earlier message was checked
            shown = std::make_unique<ShownWindows>(arg == "retry" ? QMessageBox::Retry : QMessageBox::Cancel);
            told = 0;
        } else if (what == "full") {
            limit.emplace(8); // as a full disk would
        } else if (what == "blocked") {
            QVERIFY(QFile::remove(path()) && QDir(dir).mkdir(path()));
        } else if (what == "click" || what == "dclick") {
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
            if (what == "dclick")
                QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
        } else if (what == "add") {
            answerNextModal([=, this](QWidget *modal) { answerAdd(modal, arg, &dialog); });
            button("cmdAdd")->click();
        } else if (what == "go" || what == "delete" || what == "close") {
            (what == "go" ? go() : button(what == "delete" ? "cmdDelete" : "cmdClose"))->click();
        } else if (what == "esc") {
            QVERIFY(keyToFocus(window.get(), Qt::Key_Escape));
            QVERIFY(window->isVisible());
        } else if (what == "closebox") {
            closeFromTitleBar(window.get());
        } else if (what == "end") {
            emit ProgramEnd::instance().savingBeforeEnd(); // what an accepted update sends
        } else if (auto *users = qobject_cast<FFavorites *>(window.get())) {
            users->Unload(); // the caller's, after Go!
        } else {
            static_cast<FFavoriteSearches *>(window.get())->Unload();
        }
    }

    QString kind;
    Bytes bytes;
    RecordingShell shell;
    QString dir = TestEnvironment::programDir();
    std::unique_ptr<ShownWindows> shown = std::make_unique<ShownWindows>();
    int told = 0;
    QString dialog; // the add dialog's last state
    std::optional<FileSizeLimit> limit;
    std::unique_ptr<QDialog> window;
};
} // namespace

// The favourites' own lists: their files, the addresses made from them, and the windows that
// show them, driven like a user. (The search address from empty fields and from another site:
// the main window's search row.)
class TestLists : public QObject
{
    Q_OBJECT

private slots:
    void readThenSave_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<Bytes>("bytes"); // null: no file
        QTest::addColumn<List>("loaded");
        QTest::addColumn<int>("skipped");
        QTest::addColumn<Bytes>("saved");
        const QString ids("Bidders.txt");
        const QString searches("Searches.txt");
        const Bytes a("a|kw|1||0||||False\r\n");
        const Bytes records("z|stripes|3|horse|12|1|0.5|99|True\r\nM\xc3\xbcnchen|bier  |2||3|-1|||False\r\n");
        QTest::newRow("no file") << "Sellers.txt" << Bytes() << List() << 0 << Bytes();
        QTest::newRow("repeats dropped, also in other case, non-ascii and astral") << ids << Bytes("ann\r\nbob\r\nann\r\nBOB\r\n"
            "M\xc3\xbcller\r\nM\xc3\x9cLLER\r\n\xf0\x90\x90\x80x\r\n\xf0\x90\x90\xa8X\r\n") << List{"ann", "bob", "Müller", "\U00010400x"}
            << 0 << Bytes("ann\r\nbob\r\nM\xc3\xbcller\r\n\xf0\x90\x90\x80x\r\n");
        QTest::newRow("lf, cr, none at the end; windows-1252, its undefined byte kept; blanks kept, empty lines not") << ids
            << Bytes("zed\n\r\n zed \nM\xfcller\r\x80\x93\x9f\x81") << List{"zed", " zed ", "Müller", "€“Ÿ\u0081"} << 0
            << Bytes("zed\r\n zed \r\nM\xc3\xbcller\r\n\xe2\x82\xac\xe2\x80\x9c\xc5\xb8\xc2\x81\r\n");
        QTest::newRow("UTF-8 byte order mark") << "Sellers.txt" << Bytes("\xef\xbb\xbf" "ann\n") << List{"ann"} << 0 << Bytes("ann\r\n");
        QTest::newRow("no searches file: made empty") << searches << Bytes() << List() << 0 << Bytes("");
        QTest::newRow("records kept byte for byte; ten fields load nine") << searches << records + "b|kw|1||0|7|||True|x\n"
            << List{"z", "München", "b"} << 0 << records + "b|kw|1||0|7|||True\r\n";
        QTest::newRow("one malformed line is enough for a backup; no |, a repeated name dropped silently") << searches
            << "\r\ntext\r\n" + a + "A|x|2||1||||True\r\nb|kw|1||0|||\r\n" << List{"a"} << 1 << a;
        QTest::newRow("malformed lines counted, sites outside the table too; an earlier backup kept") << searches
            << "b|kw|1||0|||\r\nc|kw|x||0||||False\r\nd|kw|1||z||||False\r\ne|k|1||0||||Yes\r\nf|k|1||0||||\r\n"
               "g|k|1||13||||False\r\nh|k|1||-1||||False\r\n" + a
            << List{"a"} << 7 << a;
    }

    // Saving drops skipped lines, so the first save keeps the old file beside, never over an
    // earlier copy (rows that say "earlier" start with one). A name not in the list is no error.
    void readThenSave()
    {
        QFETCH(QString, file);
        QFETCH(Bytes, bytes);
        QFETCH(List, loaded);
        QFETCH(int, skipped);
        QFETCH(Bytes, saved);
        const QString dir = TestEnvironment::programDir();
        const QString path = dir + '/' + file;
        if (!bytes.isNull())
            writeBytes(path, bytes);
        const bool earlier = QByteArray(QTest::currentDataTag()).contains("earlier");
        if (earlier)
            writeBytes(path + ".bak", "earlier");
        List names;
        if (file == "Searches.txt") {
            CSearches searches(testDestinations().searchDomains);
            const CSearches::LoadResult result = searches.Load(path);
            QVERIFY(!result.readFailed && !result.createFailed && QFileInfo(path).isFile());
            QCOMPARE(result.skippedLines, skipped);
            for (const CSearches::Entry &search : searches)
                names.append(search->Name());
            QVERIFY(searches.Save().ok && searches.Save().ok); // the second has nothing to drop
            QVERIFY(!searches.Item("x") && !searches.Remove("x"));
        } else {
            CUserIDs list;
            QVERIFY(ReadUserIDFile(dir, file == "Sellers.txt", list).ok);
            names = list.ids();
            QVERIFY(WriteUserIDFile(dir, file == "Sellers.txt", list).ok && !list.Remove("x"));
        }
        QCOMPARE(names, loaded);
        QCOMPARE(readBytes(path), saved);
        QCOMPARE(QDir(dir).entryList(QDir::Files).size(), 1 + (skipped ? 1 : 0) + (earlier ? 1 : 0));
        QCOMPARE(readBytes(path + (earlier ? ".bak2" : ".bak")), skipped ? bytes : Bytes());
        QVERIFY(!earlier || readBytes(path + ".bak") == "earlier");
    }

    void windows_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<Bytes>("file");
        QTest::addColumn<List>("steps");
        const Bytes users("carl\nBob\nann\n");
        const Bytes searches("lamps|lamp shade|1||8||||True\ncameras|digital camera|2|red & blue|2|625|10|200|False\n");
        const QString saved = "saved:" + QString::fromUtf8(Bytes(searches).replace("\n", "\r\n"));
        const QString mugs("Mugs|blue mug|3|chipped|8|12|1|20|True\r\n");
        QTest::newRow("sellers: sorted; delete, add, Go!; only the unload saves") << "Sellers" << users
            << List{"title:Favorite Sellers List", "rows:ann,Bob,carl", "sel:", "esc", "click:Bob", "delete", "sel:carl",
                    "add:Bea", "sel:carl", "rows:ann,Bea,carl", "go", "chosen:carl", "saved:same", "unload", "saved:carl\r\nann\r\nBea\r\n"};
        QTest::newRow("sellers: Esc does not cancel adding; a repeat, the close box, a line break add nothing") << "Sellers" << users
            << List{"add:dora;;esc,cmdAdd", "add:CARL", "add:emil;;closebox", "add:x\r\ny", "told:\"User ID:\"",
                    "rows:ann,Bob,carl,dora", "closebox", "saved:carl\r\nBob\r\nann\r\ndora\r\n"};
        QTest::newRow("bidders: the only row deleted; program end saves") << "Bidders"
            << Bytes("ann\n") << List{"title:Favorite Bidders List", "click:ann", "delete", "sel:", "rows:", "end", "saved:"};
        QTest::newRow("searches: double-click runs; only the unload saves") << "Searches" << searches
            << List{"rows:cameras,lamps", "sel:", "esc", "dclick:cameras", "chosen:http://search.ebay.co.uk/ws/search/SaleSearch?"
                    "&sapricelo=10&sapricehi=200&exclude=red & blue&soincludewords=digital camera&sotextsearched=1&sacategory=625"
                    "&sosearchwordscombine=2", "saved:same", "unload", saved};
        QTest::newRow("searches: delete the last row, compose, a taken name; program end saves") << "Searches" << searches
            << List{"click:lamps", "delete", "sel:cameras", "add:Mugs", "sel:cameras", "rows:cameras,Mugs", "add:MUGS",
                    "told:Unsuccessful: The search you attempted to save\r\nwas not successfully saved.",
                    "rows:cameras,Mugs", "end", "saved:cameras|digital camera|2|red & blue|2|625|10|200|False\r\n" + mugs};
        // Then an empty name takes the keywords; two blanks are two characters.
        QTest::newRow("compose: refusals, the category list and Cancel keep the dialog, its input and the list") << "Searches"
            << searches << List{"add:;x", "dialog:0 1 x", "told:Choose Keywords: You must enter your search terms into the Keywords box",
                    "add:;red|blue", "dialog:0 1 ", "told:\"Keywords:\"", "add:a\nb;lamp", "dialog:0 1 a\nb",
                    "told:\"Choose a name for this search:\"", "add:;lamp;cmdCategory", "dialog:0 1 ",
                    "opened:http://listings.ebay.com/aw/plistings/list/categories.html", // in the user's browser
                    "add:;lamp;cmdCancel", "dialog:0 0 ", "told:Are you sure?: Are you sure you want to cancel without saving?",
                    "answer:cancel", "add:;lamp;cmdCancel", "dialog:0 1 ", "told:Are you sure?", "add:;lamp;closebox", "dialog:0 0 ",
                    "add:;lamp;esc", "dialog:0 1 ", "rows:cameras,lamps", "add:;lamp shade", "dialog:1 0 lamp shade", "add:;  ",
                    "dialog:1 0   ", "rows:  ,cameras,lamp shade,lamps", "close",
                    saved + "lamp shade|lamp shade|1||0||||False\r\n  |  |1||0||||False\r\n"};
        QTest::newRow("sellers: unreadable, locked, left alone") << "Sellers" << Bytes("dir") << List{"locked", "close"};
        QTest::newRow("searches: unreadable, locked, left alone") << "Searches" << Bytes("dir") << List{"locked", "close"};
        QTest::newRow("sellers: full disk, Cancel keeps the old file") << "Sellers" << users
            << List{"add:dora", "answer:cancel", "full", "close", "told:%path", "saved:same"};
        QTest::newRow("searches: full disk, Retry") << "Searches" << searches
            << List{"add:Mugs", "answer:retry", "full", "close", "told:%path", saved + mugs};
        QTest::newRow("bidders: a folder in the way, reason told, Retry") << "Bidders" << users
            << List{"answer:retry", "blocked", "close", "told:%path|directory", "saved:carl\r\nBob\r\nann\r\n"};
    }

    void windows()
    {
        QFETCH(QString, kind);
        QFETCH(Bytes, file);
        QFETCH(List, steps);
        ListWindow w(kind, file);
        for (const QString &step : steps) {
            w.step(step);
            if (QTest::currentTestFailed())
                QFAIL(qPrintable("at " + step));
        }
        QVERIFY(!w.window->isVisible());
        QVERIFY(QDir(w.dir).entryList(QDir::Files | QDir::Hidden).size() <= 1); // a failed save leaves nothing beside the list
        QCOMPARE(w.shown->texts.size(), w.told); // and no other message
        QVERIFY(file != "dir" || QFileInfo(w.path() + "/inside").isDir());
    }
};

BIDBENCH_TEST_MAIN(TestLists)
#include "tst_lists.moc"
