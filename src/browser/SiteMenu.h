#pragma once

#include <QMenu>

struct Destinations;
class QActionGroup;

// The start-up auction site menu: fourteen items of which one is checked.
class SiteMenu : public QMenu
{
    Q_OBJECT

public:
    SiteMenu(const Destinations &destinations, QWidget *parent = nullptr);

    QAction *site(int index) const; // mnuOptionsSite(1 ... 14); null outside
    int checkedSite() const;        // 0 when none is checked
    void check(int index);

signals:
    void siteChosen(int index);

private:
    QActionGroup *m_group;
};
