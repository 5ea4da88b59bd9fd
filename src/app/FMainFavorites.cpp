// The main window's side of the favourite sellers, bidders and searches.
#include "FMain.h"

#include "FFavoriteSearches.h"
#include "FFavorites.h"
#include "UserItemsURL.h"

void FMain::ShowFavoriteUsers(bool bSellers)
{
    QString sUserID;
    {
        // Parented only so that it opens over the main window; it is modal to the program.
        FFavorites window(m_context.programDir, this);
        window.Initialize(bSellers);
        window.exec();
        sUserID = window.SelectedUserID();
        window.Unload(); // saves the list
    }
    if (!sUserID.isEmpty())
        ShowInAuctionBrowser(GetUserItemsURL(m_context.destinations, sUserID, bSellers));
}

void FMain::ShowFavoriteSearches()
{
    QString sURL;
    {
        FFavoriteSearches window(m_context.programDir, m_context.destinations.searchDomains,
                                 m_context.shell, this);
        window.exec();
        sURL = window.SearchURL();
        window.Unload(); // saves the searches
    }
    if (!sURL.isEmpty())
        ShowInAuctionBrowser(sURL);
}
