#include "FAddUserID.h"

#include "KeepOpenOnEscape.h"
#include "ListFileText.h"
#include "ui_FAddUserID.h"

#include <QMessageBox>

FAddUserID::FAddUserID(QWidget *parent)
    : QDialog(parent)
    , ui(std::make_unique<Ui::FAddUserID>())
{
    ui->setupUi(this);
    ui->txtUserID->setFocus();
    keepOpenOnEscape(this);

    connect(ui->cmdAdd, &QPushButton::clicked, this, &FAddUserID::cmdAdd_Click);
    connect(ui->cmdCancel, &QPushButton::clicked, this, [this] { done(QDialog::Rejected); });
}

FAddUserID::~FAddUserID() = default;

void FAddUserID::cmdAdd_Click()
{
    // A pasted or dropped line break would come back from the file as two IDs.
    const QString refused = ListFileText::unstorable(ui->txtUserID->text(), QStringLiteral("User ID:"), false);
    if (!refused.isEmpty()) {
        QMessageBox::warning(this, QStringLiteral("Cannot Add"), refused);
        ui->txtUserID->setFocus();
        return;
    }
    m_sEnteredUserID = ui->txtUserID->text();
    done(QDialog::Accepted);
}
