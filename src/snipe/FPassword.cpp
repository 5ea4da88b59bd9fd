#include "FPassword.h"

#include "TalvexCredentials.h"
#include "ui_FPassword.h"

#include <QDir>
#include <QMessageBox>
#include <QPushButton>

FPassword::FPassword(TalvexCredentials &credentials, QWidget *parent)
    : QDialog(parent)
    , ui(std::make_unique<Ui::FPassword>())
    , m_credentials(credentials)
{
    ui->setupUi(this);
    showWhereKept();
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    connect(ui->cmdSave, &QPushButton::clicked, this, &FPassword::cmdSave_Click);
    connect(ui->cmdCancel, &QPushButton::clicked, this, &FPassword::reject);
    ui->txtUser->setFocus();
}

FPassword::~FPassword() = default;

void FPassword::SetCredentials(const QString &sUser, const QString &sPassword)
{
    ui->txtUser->setText(sUser);
    ui->txtPassword->setText(sPassword);
}

void FPassword::showWhereKept()
{
    if (m_credentials.keeper() == TalvexCredentials::Keeper::SecretStore) {
        ui->lblKeptIn->setText(tr("Your password is kept in the desktop's secret store."));
        return;
    }
    QString file = QDir::toNativeSeparators(m_credentials.settingsFile());
    if (const QString home = QDir::homePath(); file.startsWith(home + QLatin1Char('/')))
        file = QLatin1Char('~') + file.mid(home.size());
    ui->lblKeptIn->setText(tr("Your password is kept in %1, readable only by you.").arg(file));
}

void FPassword::cmdSave_Click()
{
    m_sUser = ui->txtUser->text();
    m_sPassword = ui->txtPassword->text();
    m_bIsSaving = true;
    ui->cmdSave->setEnabled(false);
    ui->cmdCancel->setEnabled(false);
    connect(&m_credentials, &TalvexCredentials::saved, this, [this](bool ok) {
        m_bIsSaving = false;
        if (!ok) {
            QMessageBox::warning(this, windowTitle(),
                                 tr("Your Talvex user name and password could not be saved. They "
                                    "are kept until Bidbench ends."));
        }
        accept();
    }, Qt::SingleShotConnection);
    m_credentials.save(m_sUser, m_sPassword);
}

// Cancel, Escape and the close box all end here; QDialog turns a close into reject().
void FPassword::reject()
{
    if (m_bIsSaving)
        return;
    m_bCancelled = true;
    QDialog::reject();
}
