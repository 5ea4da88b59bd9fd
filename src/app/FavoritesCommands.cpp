#include "FavoritesCommands.h"

#include "BrowserHelper.h"
#include "BrowserPane.h"
#include "FFavoriteSearches.h"
#include "FFavorites.h"
#include "FIEFavorites.h"
#include "UserItemsURL.h"

#include <QFileDialog>

FavoritesCommands::FavoritesCommands(const AppContext &context, QWidget *window, BrowserPane *auctionPane,
                                     Show showInAuctionBrowser)
    : QObject(window)
    , m_context(context)
    , m_window(window)
    , m_auctionPane(auctionPane)
    , m_show(std::move(showInAuctionBrowser))
{
}

void FavoritesCommands::ShowFavoriteUsers(bool bSellers)
{
    QString sUserID;
    {
        FFavorites window(m_context.dataDir, m_window);
        window.Initialize(bSellers);
        window.exec();
        sUserID = window.SelectedUserID();
        window.Unload(); // saves the list
    }
    if (!sUserID.isEmpty())
        m_show(GetUserItemsURL(m_context.destinations, sUserID, bSellers));
}

void FavoritesCommands::ShowFavoriteSearches()
{
    QString sURL;
    {
        FFavoriteSearches window(m_context.dataDir, m_context.destinations.searchDomains,
                                 m_context.shell, m_window);
        window.exec();
        sURL = window.SearchURL();
        window.Unload(); // saves the searches
    }
    if (!sURL.isEmpty())
        m_show(sURL);
}

void FavoritesCommands::ShowBrowserFavorites()
{
    QString sURL;
    {
        // A fresh window each time, so favourites added or imported meanwhile show.
        FIEFavorites window(m_window);
        window.exec();
        sURL = window.URL();
    }
    if (!sURL.isEmpty())
        m_show(sURL);
}

BrowserHelper *FavoritesCommands::browserHelper()
{
    if (!m_oBrowserHelper)
        m_oBrowserHelper = new BrowserHelper(this);
    return m_oBrowserHelper;
}

void FavoritesCommands::AddCurrentPageToFavorites()
{
    browserHelper()->AddPage(m_auctionPane->LocationURL(), m_auctionPane->LocationName(), m_window);
}

void FavoritesCommands::ShowEntry(const QString &key)
{
    if (key == QLatin1String("Favorites"))
        ShowBrowserFavorites();
    else if (key == QLatin1String("Searches"))
        ShowFavoriteSearches();
    else if (key == QLatin1String("Sellers") || key == QLatin1String("Bidders"))
        ShowFavoriteUsers(key == QLatin1String("Sellers"));
}

void FavoritesCommands::ImportFavorites()
{
    QString sFile;
    {
        // Made for each choice and gone before the import runs: a kept dialog's name completer
        // can pop up again after the dialog has closed and then holds the keyboard.
        QFileDialog CommonDialog1(m_window);
        CommonDialog1.setObjectName(QStringLiteral("CommonDialog1"));
        sFile = BrowserHelper::chooseBookmarkFile(CommonDialog1);
    }
    if (!sFile.isEmpty()) // cancelled: nothing to say
        browserHelper()->ImportFavorites(sFile, m_window);
}
