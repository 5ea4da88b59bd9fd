#include "FUpdateVersion.h"

#include "KeepOpenOnEscape.h"
#include "TwipsPlacement.h"
#include "WindowDesign.h"

#include <QPlainTextEdit>
#include <QPushButton>

FUpdateVersion::FUpdateVersion(QWidget *parent)
    : QDialog(parent)
{
    setFont(windowDesignFont());
    setFixedSize(twipsSize(5415, 3375));

    txtMessage = new QPlainTextEdit(this);
    txtMessage->setObjectName(QStringLiteral("txtMessage"));
    txtMessage->setReadOnly(true);
    txtMessage->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txtMessage->setGeometry(twipsRect(120, 240, 5175, 2175));

    cmdUpdate = new QPushButton(QStringLiteral("&Update Now"), this);
    cmdUpdate->setObjectName(QStringLiteral("cmdUpdate"));
    cmdUpdate->setDefault(true);
    cmdUpdate->setGeometry(twipsRect(780, 2760, 1815, 375));

    cmdDoNotUpgrade = new QPushButton(QStringLiteral("Update &Later"), this);
    cmdDoNotUpgrade->setObjectName(QStringLiteral("cmdDoNotUpgrade"));
    cmdDoNotUpgrade->setAutoDefault(false);
    cmdDoNotUpgrade->setGeometry(twipsRect(2760, 2760, 1815, 375));

    connect(cmdUpdate, &QPushButton::clicked, this, [this] {
        m_bIsUpdate = true;
        accept();
    });
    connect(cmdDoNotUpgrade, &QPushButton::clicked, this, &QDialog::reject);
    cmdUpdate->setFocus();
    keepOpenOnEscape(this); // a choice is asked for: no cancel button
}

void FUpdateVersion::Initialize(const QString &sCaption, const QString &sMessage)
{
    setWindowTitle(sCaption);
    QString shown = sMessage;
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    txtMessage->setPlainText(shown);
}
