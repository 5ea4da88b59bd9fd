#include "AuctionRow.h"

#include "AddressBox.h"
#include "MainLayout.h"
#include "NavigationToolbar.h"
#include "PanePair.h"
#include "TabControl.h"
#include "ToolBarName.h"
#include "ToolbarIcons.h"
#include "Twips.h"

#include <QToolBar>

namespace {

constexpr int kIconSize = 14;

QToolBar *smallBar(const char *name, const char *spoken, Qt::ToolButtonStyle style, QWidget *parent)
{
    auto *bar = new QToolBar(parent);
    bar->setObjectName(QString::fromLatin1(name));
    nameToolBar(bar, QString::fromLatin1(spoken));
    bar->setMovable(false);
    bar->setToolButtonStyle(style);
    bar->setIconSize(QSize(kIconSize, kIconSize));
    bar->setStyleSheet(NavigationToolbar::flatStyle(7.5));
    return bar;
}

} // namespace

AuctionRow::AuctionRow(TabControl *tabs)
    : QObject(tabs)
    , m_snipeBar(smallBar("tbrSnipe", "Snipe", Qt::ToolButtonTextBesideIcon, tabs))
    , m_snipe(m_snipeBar->addAction(snipeIcon(), QStringLiteral("Snipe!")))
    , m_address(new AddressBox(tabs))
    , m_goBar(smallBar("tbrGo", "Go", Qt::ToolButtonTextOnly, tabs))
{
    m_snipe->setObjectName(QStringLiteral("tbrSnipe.Buttons(1)"));
    QAction *go = m_goBar->addAction(QStringLiteral("Go!  "));
    go->setObjectName(QStringLiteral("tbrGo.Buttons(1)"));
    // The button shows the icon text, which Qt would make from the caption without its blanks.
    go->setIconText(go->text());
    connect(go, &QAction::triggered, this, [this] {
        if (!m_address->currentText().isEmpty())
            emit goClicked(m_address->currentText());
    });
    for (QWidget *control : {static_cast<QWidget *>(m_snipeBar), static_cast<QWidget *>(m_address),
                             static_cast<QWidget *>(m_goBar)})
        tabs->addControl(PanePair::kAuctionTab, control);
}

QIcon AuctionRow::snipeIcon()
{
    return ToolbarIcons::snipe();
}

void AuctionRow::place(const MainLayout &layout)
{
    using namespace MainDesign;
    m_snipeBar->setGeometry(Twips::rect(kSnipeBarLeft, kSnipeBarTop, kSnipeBarWidth, kSnipeBarHeight));
    // The platform's combo box may need a few pixels more than the design height; it gets
    // them downwards, where the row has room above the panes.
    QRect address = Twips::rect(kAddressLeft, kAddressTop, layout.addressWidth, kAddressHeight);
    address.setHeight(qMax(address.height(), m_address->minimumSizeHint().height()));
    m_address->setGeometry(address);
    m_goBar->setGeometry(Twips::rect(layout.goLeft, kGoTop, kGoWidth, kGoHeight));
}
