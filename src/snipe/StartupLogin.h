#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QObject>
#include <QPointer>
#include <QString>

#include "BrowserPane.h"

// The start-up session with the sniping service in the Talvex pane: a local please-wait page,
// then the sign-up page, the login form post, or the plain login page.
namespace StartupLogin {

struct Navigation
{
    enum Kind { SignUp, LoginPost, LoginPage };

    Kind kind = SignUp;
    QString address;
    QByteArray postData; // LoginPost only
    QString headerLine;  // LoginPost only
};

// Without an account: the sign-up page, whatever user name is stored. With one: the login
// post when a user name is known, else the login page without a body.
Navigation chooseNavigation(bool bIsHasAccount, const QString &sUser, const QString &sPassword,
                            const QString &serviceHost);

// The page's exact bytes.
QByteArray pleaseWaitBytes();

// Writes dataDir/PleaseWait.html whole. Returns its path, or an empty string when the
// folder cannot be written (the login then goes on without the page).
QString writePleaseWaitPage(const QString &dataDir);

// Waits, with events running, until the pane has loaded what it is sent to next and is no
// longer busy. Made before the Navigate call so that a load finishing at once is seen too.
// The wait sleeps in the event loop (woken by the pane's events), so it costs no processor
// time. A pane that shows no sign of loading within noStartLimitMs counts as done.
class PaneLoadWait : public QObject
{
    Q_OBJECT

public:
    explicit PaneLoadWait(BrowserPane &pane, int noStartLimitMs = 10000);

    void exec();
    bool gaveUpWithoutStart() const { return m_gaveUp; }

private:
    void check();

    QPointer<BrowserPane> m_pane;
    QEventLoop m_loop;
    QElapsedTimer m_sinceStart;
    int m_noStartLimitMs;
    bool m_started = false;
    bool m_gaveUp = false;
};

// The whole start-up login; returns once the chosen page has been asked for.
void run(BrowserPane &brwSnipe, const QString &dataDir, bool bIsHasAccount,
         const QString &sUser, const QString &sPassword, const QString &serviceHost);

} // namespace StartupLogin
