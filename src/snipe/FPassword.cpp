#include "FPassword.h"

#include "TalvexCredentials.h"
#include "ui_FPassword.h"

#include <QMessageBox>
#include <QPushButton>

FPassword::FPassword(SettingsStore &settings, QWidget *parent)
    : QDialog(parent)
    , ui(std::make_unique<Ui::FPassword>())
    , m_settings(settings)
{
    ui->setupUi(this);
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

void FPassword::cmdSave_Click()
{
    const TalvexCredentials typed{ui->txtUser->text(), ui->txtPassword->text()};
    if (!typed.save(m_settings)) {
        QMessageBox::warning(this, windowTitle(),
                             tr("Your Talvex user name and password could not be saved. They "
                                "are kept until Bidbench ends."));
    }
    m_sUser = typed.user;
    m_sPassword = typed.password;
    accept();
}

// Cancel, Escape and the close box all end here; QDialog turns a close into reject().
void FPassword::reject()
{
    m_bCancelled = true;
    QDialog::reject();
}
