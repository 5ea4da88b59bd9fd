#include "FAbout.h"

#include "HelpLinks.h"
#include "ProgramIdentity.h"
#include "Shell.h"
#include "SysInfo.h"
#include "WindowDesign.h"
#include "ui_FAbout.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>

FAbout::FAbout(const HelpLinks &links, QWidget *parent)
    : QDialog(parent)
    , ui(std::make_unique<Ui::FAbout>())
    , m_links(links)
{
    ui->setupUi(this);
    setFont(windowDesignFont());
    ui->Image1->setPixmap(logo(48));
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

QPixmap FAbout::logo(int size)
{
    const qreal ratio = qGuiApp ? qGuiApp->devicePixelRatio() : 1.0;
    QPixmap pixmap(QSize(size, size) * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);

    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF box(1, 1, size - 2, size - 2);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 51, 153));
    p.drawRoundedRect(box, size / 6.0, size / 6.0);

    // A clock face: the bid that lands in the last seconds.
    const QPointF centre = box.center();
    const qreal r = size * 0.34;
    p.setBrush(Qt::white);
    p.drawEllipse(centre, r, r);
    p.setBrush(QColor(255, 153, 0));
    QPainterPath lastSeconds;
    lastSeconds.moveTo(centre);
    lastSeconds.arcTo(QRectF(centre.x() - r, centre.y() - r, 2 * r, 2 * r), 90, 36);
    lastSeconds.closeSubpath();
    p.drawPath(lastSeconds);
    p.setPen(QPen(QColor(0, 51, 153), size / 16.0, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(centre, centre + QPointF(0, -r * 0.8));
    p.drawLine(centre, centre + QPointF(r * 0.55, 0));
    return pixmap;
}
