#include "FFavorites.h"

#include "FAddUserID.h"
#include "KeepOpenOnEscape.h"
#include "ListFileText.h"
#include "SortedList.h"
#include "UserIDFile.h"
#include "ProgramEnd.h"

#include <QCloseEvent>
#include <QDir>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>

FFavorites::FFavorites(QString programDir, QWidget *parent)
    : QDialog(parent)
    , m_sProgramDir(std::move(programDir))
    , m_oUserIDs(std::make_unique<CUserIDs>())
{
    lstFavorites = new QListWidget(this);
    lstFavorites->setObjectName(QStringLiteral("lstFavorites"));
    lstFavorites->setToolTip(QStringLiteral(
        "Double-click any user ID to view the auctions associated with that user in Talvex Bidbench."));
    lstFavorites->setSelectionMode(QAbstractItemView::SingleSelection);
    lstFavorites->setUniformItemSizes(true); // long lists lay out at once

    cmdGetInfo = new QPushButton(QStringLiteral("&Go!"), this);
    cmdGetInfo->setObjectName(QStringLiteral("cmdGetInfo"));
    cmdGetInfo->setToolTip(
        QStringLiteral("View the items associated with the user highlighted in the box to the left."));
    cmdGetInfo->setDefault(true);

    cmdAdd = new QPushButton(QStringLiteral("&Add User ID.."), this);
    cmdAdd->setObjectName(QStringLiteral("cmdAdd"));
    cmdAdd->setToolTip(QStringLiteral("Add a User ID to the favorites list."));

    cmdDelete = new QPushButton(QStringLiteral("&Delete"), this);
    cmdDelete->setObjectName(QStringLiteral("cmdDelete"));
    cmdDelete->setToolTip(QStringLiteral("Delete the highlighted user from the favorites list."));
    cmdDelete->setEnabled(false);

    cmdClose = new QPushButton(QStringLiteral("&Close"), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    cmdClose->setToolTip(QStringLiteral("Close favorites list and return to Talvex Bidbench."));

    lblDoubleClick = new QLabel(QStringLiteral("Double-click a User ID or highlight and press Go!"), this);
    lblDoubleClick->setObjectName(QStringLiteral("lblDoubleClick"));

    lblReadFailed = new QLabel(this);
    lblReadFailed->setObjectName(QStringLiteral("lblReadFailed"));
    lblReadFailed->setWordWrap(true);
    lblReadFailed->hide();

    auto *layout = new QGridLayout(this);
    layout->addWidget(lstFavorites, 0, 0, 5, 1);
    layout->addWidget(cmdGetInfo, 0, 1);
    layout->addWidget(cmdAdd, 1, 1);
    layout->addWidget(cmdDelete, 2, 1);
    layout->addWidget(cmdClose, 3, 1);
    layout->setRowStretch(4, 1);
    layout->addWidget(lblDoubleClick, 5, 0, 1, 2);
    layout->addWidget(lblReadFailed, 6, 0, 1, 2);
    layout->setColumnStretch(0, 1);
    resize(420, 320);

    setTabOrder(lstFavorites, cmdGetInfo);
    setTabOrder(cmdGetInfo, cmdAdd);
    setTabOrder(cmdAdd, cmdDelete);
    setTabOrder(cmdDelete, cmdClose);
    keepOpenOnEscape(this);

    connect(lstFavorites, &QListWidget::itemSelectionChanged, this, &FFavorites::lstFavorites_Click);
    connect(lstFavorites, &QListWidget::itemDoubleClicked, this, &FFavorites::ViewSelectedUser);
    connect(cmdGetInfo, &QPushButton::clicked, this, &FFavorites::ViewSelectedUser);
    connect(cmdAdd, &QPushButton::clicked, this, &FFavorites::cmdAdd_Click);
    connect(cmdDelete, &QPushButton::clicked, this, &FFavorites::cmdDelete_Click);
    connect(cmdClose, &QPushButton::clicked, this, &FFavorites::Unload);
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
    const UserIDFileResult read = ReadUserIDFile(m_sProgramDir, m_bSellers, *m_oUserIDs);
    m_bReadFailed = !read.ok;
    SortedList::fill(lstFavorites, m_oUserIDs->ids());
    lstFavorites->clearSelection();
    cmdDelete->setEnabled(false);

    // The list is never saved then: additions would be lost at close without a word.
    cmdAdd->setEnabled(!m_bReadFailed);
    if (m_bReadFailed) {
        lblReadFailed->setText(ListFileText::unreadable(read.path, read.error));
        lblReadFailed->show();
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
    for (;;) {
        const UserIDFileResult written = WriteUserIDFile(m_sProgramDir, m_bSellers, *m_oUserIDs);
        if (written.ok)
            return;
        const auto answer = QMessageBox::warning(
            this, windowTitle(),
            QStringLiteral("Your favorites list could not be saved to\n%1\n\n%2\n\n"
                           "The file was left as it was. Retry to try again, or Cancel to "
                           "close without saving your changes.")
                .arg(QDir::toNativeSeparators(written.path), written.error),
            QMessageBox::Retry | QMessageBox::Cancel, QMessageBox::Retry);
        if (answer != QMessageBox::Retry)
            return;
    }
}

void FFavorites::closeEvent(QCloseEvent *event)
{
    Unload();
    event->accept();
}

void FFavorites::lstFavorites_Click()
{
    cmdDelete->setEnabled(!m_bReadFailed && SortedList::selectedRow(lstFavorites) >= 0);
}

void FFavorites::ViewSelectedUser()
{
    m_sSelectedUserID = SortedList::selectedText(lstFavorites);
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
        SortedList::insert(lstFavorites, entry->UserID());
}

void FFavorites::cmdDelete_Click()
{
    const QString removed = SortedList::removeSelected(lstFavorites);
    if (removed.isEmpty())
        return; // no row selected
    m_oUserIDs->Remove(removed);
    lstFavorites_Click();
}
