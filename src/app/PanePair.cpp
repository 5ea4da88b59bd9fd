#include "PanePair.h"

#include "TabControl.h"

PanePair::PanePair(const BrowserPaneFactory &factory, TabControl *tabs)
    : QObject(tabs)
    , m_tabs(tabs)
    , m_talvex(factory(PaneKind::Talvex, tabs))
    , m_auction(factory(PaneKind::Auction, tabs))
{
    m_talvex->setObjectName(QStringLiteral("brwSnipe"));
    m_auction->setObjectName(QStringLiteral("brwAuction"));
    tabs->addControl(kTalvexTab, m_talvex);
    tabs->addControl(kAuctionTab, m_auction);
    watch(m_talvex, true);
    watch(m_auction, false);
    connect(tabs, &TabControl::Click, this, [this] {
        emit currentChanged(isSnipePaneCurrent());
        // Right after a tab change the status tells whether the pane is loading, not what it
        // said last while hidden.
        emit currentStatusText(current()->Busy() ? QStringLiteral("Working . . .") : QStringLiteral("Done"));
        emit stateChanged();
    });
}

void PanePair::watch(BrowserPane *pane, bool talvex)
{
    History &history = talvex ? m_talvexHistory : m_auctionHistory;
    connect(pane, &BrowserPane::StatusTextChange, this, [this, pane](const QString &text) {
        if (pane == current())
            emit currentStatusText(text);
    });
    connect(pane, &BrowserPane::CommandStateChange, this, [this, &history](int command, bool enable) {
        if (command == BrowserPane::CommandForward)
            history.forward = enable;
        else if (command == BrowserPane::CommandBack)
            history.back = enable;
        emit stateChanged();
    });
    connect(pane, &BrowserPane::DownloadComplete, this, &PanePair::stateChanged);
    if (talvex) {
        connect(pane, &BrowserPane::NavigateComplete2, this, &PanePair::stateChanged);
    } else {
        connect(pane, &BrowserPane::ProgressChange, this, &PanePair::stateChanged);
        connect(pane, &BrowserPane::NavigateComplete2, this, [this] {
            emit auctionNavigated(m_auction->LocationURL());
            emit stateChanged();
        });
    }
}

BrowserPane *PanePair::current() const
{
    return isSnipePaneCurrent() ? m_talvex : m_auction;
}

bool PanePair::isSnipePaneCurrent() const
{
    return m_tabs->Tab() == kTalvexTab;
}

void PanePair::setCurrent(int tab)
{
    m_tabs->setTab(tab);
}

bool PanePair::canGoBack(bool bIsSnipePane) const
{
    return bIsSnipePane ? m_talvexHistory.back : m_auctionHistory.back;
}

bool PanePair::canGoForward(bool bIsSnipePane) const
{
    return bIsSnipePane ? m_talvexHistory.forward : m_auctionHistory.forward;
}

void PanePair::GoBack(bool bIsSnipePane)
{
    if (canGoBack(bIsSnipePane))
        (bIsSnipePane ? m_talvex : m_auction)->GoBack();
}

void PanePair::GoForward(bool bIsSnipePane)
{
    if (canGoForward(bIsSnipePane))
        (bIsSnipePane ? m_talvex : m_auction)->GoForward();
}
