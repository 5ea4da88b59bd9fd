#pragma once

#include <QObject>

struct Destinations;
class QAction;
class QMenuBar;
class SiteMenu;

// The menu bar. Items keep their design names as object names; the window and the tests
// find them by name.
class MainMenus : public QObject
{
    Q_OBJECT

public:
    MainMenus(QMenuBar *bar, const Destinations &destinations);

    QAction *action(const char *name) const;
    SiteMenu *sites() const { return m_sites; }

private:
    QMenuBar *m_bar;
    SiteMenu *m_sites;
};
