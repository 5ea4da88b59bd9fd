#pragma once

#include "MenuNames.h"

#include <QObject>

struct Destinations;
class QAction;
class QMenuBar;
class SiteMenu;

// The menu bar. Items keep their design names (MenuNames.h) as object names.
class MainMenus : public QObject
{
    Q_OBJECT

public:
    MainMenus(QMenuBar *bar, const Destinations &destinations);

    QAction *action(MenuName name) const;
    SiteMenu *sites() const { return m_sites; }

private:
    QMenuBar *m_bar;
    SiteMenu *m_sites;
};
