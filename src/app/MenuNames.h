#pragma once

#include <QString>

// A menu's or menu item's design name, which is its object name. The window and the tests
// find the items by the names below and by no others, so a misspelt name does not compile.
struct MenuName
{
    const char *text;
    operator QString() const { return QString::fromLatin1(text); }
};

namespace Menus {

#define BIDBENCH_DESIGN_NAME(name) inline constexpr MenuName name{#name};
BIDBENCH_DESIGN_NAME(mnuFile)
BIDBENCH_DESIGN_NAME(mnuFilePrint)
BIDBENCH_DESIGN_NAME(mnuFileExit)
BIDBENCH_DESIGN_NAME(mnuEdit)
BIDBENCH_DESIGN_NAME(mnuEditCut)
BIDBENCH_DESIGN_NAME(mnuEditCopy)
BIDBENCH_DESIGN_NAME(mnuEditPaste)
BIDBENCH_DESIGN_NAME(mnuEditFind)
BIDBENCH_DESIGN_NAME(mnumnuNavigate)
BIDBENCH_DESIGN_NAME(mnumnuNavigatemnuNavigateBack)
BIDBENCH_DESIGN_NAME(mnumnuNavigatemnuNavigateForward)
BIDBENCH_DESIGN_NAME(mnuNavigateStop)
BIDBENCH_DESIGN_NAME(mnumnuNavigatemnuNavigateHome)
BIDBENCH_DESIGN_NAME(mnumnuNavigatemnuNavigateRefresh)
BIDBENCH_DESIGN_NAME(mnumnuFavorites)
BIDBENCH_DESIGN_NAME(mnuFavoritesView)
BIDBENCH_DESIGN_NAME(mnuFavoritesAdd)
BIDBENCH_DESIGN_NAME(mnuFavoritesImport)
BIDBENCH_DESIGN_NAME(mnuFavoriteSearches)
BIDBENCH_DESIGN_NAME(mnuFavoritesSellers)
BIDBENCH_DESIGN_NAME(mnuFavoritesBidders)
BIDBENCH_DESIGN_NAME(mnuTools)
BIDBENCH_DESIGN_NAME(mnuNavigateSnipe)
BIDBENCH_DESIGN_NAME(mnuToolsToolbar)
BIDBENCH_DESIGN_NAME(mnuToolsPassword)
BIDBENCH_DESIGN_NAME(mnuOptionS)
BIDBENCH_DESIGN_NAME(mnuOptionsText)
BIDBENCH_DESIGN_NAME(mnuHelp)
BIDBENCH_DESIGN_NAME(mnuHelpContents)
BIDBENCH_DESIGN_NAME(mnuHelpmnuHelpMardell)
BIDBENCH_DESIGN_NAME(mnuHelpmnuHelpTalvex)
BIDBENCH_DESIGN_NAME(mnuHelpmnuHelpFeedback)
BIDBENCH_DESIGN_NAME(mnuHelpJoinList)
BIDBENCH_DESIGN_NAME(mnuHelpAbout)
// The navigation toolbar's pop-up menu.
BIDBENCH_DESIGN_NAME(mnuButtonBarStatus)
BIDBENCH_DESIGN_NAME(mnuButtonBarStatusViewLabels)
#undef BIDBENCH_DESIGN_NAME

} // namespace Menus
