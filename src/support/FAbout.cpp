#include "FAbout.h"

#include "HelpLinks.h"
#include "Pictures.h"
#include "ProgramIdentity.h"
#include "Shell.h"
#include "SysInfo.h"
#include "WindowDesign.h"
#include "ui_FAbout.h"


FAbout::FAbout(const HelpLinks &links, QWidget *parent)
    : QDialog(parent)
    , ui(std::make_unique<Ui::FAbout>())
    , m_links(links)
{
    ui->setupUi(this);
    setFont(windowDesignFont());
    ui->Image1->setPixmap(Pictures::applicationIcon().pixmap(QSize(48, 48), devicePixelRatioF()));
    ui->lblMardell->setText(m_links.destinations().talvexWebHost);
    ui->lblMardell->restoreLookOver({this, ui->lblDescription});

    // OK is both default and cancel button: Enter and Esc close the box.
    connect(ui->cmdOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(ui->cmdSysInfo, &QPushButton::clicked, this,
            [this] { StartSysInfo(m_links.shell(), this); });
    connect(ui->lblMardell, &LinkLabel::clicked, this,
            [this] { m_links.shell().open(m_links.talvexWebSite()); });

    load();
}

FAbout::~FAbout() = default;

void FAbout::load()
{
    ui->lblVersion->setText(QStringLiteral("Version ") + ProgramIdentity::versionText());
    ui->lblTitle->setText(ProgramIdentity::title());
}
