#pragma once

#include "TalvexCredentials.h"

#include <QObject>
#include <QPointer>
#include <QString>

class BrowserPane;
class SettingsStore;
class QWidget;

// The session with the sniping service: the stored Talvex user name and password, the
// start-up login in the Talvex pane, and the Talvex Password window that changes them.
class TalvexSession : public QObject
{
    Q_OBJECT

public:
    TalvexSession(SettingsStore &settings, const QString &serviceHost, QObject *parent = nullptr);

    void LoadTalvexCredentials();
    // The start-up login, under way when this returns: the please-wait page, then, once that
    // shows and the password is known, the sign-up page, the login post or the login
    // page. loginOver() once that has been answered (or waited for long enough): from then on
    // the pane may be sent elsewhere without cancelling the login or losing its cookie.
    void LogIntoTalvex(BrowserPane &brwSnipe, const QString &dataDir, bool bIsHasAccount);
    void ShowTalvexPasswordDialog(QWidget *parent);

    QString user() const { return m_credentials.user(); }
    QString password() const { return m_credentials.password(); }

signals:
    // The login (or the sign-up page) has been sent into the pane.
    void loginAskedFor();
    void loginOver();

private:
    void sendLogin(const QPointer<BrowserPane> &pane, bool bIsHasAccount);

    TalvexCredentials m_credentials;
    QString m_serviceHost;
};
