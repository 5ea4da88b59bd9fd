#include "StartupLogin.h"

#include "TalvexService.h"
#include "TextFile.h"

namespace StartupLogin {

Navigation chooseNavigation(bool bIsHasAccount, const QString &sUser, const std::optional<QString> &sPassword,
                            const QString &serviceHost)
{
    if (!bIsHasAccount)
        return {Navigation::SignUp, TalvexService::signUpUrl(serviceHost), {}, {}};
    if (sUser.isEmpty() || !sPassword)
        return {Navigation::LoginPage, TalvexService::loginUrl(serviceHost), {}, {}};
    return {Navigation::LoginPost, TalvexService::loginUrl(serviceHost),
            TalvexService::loginBody(sUser, *sPassword), TalvexService::loginHeader()};
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

PaneLoadWait::PaneLoadWait(BrowserPane &pane, int limitMs, QObject *parent, bool untilShown)
    : QObject(parent)
    , m_pane(&pane)
{
    // Any of these means the load has begun (or already ended); each is a moment to look again.
    connect(&pane, &BrowserPane::DownloadComplete, this, [this] {
        m_started = true;
        check();
    });
    connect(&pane, &BrowserPane::NavigateComplete2, this, [this, untilShown] {
        m_started = true;
        // The engine keeps an arrived page on screen until the next one arrives.
        if (untilShown)
            finish(false);
        check();
    });
    connect(&pane, &BrowserPane::ProgressChange, this, &PaneLoadWait::check);
    connect(&pane, &BrowserPane::StatusTextChange, this, &PaneLoadWait::check);
    // Told once the pane is wholly gone: while it is being destroyed, pointers to it still hold.
    connect(&pane, &QObject::destroyed, this, [this] { finish(false); }, Qt::QueuedConnection);
    m_lookAgain.setInterval(100);
    connect(&m_lookAgain, &QTimer::timeout, this, &PaneLoadWait::check);
    m_limit.setSingleShot(true);
    m_limit.setInterval(limitMs);
    connect(&m_limit, &QTimer::timeout, this, [this] { finish(true); });
}

void PaneLoadWait::begin()
{
    m_lookAgain.start();
    m_limit.start();
    check();
}

void PaneLoadWait::check()
{
    if (m_done || !m_pane)
        return;
    if (m_pane->Busy())
        m_started = true;
    else if (m_started)
        finish(false);
}

void PaneLoadWait::finish(bool gaveUp)
{
    if (m_done)
        return;
    m_done = true;
    m_gaveUp = gaveUp;
    m_lookAgain.stop();
    m_limit.stop();
    // Not from inside the pane's own signal: whoever goes on may navigate the pane.
    QTimer::singleShot(0, this, &PaneLoadWait::done);
}

} // namespace StartupLogin
