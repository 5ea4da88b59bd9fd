#include "SiteMenu.h"

#include "SiteSelection.h"

#include <QActionGroup>

SiteMenu::SiteMenu(const Destinations &destinations, QWidget *parent)
    : QMenu(QStringLiteral("&Start-up Auction Site"), parent)
    , m_group(new QActionGroup(this))
{
    setObjectName(QStringLiteral("mnuOPtionsAuctionSite"));
    for (int i = SiteSelection::kFirstSite; i <= SiteSelection::kLastSite; ++i) {
        QAction *item = addAction(SiteSelection::menuCaption(i, destinations));
        item->setObjectName(QStringLiteral("mnuOptionsSite(%1)").arg(i));
        item->setCheckable(true);
        m_group->addAction(item);
        connect(item, &QAction::triggered, this, [this, i] { emit siteChosen(i); });
    }
    check(SiteSelection::kDefaultSite);
}

QAction *SiteMenu::site(int index) const
{
    return SiteSelection::isValidSite(index) ? m_group->actions().at(index - 1) : nullptr;
}

int SiteMenu::checkedSite() const
{
    QAction *checked = m_group->checkedAction();
    return checked ? int(m_group->actions().indexOf(checked)) + 1 : 0;
}

void SiteMenu::check(int index)
{
    if (QAction *item = site(index))
        item->setChecked(true);
    else if (QAction *checked = m_group->checkedAction())
        checked->setChecked(false);
}
