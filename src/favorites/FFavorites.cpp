#include "FFavorites.h"

#include "FAddUserID.h"
#include "KeepOpenOnEscape.h"
#include "ListFileText.h"
#include "SortedList.h"
#include "UserIDFile.h"
#include "ProgramEnd.h"
#include "ProgramTitleTips.h"
#include "ui_FFavorites.h"

#include <QCloseEvent>

FFavorites::FFavorites(QString dataDir, QWidget *parent)
    : QDialog(parent)
    , m_sDataDir(std::move(dataDir))
    , m_oUserIDs(std::make_unique<CUserIDs>())
    , ui(std::make_unique<Ui::FFavorites>())
{
    ui->setupUi(this);
    insertProgramTitle(this);
    keepOpenOnEscape(this);

    connect(ui->lstFavorites, &QListWidget::itemSelectionChanged, this, &FFavorites::lstFavorites_Click);
    connect(ui->lstFavorites, &QListWidget::itemDoubleClicked, this, &FFavorites::ViewSelectedUser);
    connect(ui->cmdGetInfo, &QPushButton::clicked, this, &FFavorites::ViewSelectedUser);
    connect(ui->cmdAdd, &QPushButton::clicked, this, &FFavorites::cmdAdd_Click);
    connect(ui->cmdDelete, &QPushButton::clicked, this, &FFavorites::cmdDelete_Click);
    connect(ui->cmdClose, &QPushButton::clicked, this, &FFavorites::Unload);
    // An accepted update ends the program at once; the user's list changes are kept.
    connect(&ProgramEnd::instance(), &ProgramEnd::savingBeforeEnd, this, &FFavorites::Unload);
}

FFavorites::~FFavorites()
{
    if (m_bLoaded)
        saveList();
}

void FFavorites::Initialize(bool bSellers)
{
    m_bSellers = bSellers;
    m_oUserIDs = std::make_unique<CUserIDs>();
}

void FFavorites::OnFormLoad()
{
    if (m_bLoaded)
        return;
    m_bLoaded = true;
    setWindowTitle(m_bSellers ? QStringLiteral("Favorite Sellers List")
                              : QStringLiteral("Favorite Bidders List"));
    const UserIDFileResult read = ReadUserIDFile(m_sDataDir, m_bSellers, *m_oUserIDs);
    m_bReadFailed = !read.ok;
    SortedList::fill(ui->lstFavorites, m_oUserIDs->ids());
    ui->lstFavorites->clearSelection();
    ui->cmdDelete->setEnabled(false);

    // The list is never saved then: additions would be lost at close without a word.
    ui->cmdAdd->setEnabled(!m_bReadFailed);
    if (m_bReadFailed) {
        ui->lblReadFailed->setText(ListFileText::unreadable(read.path, read.error));
        ui->lblReadFailed->show();
    }
}

void FFavorites::showEvent(QShowEvent *event)
{
    OnFormLoad();
    QDialog::showEvent(event);
}

void FFavorites::Unload()
{
    if (m_bLoaded) {
        m_bLoaded = false;
        saveList();
    }
    if (isVisible())
        done(QDialog::Rejected);
}

void FFavorites::saveList()
{
    if (m_bReadFailed)
        return;
    ListFileText::saveWithRetry(this, QStringLiteral("Your favorites list"), [this] {
        const UserIDFileResult written = WriteUserIDFile(m_sDataDir, m_bSellers, *m_oUserIDs);
        return ListFileText::Written{written.ok, written.path, written.error};
    });
}

void FFavorites::closeEvent(QCloseEvent *event)
{
    Unload();
    event->accept();
}

void FFavorites::lstFavorites_Click()
{
    ui->cmdDelete->setEnabled(!m_bReadFailed && SortedList::selectedRow(ui->lstFavorites) >= 0);
}

void FFavorites::ViewSelectedUser()
{
    m_sSelectedUserID = SortedList::selectedText(ui->lstFavorites);
    done(QDialog::Accepted);
}

void FFavorites::cmdAdd_Click()
{
    QString entered;
    {
        FAddUserID dialog(this);
        dialog.exec();
        entered = dialog.EnteredUserID();
    }
    if (entered.isEmpty())
        return;
    if (const CUserIDs::Entry entry = m_oUserIDs->Add(entered))
        SortedList::insert(ui->lstFavorites, entry->UserID());
}

void FFavorites::cmdDelete_Click()
{
    const QString removed = SortedList::removeSelected(ui->lstFavorites);
    if (removed.isEmpty())
        return; // no row selected
    m_oUserIDs->Remove(removed);
    lstFavorites_Click();
}
