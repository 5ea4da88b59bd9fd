#include "TalvexSession.h"

#include "FPassword.h"
#include "StartupLogin.h"
#include "StartupTrace.h"

#include <memory>

namespace {
// The local page shows at once; a pane that has not shown it by then gets the login anyway.
constexpr int kPleaseWaitLimitMs = 10000;
// Start-up requests wait this long at most for the service's answer to the login.
constexpr int kLoginAnswerLimitMs = 30000;
} // namespace

TalvexSession::TalvexSession(SettingsStore &settings, const QString &serviceHost, QObject *parent)
    : QObject(parent)
    , m_credentials(settings)
    , m_serviceHost(serviceHost)
{
}

void TalvexSession::LoadTalvexCredentials()
{
    m_credentials.load();
}

void TalvexSession::LogIntoTalvex(BrowserPane &brwSnipe, const QString &dataDir, bool bIsHasAccount)
{
    // The login goes once the please-wait page is shown and, for the post, the password known.
    auto waitingFor = std::make_shared<int>(1);
    const auto oneLess = [this, pane = QPointer<BrowserPane>(&brwSnipe), bIsHasAccount, waitingFor] {
        if (--*waitingFor == 0)
            sendLogin(pane, bIsHasAccount);
    };
    if (bIsHasAccount && !m_credentials.user().isEmpty() && !m_credentials.isLoaded()) {
        ++*waitingFor;
        connect(&m_credentials, &TalvexCredentials::loaded, this, oneLess, Qt::SingleShotConnection);
    }
    const QString page = StartupLogin::writePleaseWaitPage(dataDir);
    if (!page.isEmpty()) {
        ++*waitingFor;
        auto *shown = new StartupLogin::PaneLoadWait(brwSnipe, kPleaseWaitLimitMs, this, true);
        connect(shown, &StartupLogin::PaneLoadWait::done, this, [shown, oneLess] {
            qCInfo(lcStartup, "please-wait page shown");
            shown->deleteLater();
            oneLess();
        });
        brwSnipe.Navigate(page);
        qCInfo(lcStartup, "please-wait page asked for");
        shown->begin();
    }
    oneLess();
}

void TalvexSession::sendLogin(const QPointer<BrowserPane> &pane, bool bIsHasAccount)
{
    if (!pane) {
        emit loginAskedFor();
        emit loginOver();
        return;
    }
    const StartupLogin::Navigation next = StartupLogin::chooseNavigation(
        bIsHasAccount, m_credentials.user(),
        m_credentials.isPasswordKnown() ? std::optional(m_credentials.password()) : std::nullopt, m_serviceHost);
    auto *answered = new StartupLogin::PaneLoadWait(*pane, kLoginAnswerLimitMs, this);
    connect(answered, &StartupLogin::PaneLoadWait::done, this, [this, answered] {
        answered->deleteLater();
        emit loginOver();
        // Only now, so that nothing competes with the login for the first moments.
        m_credentials.moveToStore();
    });
    if (next.kind == StartupLogin::Navigation::LoginPost)
        pane->Navigate(next.address, next.postData, next.headerLine);
    else
        pane->Navigate(next.address);
    answered->begin();
    qCInfo(lcStartup, "login asked for");
    emit loginAskedFor();
}

void TalvexSession::ShowTalvexPasswordDialog(QWidget *parent)
{
    // The window stores what is saved and keeps it in m_credentials, which is the program's copy.
    FPassword dialog(m_credentials, parent);
    dialog.SetCredentials(user(), password());
    dialog.exec();
}
