#include "AuctionRow.h"

#include "AddressBox.h"
#include "MainLayout.h"
#include "PanePair.h"
#include "TabControl.h"
#include "ToolBarName.h"
#include "ToolbarIcons.h"
#include "Twips.h"

#include <QToolBar>

namespace {

constexpr int kIconSize = 14;

// Lower and narrower than the navigation bar, so without the platform style's padding.
QToolBar *smallBar(const char *name, const char *spoken, Qt::ToolButtonStyle style, QWidget *parent)
{
    auto *bar = new QToolBar(parent);
    bar->setObjectName(QString::fromLatin1(name));
    nameToolBar(bar, QString::fromLatin1(spoken));
    bar->setMovable(false);
    bar->setToolButtonStyle(style);
    bar->setIconSize(QSize(kIconSize, kIconSize));
    bar->setStyleSheet(QStringLiteral(
        "QToolBar { padding: 0px; spacing: 0px; border: none; background: transparent; }"
        "QToolButton { font-size: 7.5pt; padding: 0px; border: none; border-radius: 3px; }"
        "QToolButton:hover { background: #dce7f5; }"
        "QToolButton:pressed { background: #c4d4ea; }"
        "QToolButton:disabled { color: #9a9a9a; }"));
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
    const auto x = [](int twips) { return Twips::toPixelsX(twips); };
    const auto y = [](int twips) { return Twips::toPixelsY(twips); };
    m_snipeBar->setGeometry(x(kSnipeBarLeft), y(kSnipeBarTop), x(kSnipeBarWidth), y(kSnipeBarHeight));
    // The platform's combo box may need a few pixels more than the design height; it gets
    // them downwards, where the row has room above the panes.
    m_address->setGeometry(x(kAddressLeft), y(kAddressTop), x(layout.addressWidth),
                           qMax(y(kAddressHeight), m_address->minimumSizeHint().height()));
    m_goBar->setGeometry(x(layout.goLeft), y(kGoTop), x(kGoWidth), y(kGoHeight));
}
