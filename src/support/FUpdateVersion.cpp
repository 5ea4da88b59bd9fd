#include "FUpdateVersion.h"

#include "KeepOpenOnEscape.h"
#include "WindowDesign.h"
#include "ui_FUpdateVersion.h"

FUpdateVersion::FUpdateVersion(QWidget *parent)
    : QDialog(parent)
    , ui(std::make_unique<Ui::FUpdateVersion>())
{
    ui->setupUi(this);
    cmdUpdate = ui->cmdUpdate;
    setFont(windowDesignFont());
    placeForScreen(this);

    connect(ui->cmdUpdate, &QPushButton::clicked, this, [this] {
        m_bIsUpdate = true;
        accept();
    });
    connect(ui->cmdDoNotUpgrade, &QPushButton::clicked, this, &QDialog::reject);
    ui->cmdUpdate->setFocus();
    keepOpenOnEscape(this); // a choice is asked for: no cancel button
}

FUpdateVersion::~FUpdateVersion() = default;

void FUpdateVersion::Initialize(const QString &sCaption, const QString &sMessage)
{
    setWindowTitle(sCaption);
    QString shown = sMessage;
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    ui->txtMessage->setPlainText(shown);
}
