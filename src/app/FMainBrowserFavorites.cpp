#include "FMain.h"

#include "BrowserHelper.h"
#include "BrowserPane.h"
#include "FIEFavorites.h"

#include <QAction>
#include <QFileDialog>

#include <memory>

void FMain::connectBrowserFavorites()
{
    connect(mnuFavoritesView, &QAction::triggered, this, &FMain::ShowBrowserFavorites);
    connect(mnuFavoritesAdd, &QAction::triggered, this, &FMain::AddCurrentPageToFavorites);
    connect(mnuFavoritesImport, &QAction::triggered, this, &FMain::mnuFavoritesImport_Click);
    if (QAction *entry = tbrNavigateButtonMenu(QStringLiteral("Favorites")))
        connect(entry, &QAction::triggered, this, &FMain::ShowBrowserFavorites);
}

BrowserHelper *FMain::browserHelper()
{
    if (!m_oBrowserHelper)
        m_oBrowserHelper = new BrowserHelper(this);
    return m_oBrowserHelper;
}

void FMain::ShowBrowserFavorites()
{
    // A fresh window each time, so favourites added or imported meanwhile show.
    auto form = std::make_unique<FIEFavorites>(this);
    form->exec();
    const QString sURL = form->URL();
    form.reset();
    if (!sURL.isEmpty())
        ShowInAuctionBrowser(sURL);
}

void FMain::AddCurrentPageToFavorites()
{
    // Always the auction pane's page, whatever tab is shown.
    browserHelper()->AddPage(brwAuction->LocationURL(), brwAuction->LocationName(), this);
}

void FMain::mnuFavoritesImport_Click()
{
    const QString sFile = BrowserHelper::chooseBookmarkFile(*CommonDialog1);
    if (sFile.isEmpty())
        return; // cancelled: nothing to say
    browserHelper()->ImportFavorites(sFile, this);
}
