#include "FError.h"

#include "ProgramIdentity.h"
#include "Shell.h"
#include "WindowDesign.h"
#include "ui_FError.h"

#include <QApplication>

FError::FError(QString supportAddress, Shell &shell)
    : QDialog(nullptr, Qt::Dialog | Qt::WindowStaysOnTopHint)
    , m_supportAddress(std::move(supportAddress))
    , m_shell(shell)
{
    Ui::FError ui;
    ui.setupUi(this);
    txtError = ui.txtError;
    setAttribute(Qt::WA_DeleteOnClose);
    setFont(windowDesignFont());
    placeForScreen(this);

    // The layout was made for Tahoma; a wider stand-in font may need another line for the
    // label: everything below it moves down by as much, so nothing is cut off.
    const int labelNeeds = ui.lblError->heightForWidth(ui.lblError->width());
    if (labelNeeds > ui.lblError->height()) {
        const int extra = labelNeeds - ui.lblError->height();
        ui.lblError->resize(ui.lblError->width(), labelNeeds);
        for (QWidget *below : {static_cast<QWidget *>(ui.txtError), static_cast<QWidget *>(ui.lblToEmail),
                               static_cast<QWidget *>(ui.cmdEmail), static_cast<QWidget *>(ui.cmdContinue)})
            below->move(below->x(), below->y() + extra);
        setFixedSize(width(), height() + extra);
    }

    connect(ui.cmdEmail, &QPushButton::clicked, this, &FError::cmdEmail_Click);
    connect(ui.cmdContinue, &QPushButton::clicked, this, &QDialog::close);
    ui.cmdEmail->setFocus();
}

void FError::Initialize(const QString &errorText)
{
    sErrorText = errorText;
}

QString FError::errorMailLink(const QString &supportAddress, const QString &errorText)
{
    return QStringLiteral("mailto:") + supportAddress + QStringLiteral("?subject=")
           + ProgramIdentity::title() + QLatin1Char(' ') + ProgramIdentity::versionText()
           + QStringLiteral(" Error&body=") + errorText;
}

void FError::showEvent(QShowEvent *event)
{
    if (!m_loaded) {
        m_loaded = true;
        load();
    }
    QDialog::showEvent(event);
}

void FError::load()
{
    // The text box breaks lines at LF; the report keeps its CR LF for the e-mail.
    QString shown = sErrorText;
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    txtError->setPlainText(shown);
    setWindowTitle(ProgramIdentity::title() + QStringLiteral(" Error"));
    QApplication::beep();
}

void FError::cmdEmail_Click()
{
    m_shell.open(errorMailLink(m_supportAddress, sErrorText));
    close();
}
