#include "TalvexSession.h"

#include "FPassword.h"
#include "StartupLogin.h"
#include "TalvexCredentials.h"

TalvexSession::TalvexSession(SettingsStore &settings, const QString &serviceHost)
    : m_settings(settings)
    , m_serviceHost(serviceHost)
{
}

void TalvexSession::LoadTalvexCredentials()
{
    const TalvexCredentials stored = TalvexCredentials::load(m_settings);
    m_sUser = stored.user;
    m_sPassword = stored.password;
}

void TalvexSession::LogIntoTalvex(BrowserPane &brwSnipe, const QString &dataDir, bool bIsHasAccount)
{
    StartupLogin::run(brwSnipe, dataDir, bIsHasAccount, m_sUser, m_sPassword, m_serviceHost);
}

void TalvexSession::ShowTalvexPasswordDialog(QWidget *parent)
{
    FPassword dialog(m_settings, parent);
    dialog.SetCredentials(m_sUser, m_sPassword);
    dialog.exec();
    if (!dialog.Cancelled()) {
        m_sUser = dialog.User();
        m_sPassword = dialog.Password();
    }
}
