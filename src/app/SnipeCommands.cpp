#include "SnipeCommands.h"

#include "AddressBox.h"
#include "AuctionRow.h"
#include "FloatingToolbar.h"
#include "ItemNumber.h"
#include "PanePair.h"
#include "ShortcutPriority.h"
#include "TalvexService.h"

#include <QAction>
#include <QMenu>

SnipeCommands::SnipeCommands(QWidget *window, PanePair *panes, AuctionRow *row, QAction *menuItem,
                             QString serviceHost)
    : QObject(window)
    , m_window(window)
    , m_panes(panes)
    , m_row(row)
    , m_menuItem(menuItem)
    , m_serviceHost(std::move(serviceHost))
{
    connect(m_menuItem, &QAction::triggered, this, &SnipeCommands::SnipeCurrentAuction);
    connect(m_row->snipeButton(), &QAction::triggered, this, &SnipeCommands::SnipeCurrentAuction);
    // Ctrl+Z snipes wherever the focus is, the address box and the pages included.
    new ShortcutPriority(window, m_menuItem);
    // A typed item address can be sniped at once, without waiting for the next pane event.
    connect(m_row->addressBox(), &QComboBox::editTextChanged, this, &SnipeCommands::UpdateSnipeAvailability);
    // A link to an item can be sniped without opening its page.
    m_panes->auction()->setLinkMenuEntries([this](QMenu *menu, const QString &link) {
        const std::optional<QString> item = itemNumberFromAddress(link);
        if (!item)
            return;
        QAction *first = menu->actions().value(0);
        auto *snipe = new QAction(QStringLiteral("Snipe This Item"), menu);
        connect(snipe, &QAction::triggered, this, [this, number = *item] { SnipeItem(number); });
        menu->insertAction(first, snipe);
        if (first)
            menu->insertSeparator(first);
    });
}

void SnipeCommands::UpdateSnipeAvailability()
{
    const SnipeCommandState state = snipeCommandState(m_row->addressBox()->currentText(),
                                                      !m_panes->isSnipePaneCurrent(), m_menuItem->isEnabled());
    m_row->snipeButton()->setEnabled(state.button);
    m_menuItem->setEnabled(state.menuItem);
}

void SnipeCommands::SnipeCurrentAuction()
{
    // The box may have been edited since the last refresh.
    if (const std::optional<QString> item = itemNumberFromAddress(m_row->addressBox()->currentText()))
        SnipeItem(*item);
}

void SnipeCommands::SnipeItem(const QString &sItemNumber)
{
    m_panes->talvex()->Navigate(TalvexService::snipeUrl(m_serviceHost, sItemNumber));
    m_panes->setCurrent(PanePair::kTalvexTab);
}

void SnipeCommands::ShowFloatingToolbar()
{
    const QString sItemNumber = runFloatingToolbar(m_window, AuctionRow::snipeIcon());
    if (!sItemNumber.isEmpty())
        SnipeItem(sItemNumber);
}
