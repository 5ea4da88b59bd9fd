#include "FMain.h"

#include "BrowserPane.h"
#include "FPassword.h"
#include "ItemNumber.h"
#include "ShortcutPriority.h"
#include "StartupLogin.h"
#include "TalvexCredentials.h"
#include "TalvexService.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QTimer>

void FMain::createSnipeParts()
{
    for (int i = 1; i <= StarFrames::kFrameCount; ++i) {
        imlStars.add(m_starFrames.large(i));
        imlStarsSmall.add(m_starFrames.small(i));
    }
    m_busyIndicator.emplace(*picSnipe, m_starFrames);
    connect(timStar, &QTimer::timeout, this, &FMain::timStar_Timer);

    connect(mnuNavigateSnipe, &QAction::triggered, this, &FMain::SnipeCurrentAuction);
    connect(tbrSnipeButton, &QAction::triggered, this, [this] { tbrSnipe_ButtonClick(1); });
    connect(mnuToolsPassword, &QAction::triggered, this, &FMain::ShowTalvexPasswordDialog);
    // Ctrl+Z snipes wherever the focus is, the address box and the pages included.
    new ShortcutPriority(this, mnuNavigateSnipe);
    // A typed item address can be sniped at once, without waiting for the next pane event.
    connect(cboAddress, &QComboBox::editTextChanged, this, &FMain::UpdateSnipeAvailability);
}

void FMain::LoadTalvexCredentials()
{
    const TalvexCredentials stored = TalvexCredentials::load(*m_context.settings);
    m_sUser = stored.user;
    m_sPassword = stored.password;
}

void FMain::LogIntoTalvex()
{
    StartupLogin::run(*brwSnipe, m_context.programDir, bIsHasAccount, m_sUser, m_sPassword,
                      m_context.destinations.serviceHost);
}

void FMain::ShowTalvexPasswordDialog()
{
    FPassword dialog(*m_context.settings, this);
    dialog.SetCredentials(m_sUser, m_sPassword);
    dialog.exec();
    if (!dialog.Cancelled()) {
        m_sUser = dialog.User();
        m_sPassword = dialog.Password();
    }
}

void FMain::UpdateSnipeAvailability()
{
    const SnipeCommandState state = snipeCommandState(cboAddress->currentText(), tabIndex() == kAuctionTab,
                                                      mnuNavigateSnipe->isEnabled());
    tbrSnipeButton->setEnabled(state.button);
    mnuNavigateSnipe->setEnabled(state.menuItem);
}

void FMain::tbrSnipe_ButtonClick(int index)
{
    if (index == 1)
        SnipeCurrentAuction();
}

void FMain::SnipeCurrentAuction()
{
    // The box may have been edited since the last refresh; without an item number there is
    // nothing to snipe.
    const std::optional<QString> item = itemNumberFromAddress(cboAddress->currentText());
    if (item)
        SnipeItem(*item);
}

void FMain::SnipeItem(const QString &sItemNumber)
{
    brwSnipe->Navigate(TalvexService::snipeUrl(m_context.destinations.serviceHost, sItemNumber));
    setTabIndex(kTalvexTab);
}

void FMain::timStar_Timer()
{
    const BrowserPane *pane = tabIndex() == kTalvexTab ? brwSnipe : brwAuction;
    m_busyIndicator->tick(pane->Busy(), isTextShown());
}
