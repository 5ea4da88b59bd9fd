#pragma once

#include "AppContext.h"

#include <QObject>

#include <functional>

class BrowserHelper;
class BrowserPane;
class QWidget;

// The favourites commands of the main window: each window is made fresh, shown modally over
// the main window, and what the user chose there is shown in the auction pane.
class FavoritesCommands : public QObject
{
    Q_OBJECT

public:
    using Show = std::function<void(const QString &url)>;

    FavoritesCommands(const AppContext &context, QWidget *window, BrowserPane *auctionPane,
                      Show showInAuctionBrowser);

    void ShowFavoriteUsers(bool bSellers);
    void ShowFavoriteSearches();
    void ShowBrowserFavorites();
    // Always the auction pane's page, whatever tab is shown.
    void AddCurrentPageToFavorites();
    void ImportFavorites();
    // The navigation toolbar's Favorites drop-down, by the entry's key; other keys do nothing.
    void ShowEntry(const QString &key);

private:
    BrowserHelper *browserHelper(); // made on first use, kept until the window goes

    const AppContext &m_context;
    QWidget *m_window;
    BrowserPane *m_auctionPane;
    Show m_show;
    BrowserHelper *m_oBrowserHelper = nullptr;
};
