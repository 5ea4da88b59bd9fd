#include "FFavoriteSearches.h"

#include "FAddEditFavoriteSearch.h"
#include "KeepOpenOnEscape.h"
#include "ListFileText.h"
#include "SortedList.h"
#include "ProgramEnd.h"
#include "ProgramTitleTips.h"
#include "ui_FFavoriteSearches.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QTimer>

FFavoriteSearches::FFavoriteSearches(QString dataDir, QStringList siteDomains, Shell *shell,
                                     QWidget *parent)
    : QDialog(parent)
    , m_sDataDir(std::move(dataDir))
    , m_siteDomains(std::move(siteDomains))
    , m_pShell(shell)
    , ui(std::make_unique<Ui::FFavoriteSearches>())
{
    ui->setupUi(this);
    insertProgramTitle(this);
    keepOpenOnEscape(this);

    connect(ui->lstFavorites, &QListWidget::itemSelectionChanged, this, &FFavoriteSearches::UpdateButtons);
    connect(ui->lstFavorites, &QListWidget::itemDoubleClicked, this, &FFavoriteSearches::RunSelectedSearch);
    connect(ui->cmdGo, &QPushButton::clicked, this, &FFavoriteSearches::RunSelectedSearch);
    connect(ui->cmdClose, &QPushButton::clicked, this, &FFavoriteSearches::Unload);
    connect(ui->cmdAdd, &QPushButton::clicked, this, &FFavoriteSearches::cmdAdd_Click);
    connect(ui->cmdDelete, &QPushButton::clicked, this, &FFavoriteSearches::cmdDelete_Click);
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
    const CSearches::LoadResult loaded = m_oSearches->Load(CSearches::FilePath(m_sDataDir));
    m_bReadFailed = loaded.readFailed;

    QStringList names;
    names.reserve(m_oSearches->Count());
    for (const CSearches::Entry &search : *m_oSearches)
        names.append(search->Name());
    SortedList::fill(ui->lstFavorites, names);
    ui->lstFavorites->clearSelection();
    UpdateButtons();

    // The searches are never saved then: additions would be lost at close without a word.
    ui->cmdAdd->setEnabled(!m_bReadFailed);
    if (m_bReadFailed) {
        ui->lblReadFailed->setText(ListFileText::unreadable(m_oSearches->path(), loaded.error));
        ui->lblReadFailed->show();
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
    ListFileText::saveWithRetry(this, QStringLiteral("Your saved searches"), [this] {
        const CSearches::SaveResult saved = m_oSearches->Save();
        return ListFileText::Written{saved.ok, saved.failedPath, saved.error};
    });
}

void FFavoriteSearches::closeEvent(QCloseEvent *event)
{
    Unload();
    event->accept();
}

void FFavoriteSearches::UpdateButtons()
{
    ui->cmdGo->setEnabled(!SortedList::selectedText(ui->lstFavorites).isEmpty());
    ui->cmdDelete->setEnabled(!m_bReadFailed && SortedList::selectedRow(ui->lstFavorites) >= 0);
}

void FFavoriteSearches::RunSelectedSearch()
{
    if (SortedList::selectedRow(ui->lstFavorites) < 0)
        return;
    const CSearches::Entry search = m_oSearches->Item(SortedList::selectedText(ui->lstFavorites));
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
        SortedList::insert(ui->lstFavorites, search->Name());
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
    if (SortedList::selectedRow(ui->lstFavorites) >= 0)
        m_oSearches->Remove(SortedList::removeSelected(ui->lstFavorites));
    UpdateButtons();
}
