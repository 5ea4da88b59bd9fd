#include "MainMenus.h"

#include "SiteMenu.h"

#include <QMenuBar>

#include <vector>

namespace {

struct Item
{
    const char *name; // null: a separator
    const char *caption;
    QKeyCombination shortcut{};
};

struct Menu
{
    const char *name;
    const char *caption;
    std::vector<Item> items;
};

const Menu kMenus[] = {
    {"mnuFile", "&File",
     {{"mnuFilePrint", "&Print...", Qt::CTRL | Qt::Key_P}, {}, {"mnuFileExit", "E&xit"}}},
    {"mnuEdit", "&Edit",
     {{"mnuEditCut", "Cu&t", Qt::CTRL | Qt::Key_X},
      {"mnuEditCopy", "&Copy", Qt::CTRL | Qt::Key_C},
      {"mnuEditPaste", "&Paste", Qt::CTRL | Qt::Key_V},
      {},
      {"mnuEditFind", "&Find (on current web page)", Qt::CTRL | Qt::Key_F}}},
    {"mnumnuNavigate", "&Navigate",
     {{"mnumnuNavigatemnuNavigateBack", "&Back"},
      {"mnumnuNavigatemnuNavigateForward", "&Forward"},
      {"mnuNavigateStop", "&Stop"},
      {"mnumnuNavigatemnuNavigateHome", "&Home"},
      {"mnumnuNavigatemnuNavigateRefresh", "&Refresh"}}},
    {"mnumnuFavorites", "Fa&vorites",
     {{"mnuFavoritesView", "&View Browser Favorites..."},
      {"mnuFavoritesAdd", "&Add to Browser Favorites..."},
      {"mnuFavoritesImport", "&Import Netscape Favorites..."},
      {},
      {"mnuFavoriteSearches", "Favorite eBay Searches"},
      {"mnuFavoritesSellers", "Favorite eBay &Sellers..."},
      {"mnuFavoritesBidders", "Favorite eBay &Bidders..."}}},
    {"mnuTools", "&Tools",
     {{"mnuNavigateSnipe", "Snipe &Current Auction", Qt::CTRL | Qt::Key_Z},
      {"mnuToolsToolbar", "&Floating Toolbar", Qt::CTRL | Qt::Key_T},
      {"mnuToolsPassword", "&Talvex Password"},
      {}}},
    {"mnuHelp", "&Help",
     {{"mnuHelpContents", "&Contents"},
      {},
      {"mnuHelpmnuHelpMardell", "&Mardell Home Page"},
      {"mnuHelpmnuHelpTalvex", "Talvex &Online"},
      {"mnuHelpmnuHelpFeedback", "Email Talvex &Help"},
      {"mnuHelpJoinList", "&Join Mailing List"},
      {},
      {"mnuHelpAbout", "&About "}}},
};

void addItems(QMenu *menu, const std::vector<Item> &items)
{
    for (const Item &item : items) {
        if (!item.name) {
            menu->addSeparator();
            continue;
        }
        QAction *action = menu->addAction(QString::fromLatin1(item.caption));
        action->setObjectName(QString::fromLatin1(item.name));
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
        menu->setObjectName(QString::fromLatin1(design.name));
        addItems(menu, design.items);
    }

    // Tools > Options: the start-up site and the button text.
    QMenu *options = bar->findChild<QMenu *>(QStringLiteral("mnuTools"))->addMenu(QStringLiteral("&Options"));
    options->setObjectName(QStringLiteral("mnuOptionS"));
    m_sites = new SiteMenu(destinations, options);
    options->addMenu(m_sites);
    options->addSeparator();
    addItems(options, {{"mnuOptionsText", "&Show Button Text"}});
    action("mnuOptionsText")->setCheckable(true);
    action("mnuOptionsText")->setChecked(true);
}

QAction *MainMenus::action(const char *name) const
{
    return m_bar->findChild<QAction *>(QString::fromLatin1(name));
}
