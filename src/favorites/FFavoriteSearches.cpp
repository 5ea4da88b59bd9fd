#include "FFavoriteSearches.h"

#include "FAddEditFavoriteSearch.h"
#include "KeepOpenOnEscape.h"
#include "ListFileText.h"
#include "SortedList.h"
#include "ProgramEnd.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

FFavoriteSearches::FFavoriteSearches(QString programDir, QStringList siteDomains, Shell *shell,
                                     QWidget *parent)
    : QDialog(parent)
    , m_sProgramDir(std::move(programDir))
    , m_siteDomains(std::move(siteDomains))
    , m_pShell(shell)
{
    setWindowTitle(QStringLiteral("Favorite Auction Searches"));

    cmdGo = new QPushButton(QStringLiteral("&Go!"), this);
    cmdGo->setObjectName(QStringLiteral("cmdGo"));
    cmdGo->setToolTip(QStringLiteral("View the results of the search in Talvex Bidbench."));
    cmdGo->setDefault(true);

    cmdClose = new QPushButton(QStringLiteral("&Close"), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    cmdClose->setToolTip(QStringLiteral("Close favorites list and return to Talvex Bidbench."));

    cmdAdd = new QPushButton(QStringLiteral("&Add .."), this);
    cmdAdd->setObjectName(QStringLiteral("cmdAdd"));
    cmdAdd->setToolTip(QStringLiteral("Add a new search to the favorites list."));

    cmdDelete = new QPushButton(QStringLiteral("&Delete"), this);
    cmdDelete->setObjectName(QStringLiteral("cmdDelete"));
    cmdDelete->setToolTip(QStringLiteral("Delete a search."));
    cmdDelete->setEnabled(false);

    lblDoubleClick = new QLabel(QStringLiteral(
        "Double-click a search to view it now or highlight and press a button to the right."), this);
    lblDoubleClick->setObjectName(QStringLiteral("lblDoubleClick"));
    lblDoubleClick->setWordWrap(true);

    lblReadFailed = new QLabel(this);
    lblReadFailed->setObjectName(QStringLiteral("lblReadFailed"));
    lblReadFailed->setWordWrap(true);
    lblReadFailed->hide();

    lstFavorites = new QListWidget(this);
    lstFavorites->setObjectName(QStringLiteral("lstFavorites"));
    lstFavorites->setToolTip(
        QStringLiteral("Double-click any search to view the results in Talvex Bidbench."));
    lstFavorites->setSelectionMode(QAbstractItemView::SingleSelection);
    lstFavorites->setUniformItemSizes(true);

    auto *layout = new QGridLayout(this);
    layout->addWidget(lblDoubleClick, 0, 0, 1, 2);
    layout->addWidget(lstFavorites, 1, 0, 5, 1);
    layout->addWidget(cmdGo, 1, 1);
    layout->addWidget(cmdClose, 2, 1);
    layout->addWidget(cmdAdd, 3, 1);
    layout->addWidget(cmdDelete, 4, 1);
    layout->setRowStretch(5, 1);
    layout->addWidget(lblReadFailed, 6, 0, 1, 2);
    layout->setColumnStretch(0, 1);
    resize(440, 320);

    setTabOrder(cmdGo, cmdClose);
    setTabOrder(cmdClose, cmdAdd);
    setTabOrder(cmdAdd, cmdDelete);
    setTabOrder(cmdDelete, lstFavorites);
    keepOpenOnEscape(this);

    connect(lstFavorites, &QListWidget::itemSelectionChanged, this, &FFavoriteSearches::UpdateButtons);
    connect(lstFavorites, &QListWidget::itemDoubleClicked, this, &FFavoriteSearches::RunSelectedSearch);
    connect(cmdGo, &QPushButton::clicked, this, &FFavoriteSearches::RunSelectedSearch);
    connect(cmdClose, &QPushButton::clicked, this, &FFavoriteSearches::Unload);
    connect(cmdAdd, &QPushButton::clicked, this, &FFavoriteSearches::cmdAdd_Click);
    connect(cmdDelete, &QPushButton::clicked, this, &FFavoriteSearches::cmdDelete_Click);
    // An accepted update ends the program at once; the user's list changes are kept.
    connect(&ProgramEnd::instance(), &ProgramEnd::savingBeforeEnd, this, &FFavoriteSearches::Unload);
}

FFavoriteSearches::~FFavoriteSearches()
{
    if (m_bLoaded)
        saveSearches();
}

void FFavoriteSearches::OnFormLoad()
{
    if (m_bLoaded)
        return;
    m_bLoaded = true;
    m_oSearches = std::make_unique<CSearches>(m_siteDomains);
    const CSearches::LoadResult loaded = m_oSearches->Load(CSearches::FilePath(m_sProgramDir));
    m_bReadFailed = loaded.readFailed;

    QStringList names;
    names.reserve(m_oSearches->Count());
    for (const CSearches::Entry &search : *m_oSearches)
        names.append(search->Name());
    SortedList::fill(lstFavorites, names);
    lstFavorites->clearSelection();
    UpdateButtons();

    // The searches are never saved then: additions would be lost at close without a word.
    cmdAdd->setEnabled(!m_bReadFailed);
    if (m_bReadFailed) {
        lblReadFailed->setText(ListFileText::unreadable(m_oSearches->path(), loaded.error));
        lblReadFailed->show();
    }
    // A file that could not be created now is reported when the save fails on the way out.
    if (loaded.skippedLines > 0)
        QTimer::singleShot(0, this, [this, loaded] { tellAboutSkippedLines(loaded); });
}

void FFavoriteSearches::tellAboutSkippedLines(const CSearches::LoadResult &result)
{
    const QString path = QDir::toNativeSeparators(m_oSearches->path());
    const QString lines = result.skippedLines == 1
        ? QStringLiteral("1 line")
        : QStringLiteral("%1 lines").arg(result.skippedLines);
    QMessageBox::warning(
        this, windowTitle(),
        QStringLiteral("%1 of\n%2\ncould not be read as saved searches and %3 skipped.\n\n"
                       "They will be dropped when the searches are saved; a copy of the file "
                       "is kept as \"%4\".")
            .arg(lines, path, result.skippedLines == 1 ? QStringLiteral("was") : QStringLiteral("were"),
                 QFileInfo(m_oSearches->backupPath()).fileName()));
}

void FFavoriteSearches::showEvent(QShowEvent *event)
{
    OnFormLoad();
    QDialog::showEvent(event);
}

void FFavoriteSearches::Unload()
{
    if (m_bLoaded) {
        m_bLoaded = false;
        saveSearches();
    }
    if (isVisible())
        done(QDialog::Rejected);
}

void FFavoriteSearches::saveSearches()
{
    if (m_bReadFailed || !m_oSearches)
        return;
    for (;;) {
        const CSearches::SaveResult saved = m_oSearches->Save();
        if (saved.ok)
            return;
        const auto answer = QMessageBox::warning(
            this, windowTitle(),
            QStringLiteral("Your saved searches could not be saved to\n%1\n\n%2\n\n"
                           "The file was left as it was. Retry to try again, or Cancel to "
                           "close without saving your changes.")
                .arg(QDir::toNativeSeparators(saved.failedPath), saved.error),
            QMessageBox::Retry | QMessageBox::Cancel, QMessageBox::Retry);
        if (answer != QMessageBox::Retry)
            return;
    }
}

void FFavoriteSearches::closeEvent(QCloseEvent *event)
{
    Unload();
    event->accept();
}

void FFavoriteSearches::UpdateButtons()
{
    cmdGo->setEnabled(!SortedList::selectedText(lstFavorites).isEmpty());
    cmdDelete->setEnabled(!m_bReadFailed && SortedList::selectedRow(lstFavorites) >= 0);
}

void FFavoriteSearches::RunSelectedSearch()
{
    if (SortedList::selectedRow(lstFavorites) < 0)
        return;
    const CSearches::Entry search = m_oSearches->Item(SortedList::selectedText(lstFavorites));
    if (!search)
        return;
    m_sSearchURL = search->GetSearchURL();
    done(QDialog::Accepted);
}

void FFavoriteSearches::cmdAdd_Click()
{
    FAddEditFavoriteSearch dialog(m_siteDomains, m_pShell, this);
    dialog.exec();
    if (!dialog.IsSaved())
        return;
    const CSearches::Entry search = m_oSearches->Add(
        dialog.name(), dialog.keywords(), dialog.searchBoolean(), dialog.excludeWords(),
        dialog.site(), dialog.category(), dialog.priceLow(), dialog.priceHigh(),
        dialog.searchDescriptions());
    if (search) {
        SortedList::insert(lstFavorites, search->Name());
        return;
    }
    QMessageBox::information(this, QStringLiteral("Unsuccessful"),
                             QStringLiteral("The search you attempted to save\r\n"
                                            "was not successfully saved.\r\n"
                                            "\r\n"
                                            "Make sure you choose a unique\r\n"
                                            "name for each search.  Two searches\r\n"
                                            "with the same name cannot be saved."));
}

void FFavoriteSearches::cmdDelete_Click()
{
    if (SortedList::selectedRow(lstFavorites) >= 0)
        m_oSearches->Remove(SortedList::removeSelected(lstFavorites));
    UpdateButtons();
}
