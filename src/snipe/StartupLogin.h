#pragma once

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

#include <optional>

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
// post when a user name and its password are known, else the login page without a body (a
// password the secret store did not give is not guessed at).
Navigation chooseNavigation(bool bIsHasAccount, const QString &sUser, const std::optional<QString> &sPassword,
                            const QString &serviceHost);

// The page's exact bytes.
QByteArray pleaseWaitBytes();

// Writes dataDir/PleaseWait.html whole. Returns its path, or an empty string when the
// folder cannot be written (the login then goes on without the page).
QString writePleaseWaitPage(const QString &dataDir);

// Tells once the pane has loaded what it is sent to next: made before the Navigate call and
// begun after it, so that a load finishing at once is seen too. done() comes once, from the
// event loop: when the load has begun and the pane is no longer busy (or, with untilShown, as
// soon as the page has arrived and shows), when the pane is gone, or after limitMs (gaveUp()).
// The wait costs nothing: the pane's events wake it, and a slow look catches a busy state that
// ends without an event (a stopped load).
class PaneLoadWait : public QObject
{
    Q_OBJECT

public:
    PaneLoadWait(BrowserPane &pane, int limitMs, QObject *parent = nullptr, bool untilShown = false);

    void begin();
    bool gaveUp() const { return m_gaveUp; }

signals:
    void done();

private:
    void check();
    void finish(bool gaveUp);

    QPointer<BrowserPane> m_pane;
    QTimer m_lookAgain;
    QTimer m_limit;
    bool m_started = false;
    bool m_gaveUp = false;
    bool m_done = false;
};

} // namespace StartupLogin
