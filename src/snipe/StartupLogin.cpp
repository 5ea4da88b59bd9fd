#include "StartupLogin.h"

#include "TalvexService.h"
#include "TextFile.h"

#include <QTimer>

namespace StartupLogin {

Navigation chooseNavigation(bool bIsHasAccount, const QString &sUser, const QString &sPassword,
                            const QString &serviceHost)
{
    if (!bIsHasAccount)
        return {Navigation::SignUp, TalvexService::signUpUrl(serviceHost), {}, {}};
    if (sUser.isEmpty())
        return {Navigation::LoginPage, TalvexService::loginUrl(serviceHost), {}, {}};
    return {Navigation::LoginPost, TalvexService::loginUrl(serviceHost),
            TalvexService::loginBody(sUser, sPassword), TalvexService::loginHeader()};
}

QByteArray pleaseWaitBytes()
{
    return QByteArrayLiteral("<b>Please wait . . .</b>\r\n");
}

QString writePleaseWaitPage(const QString &dataDir)
{
    const QString path = dataDir + QStringLiteral("/PleaseWait.html");
    if (!TextFile::writeBytes(path, pleaseWaitBytes()).ok)
        return QString();
    return path;
}

PaneLoadWait::PaneLoadWait(BrowserPane &pane, int noStartLimitMs)
    : m_pane(&pane)
    , m_noStartLimitMs(noStartLimitMs)
{
    m_sinceStart.start();
    // Any of these means the load has begun (or already ended); each is a moment to look again.
    connect(&pane, &BrowserPane::DownloadComplete, this, [this] {
        m_started = true;
        check();
    });
    connect(&pane, &BrowserPane::NavigateComplete2, this, [this] {
        m_started = true;
        check();
    });
    connect(&pane, &BrowserPane::ProgressChange, this, &PaneLoadWait::check);
    connect(&pane, &BrowserPane::StatusTextChange, this, &PaneLoadWait::check);
    connect(&pane, &QObject::destroyed, &m_loop, &QEventLoop::quit);
}

void PaneLoadWait::check()
{
    if (!m_pane) {
        m_loop.quit();
        return;
    }
    if (m_pane->Busy()) {
        m_started = true;
        return;
    }
    if (m_started) {
        m_loop.quit();
    } else if (m_sinceStart.elapsed() >= m_noStartLimitMs) {
        m_gaveUp = true;
        m_loop.quit();
    }
}

void PaneLoadWait::exec()
{
    // The pane's events wake the loop; the slow timer only catches a busy state that ends
    // without an event (a stopped load) and the no-start limit.
    QTimer lookAgain;
    lookAgain.setInterval(100);
    connect(&lookAgain, &QTimer::timeout, this, &PaneLoadWait::check);
    lookAgain.start();
    check();
    if (!m_pane || (m_started && !m_pane->Busy()) || m_gaveUp)
        return;
    m_loop.exec();
}

void run(BrowserPane &brwSnipe, const QString &dataDir, bool bIsHasAccount,
         const QString &sUser, const QString &sPassword, const QString &serviceHost)
{
    const Navigation next = chooseNavigation(bIsHasAccount, sUser, sPassword, serviceHost);

    const QString page = writePleaseWaitPage(dataDir);
    if (!page.isEmpty()) {
        QPointer<BrowserPane> pane(&brwSnipe);
        {
            PaneLoadWait wait(brwSnipe);
            brwSnipe.Navigate(page);
            wait.exec();
        }
        if (!pane)
            return;
    }

    if (next.kind == Navigation::LoginPost)
        brwSnipe.Navigate(next.address, next.postData, next.headerLine);
    else
        brwSnipe.Navigate(next.address);
}

} // namespace StartupLogin
