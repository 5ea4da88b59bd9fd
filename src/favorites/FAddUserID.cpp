#include "FAddUserID.h"

#include "KeepOpenOnEscape.h"
#include "ListFileText.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

#include <limits>

FAddUserID::FAddUserID(QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Add a User ID to Favorites"));

    lblUserID = new QLabel(QStringLiteral("&User ID:"), this);
    lblUserID->setObjectName(QStringLiteral("lblUserID"));
    txtUserID = new QLineEdit(this);
    txtUserID->setObjectName(QStringLiteral("txtUserID"));
    txtUserID->setToolTip(QStringLiteral("Enter an eBay User ID to add to the favorites list."));
    txtUserID->setMaxLength(std::numeric_limits<int>::max());
    lblUserID->setBuddy(txtUserID);

    cmdAdd = new QPushButton(QStringLiteral("&Add"), this);
    cmdAdd->setObjectName(QStringLiteral("cmdAdd"));
    cmdAdd->setToolTip(QStringLiteral("Add the User in the box above to the favorites list"));
    cmdAdd->setDefault(true);
    cmdCancel = new QPushButton(QStringLiteral("&Cancel"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    cmdCancel->setToolTip(
        QStringLiteral("Close this box and return to the favorites list without adding a user."));

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdAdd);
    buttons->addWidget(cmdCancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(lblUserID);
    layout->addWidget(txtUserID);
    layout->addLayout(buttons);
    setMinimumWidth(360);

    setTabOrder(txtUserID, cmdAdd);
    setTabOrder(cmdAdd, cmdCancel);
    txtUserID->setFocus();
    keepOpenOnEscape(this);

    connect(cmdAdd, &QPushButton::clicked, this, &FAddUserID::cmdAdd_Click);
    connect(cmdCancel, &QPushButton::clicked, this, [this] { done(QDialog::Rejected); });
}

void FAddUserID::cmdAdd_Click()
{
    // A pasted or dropped line break would come back from the file as two IDs.
    const QString refused = ListFileText::unstorable(txtUserID->text(), QStringLiteral("User ID:"), false);
    if (!refused.isEmpty()) {
        QMessageBox::warning(this, QStringLiteral("Cannot Add"), refused);
        txtUserID->setFocus();
        return;
    }
    m_sEnteredUserID = txtUserID->text();
    done(QDialog::Accepted);
}
