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
    for (auto [pane, name] : {std::pair{m_talvex, "Talvex page"}, {m_auction, "Auction page"}}) {
        for (QWidget *named = pane; named; named = named->focusProxy())
            named->setAccessibleName(QString::fromLatin1(name));
    }
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

void PanePair::watch(BrowserPane *watched, bool talvex)
{
    connect(watched, &BrowserPane::StatusTextChange, this, [this, watched](const QString &text) {
        if (watched == current())
            emit currentStatusText(text);
    });
    connect(watched, &BrowserPane::CommandStateChange, this, &PanePair::stateChanged);
    connect(watched, &BrowserPane::DownloadComplete, this, &PanePair::stateChanged);
    if (talvex) {
        connect(watched, &BrowserPane::NavigateComplete2, this, &PanePair::stateChanged);
    } else {
        connect(watched, &BrowserPane::ProgressChange, this, &PanePair::stateChanged);
        connect(watched, &BrowserPane::NavigateComplete2, this, [this] {
            emit auctionNavigated(m_auction->LocationURL());
            emit stateChanged();
        });
    }
}

BrowserPane *PanePair::current() const
{
    return pane(isSnipePaneCurrent());
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
    return pane(bIsSnipePane)->canGoBack();
}

bool PanePair::canGoForward(bool bIsSnipePane) const
{
    return pane(bIsSnipePane)->canGoForward();
}

void PanePair::GoBack(bool bIsSnipePane)
{
    if (canGoBack(bIsSnipePane))
        pane(bIsSnipePane)->GoBack();
}

void PanePair::GoForward(bool bIsSnipePane)
{
    if (canGoForward(bIsSnipePane))
        pane(bIsSnipePane)->GoForward();
}
