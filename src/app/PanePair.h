#pragma once

#include "BrowserPane.h"

#include <QObject>

class TabControl;

// The Talvex pane (tab 0) and the auction pane (tab 1). Which one is current follows the
// tab control alone. Only the current pane's status text is passed on, and a tab change
// sends the new pane's whole state, as any change of it would.
class PanePair : public QObject
{
    Q_OBJECT

public:
    static constexpr int kTalvexTab = 0;
    static constexpr int kAuctionTab = 1;

    PanePair(const BrowserPaneFactory &factory, TabControl *tabs);

    BrowserPane *talvex() const { return m_talvex; }
    BrowserPane *auction() const { return m_auction; }
    BrowserPane *current() const;
    bool isSnipePaneCurrent() const;
    void setCurrent(int tab); // the tab change runs when the tab really changes

    // Back and Forward act only where the pane has history to go to.
    bool canGoBack(bool bIsSnipePane) const;
    bool canGoForward(bool bIsSnipePane) const;
    void GoBack(bool bIsSnipePane);
    void GoForward(bool bIsSnipePane);

signals:
    void currentStatusText(const QString &text);
    void currentChanged(bool snipePaneCurrent);
    // The address box follows the auction pane's page, whichever tab is shown.
    void auctionNavigated(const QString &url);
    // Anything the window's command state shows may have changed.
    void stateChanged();

private:
    void watch(BrowserPane *watched, bool talvex);
    BrowserPane *pane(bool talvex) const { return talvex ? m_talvex : m_auction; }

    TabControl *m_tabs;
    BrowserPane *m_talvex;
    BrowserPane *m_auction;
};
