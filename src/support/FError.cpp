#include "FError.h"

#include "ProgramIdentity.h"
#include "Shell.h"
#include "TwipsPlacement.h"
#include "WindowDesign.h"

#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

FError::FError(QString supportAddress, Shell &shell)
    : QDialog(nullptr, Qt::Dialog | Qt::WindowStaysOnTopHint)
    , m_supportAddress(std::move(supportAddress))
    , m_shell(shell)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setFont(windowDesignFont());
    setFixedSize(twipsSize(4635, 3855));

    lblError = new QLabel(this);
    lblError->setObjectName(QStringLiteral("lblError"));
    lblError->setTextFormat(Qt::PlainText);
    lblError->setWordWrap(true);
    lblError->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblError->setText(QStringLiteral("An error has occured in this application.  The application "
                                     "has returned the following information about this error:<0253>"));
    lblError->setGeometry(twipsRect(120, 120, 4395, 435));

    txtError = new QPlainTextEdit(this);
    txtError->setObjectName(QStringLiteral("txtError"));
    txtError->setReadOnly(true);
    txtError->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txtError->setGeometry(twipsRect(120, 600, 4395, 1575));

    lblToEmail = new QLabel(this);
    lblToEmail->setObjectName(QStringLiteral("lblToEmail"));
    lblToEmail->setGeometry(twipsRect(120, 2340, 4395, 675));

    cmdEmail = new QPushButton(QStringLiteral("&Send Error"), this);
    cmdEmail->setObjectName(QStringLiteral("cmdEmail"));
    cmdEmail->setDefault(true);
    cmdEmail->setAutoDefault(true);
    cmdEmail->setGeometry(twipsRect(900, 3360, 1275, 375));

    cmdContinue = new QPushButton(QStringLiteral("&Continue"), this);
    cmdContinue->setObjectName(QStringLiteral("cmdContinue"));
    cmdContinue->setAutoDefault(false);
    cmdContinue->setGeometry(twipsRect(2400, 3360, 1275, 375));

    // The layout was made for Tahoma; a wider stand-in font may need another line for the
    // label: everything below it moves down by as much, so nothing is cut off.
    const int labelNeeds = lblError->heightForWidth(lblError->width());
    if (labelNeeds > lblError->height()) {
        const int extra = labelNeeds - lblError->height();
        lblError->resize(lblError->width(), labelNeeds);
        for (QWidget *below : {static_cast<QWidget *>(txtError), static_cast<QWidget *>(lblToEmail),
                               static_cast<QWidget *>(cmdEmail), static_cast<QWidget *>(cmdContinue)})
            below->move(below->x(), below->y() + extra);
        setFixedSize(width(), height() + extra);
    }

    connect(cmdEmail, &QPushButton::clicked, this, &FError::cmdEmail_Click);
    connect(cmdContinue, &QPushButton::clicked, this, &QDialog::close);
    cmdEmail->setFocus();
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
