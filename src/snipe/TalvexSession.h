#pragma once

#include <QString>

class BrowserPane;
class SettingsStore;
class QWidget;

// The session with the sniping service: the stored Talvex user name and password, the
// start-up login in the Talvex pane, and the Talvex Password window that changes them.
class TalvexSession
{
public:
    TalvexSession(SettingsStore &settings, const QString &serviceHost);

    void LoadTalvexCredentials();
    void LogIntoTalvex(BrowserPane &brwSnipe, const QString &dataDir, bool bIsHasAccount);
    void ShowTalvexPasswordDialog(QWidget *parent);

    QString user() const { return m_sUser; }
    QString password() const { return m_sPassword; }

private:
    SettingsStore &m_settings;
    QString m_serviceHost;
    QString m_sUser;
    QString m_sPassword;
};
