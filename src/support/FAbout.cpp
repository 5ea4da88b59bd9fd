#include "FAbout.h"

#include "HelpLinks.h"
#include "LinkLabel.h"
#include "ProgramIdentity.h"
#include "Shell.h"
#include "SysInfo.h"
#include "WindowDesign.h"

#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
QFrame *separator(QWidget *parent)
{
    auto *line = new QFrame(parent);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}
} // namespace

FAbout::FAbout(const HelpLinks &links, QWidget *parent)
    : QDialog(parent)
    , m_links(links)
{
    setWindowTitle(QStringLiteral("About Bidbench"));
    setFont(windowDesignFont());
    setMouseTracking(true);

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(logo(48));
    Image1->setAlignment(Qt::AlignTop);

    lblTitle = new QLabel(this);
    lblTitle->setObjectName(QStringLiteral("lblTitle"));
    QFont titleFont = lblTitle->font();
    titleFont.setPointSize(14);
    titleFont.setBold(true);
    lblTitle->setFont(titleFont);

    lblVersion = new QLabel(this);
    lblVersion->setObjectName(QStringLiteral("lblVersion"));

    lblDescription = new QLabel(
        QStringLiteral("Talvex Bidbench allows you to place bids in the waning moments of online "
                       "auctions.  Visit us at:"),
        this);
    lblDescription->setObjectName(QStringLiteral("lblDescription"));
    lblDescription->setWordWrap(true);
    lblDescription->setMouseTracking(true);
    lblDescription->installEventFilter(this);

    lblMardell = new LinkLabel(m_links.destinations().talvexWebHost, this);
    lblMardell->setObjectName(QStringLiteral("lblMardell"));

    lblDisclaimer = new QLabel(
        QStringLiteral("Talvex Bidbench is distributed free of charge and without warranty of any "
                       "kind. Talvex is a trademark of its owner; eBay is a trademark of eBay Inc. "
                       "All other names belong to their owners."),
        this);
    lblDisclaimer->setObjectName(QStringLiteral("lblDisclaimer"));
    lblDisclaimer->setWordWrap(true);

    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    cmdSysInfo = new QPushButton(QStringLiteral("&System Info..."), this);
    cmdSysInfo->setObjectName(QStringLiteral("cmdSysInfo"));
    cmdSysInfo->setAutoDefault(false);

    auto *text = new QVBoxLayout;
    text->addWidget(lblTitle);
    text->addWidget(lblVersion);
    text->addSpacing(8);
    text->addWidget(lblDescription);
    text->addWidget(lblMardell, 0, Qt::AlignLeft);
    text->addStretch();

    auto *top = new QHBoxLayout;
    top->addWidget(Image1, 0, Qt::AlignTop);
    top->addSpacing(8);
    top->addLayout(text, 1);

    auto *buttons = new QVBoxLayout;
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdSysInfo);
    buttons->addStretch();

    auto *bottom = new QHBoxLayout;
    bottom->addWidget(lblDisclaimer, 1);
    bottom->addSpacing(8);
    bottom->addLayout(buttons);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(separator(this));
    layout->addWidget(separator(this));
    layout->addLayout(bottom);
    setFixedWidth(400);

    // OK is both default and cancel button: Enter and Esc close the box.
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmdSysInfo, &QPushButton::clicked, this,
            [this] { StartSysInfo(m_links.shell(), this); });
    connect(lblMardell, &LinkLabel::clicked, this,
            [this] { m_links.shell().open(m_links.talvexWebSite()); });

    load();
}

void FAbout::load()
{
    lblVersion->setText(QStringLiteral("Version ") + ProgramIdentity::versionText());
    lblTitle->setText(ProgramIdentity::title());
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

void FAbout::restoreLinkOverBackground(const QPoint &pos)
{
    if (!childAt(pos))
        lblMardell->restoreLook();
}

void FAbout::mouseMoveEvent(QMouseEvent *event)
{
    restoreLinkOverBackground(event->position().toPoint());
    QDialog::mouseMoveEvent(event);
}

void FAbout::mouseReleaseEvent(QMouseEvent *event)
{
    restoreLinkOverBackground(event->position().toPoint());
    QDialog::mouseReleaseEvent(event);
}

bool FAbout::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == lblDescription
        && (event->type() == QEvent::MouseMove || event->type() == QEvent::MouseButtonRelease))
        lblMardell->restoreLook();
    return QDialog::eventFilter(watched, event);
}
