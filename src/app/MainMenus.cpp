#include "MainMenus.h"

#include "SiteMenu.h"

#include <QMenuBar>

#include <vector>

namespace {

struct Item
{
    MenuName name{}; // none: a separator
    const char *caption;
    QKeyCombination shortcut{};
};

struct Menu
{
    MenuName name;
    const char *caption;
    std::vector<Item> items;
};

const Menu kMenus[] = {
    {Menus::mnuFile, "&File",
     {{Menus::mnuFilePrint, "&Print...", Qt::CTRL | Qt::Key_P}, {}, {Menus::mnuFileExit, "E&xit"}}},
    {Menus::mnuEdit, "&Edit",
     {{Menus::mnuEditCut, "Cu&t", Qt::CTRL | Qt::Key_X},
      {Menus::mnuEditCopy, "&Copy", Qt::CTRL | Qt::Key_C},
      {Menus::mnuEditPaste, "&Paste", Qt::CTRL | Qt::Key_V},
      {},
      {Menus::mnuEditFind, "&Find (on current web page)", Qt::CTRL | Qt::Key_F}}},
    {Menus::mnumnuNavigate, "&Navigate",
     {{Menus::mnumnuNavigatemnuNavigateBack, "&Back"},
      {Menus::mnumnuNavigatemnuNavigateForward, "&Forward"},
      {Menus::mnuNavigateStop, "&Stop"},
      {Menus::mnumnuNavigatemnuNavigateHome, "&Home"},
      {Menus::mnumnuNavigatemnuNavigateRefresh, "&Refresh"}}},
    {Menus::mnumnuFavorites, "Fa&vorites",
     {{Menus::mnuFavoritesView, "&View Browser Favorites..."},
      {Menus::mnuFavoritesAdd, "&Add to Browser Favorites..."},
      {Menus::mnuFavoritesImport, "&Import Netscape Favorites..."},
      {},
      {Menus::mnuFavoriteSearches, "Favorite eBay Searches"},
      {Menus::mnuFavoritesSellers, "Favorite eBay &Sellers..."},
      {Menus::mnuFavoritesBidders, "Favorite eBay &Bidders..."}}},
    {Menus::mnuTools, "&Tools",
     {{Menus::mnuNavigateSnipe, "Snipe &Current Auction", Qt::CTRL | Qt::Key_Z},
      {Menus::mnuToolsToolbar, "&Floating Toolbar", Qt::CTRL | Qt::Key_T},
      {Menus::mnuToolsPassword, "&Talvex Password"},
      {}}},
    {Menus::mnuHelp, "&Help",
     {{Menus::mnuHelpContents, "&Contents"},
      {},
      {Menus::mnuHelpmnuHelpMardell, "&Mardell Home Page"},
      {Menus::mnuHelpmnuHelpTalvex, "Talvex &Online"},
      {Menus::mnuHelpmnuHelpFeedback, "Email Talvex &Help"},
      {Menus::mnuHelpJoinList, "&Join Mailing List"},
      {},
      {Menus::mnuHelpAbout, "&About "}}},
};

void addItems(QMenu *menu, const std::vector<Item> &items)
{
    for (const Item &item : items) {
        if (!item.name.text) {
            menu->addSeparator();
            continue;
        }
        QAction *action = menu->addAction(QString::fromLatin1(item.caption));
        action->setObjectName(item.name);
        if (item.shortcut != QKeyCombination())
            action->setShortcut(item.shortcut);
    }
}

} // namespace

MainMenus::MainMenus(QMenuBar *bar, const Destinations &destinations)
    : QObject(bar)
    , m_bar(bar)
{
    for (const Menu &design : kMenus) {
        QMenu *menu = bar->addMenu(QString::fromLatin1(design.caption));
        menu->setObjectName(design.name);
        addItems(menu, design.items);
    }

    // Tools > Options: the start-up site and the button text.
    QMenu *options = bar->findChild<QMenu *>(Menus::mnuTools)->addMenu(QStringLiteral("&Options"));
    options->setObjectName(Menus::mnuOptionS);
    m_sites = new SiteMenu(destinations, options);
    options->addMenu(m_sites);
    options->addSeparator();
    addItems(options, {{Menus::mnuOptionsText, "&Show Button Text"}});
    action(Menus::mnuOptionsText)->setCheckable(true);
    action(Menus::mnuOptionsText)->setChecked(true);
}

QAction *MainMenus::action(MenuName name) const
{
    return m_bar->findChild<QAction *>(name);
}
