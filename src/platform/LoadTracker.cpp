#include "LoadTracker.h"

#include "BrowserPane.h"

LoadTracker::LoadTracker(int guardMs, QObject *parent)
    : QObject(parent)
{
    m_guard.setSingleShot(true);
    m_guard.setInterval(guardMs);
    connect(&m_guard, &QTimer::timeout, this, &LoadTracker::dropRequest);
}

void LoadTracker::requested(bool startsLoad)
{
    m_requested = startsLoad;
    if (startsLoad)
        m_guard.start();
}

void LoadTracker::loadStarted(const Shown &shown)
{
    m_requested = false;
    m_guard.stop();
    m_reportedSinceLoadStart = false;
    updateHistoryState(shown);
}

// The view shows the committed page; the history already points at the target of a move
// back or forward that has not committed yet. Only when both agree has a page arrived.
void LoadTracker::changed(const Shown &shown)
{
    updateHistoryState(shown);
    if (shown.url.isEmpty() || shown.index < 0 || shown.index >= shown.count || shown.entryUrl != shown.url)
        return;
    const Entry entry{shown.url, shown.index, shown.count};
    if (entry != m_reported)
        report(entry);
}

void LoadTracker::loadFinished(bool ok, const Shown &shown)
{
    changed(shown);
    // A reload commits the entry that was shown already; it still counts as arrived.
    if (ok && !m_reportedSinceLoadStart && !shown.url.isEmpty())
        report(m_reported);
}

void LoadTracker::report(const Entry &entry)
{
    m_reported = entry;
    m_reportedSinceLoadStart = true;
    emit arrived();
}

void LoadTracker::updateHistoryState(const Shown &shown)
{
    if (shown.canGoForward != m_canGoForward) {
        m_canGoForward = shown.canGoForward;
        emit CommandStateChange(BrowserPane::CommandForward, m_canGoForward);
    }
    if (shown.canGoBack != m_canGoBack) {
        m_canGoBack = shown.canGoBack;
        emit CommandStateChange(BrowserPane::CommandBack, m_canGoBack);
    }
}

QString LoadTracker::titleOrEmpty(const QString &engineTitle, const QUrl &url)
{
    if (engineTitle.isEmpty() || url.isEmpty())
        return engineTitle;
    // Without a <title> the engine shows the address (in one of its spellings) instead.
    const QString candidates[] = {
        url.toString(),
        url.toDisplayString(),
        url.toString(QUrl::RemoveScheme).mid(2),
        url.toDisplayString(QUrl::RemoveScheme).mid(2),
        url.toString(QUrl::RemoveScheme | QUrl::StripTrailingSlash).mid(2),
        url.toString(QUrl::StripTrailingSlash),
        url.isLocalFile() ? url.fileName() : QString(),
    };
    for (const QString &candidate : candidates) {
        if (!candidate.isEmpty() && engineTitle == candidate)
            return QString();
    }
    return engineTitle;
}

bool LoadTracker::startsNoLoad(const QUrl &target, const QUrl &current)
{
    if (target.scheme().compare(QLatin1String("javascript"), Qt::CaseInsensitive) == 0)
        return true;
    return target.hasFragment() && !current.isEmpty()
           && target.adjusted(QUrl::RemoveFragment) == current.adjusted(QUrl::RemoveFragment);
}
