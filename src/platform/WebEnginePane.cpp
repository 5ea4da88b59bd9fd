#include "WebEnginePane.h"

#include "Address.h"
#include "PopupBrowserWindow.h"

#include <QApplication>
#include <QDir>
#include <QStandardPaths>
#include <QVBoxLayout>
#include <QWebEngineFindTextResult>
#include <QWebEngineHistory>
#include <QWebEngineHttpRequest>
#include <QWebEngineLoadingInfo>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineView>

namespace {

class PanePage : public QWebEnginePage
{
public:
    PanePage(QWebEngineProfile *profile, QObject *parent, std::function<QWebEnginePage *()> popup)
        : QWebEnginePage(profile, parent)
        , m_popup(std::move(popup))
    {
    }

protected:
    QWebEnginePage *createWindow(WebWindowType) override { return m_popup(); }

private:
    std::function<QWebEnginePage *()> m_popup;
};

QString profileFolder(const QString &root, const QString &name)
{
    return root + QLatin1Char('/') + name;
}

} // namespace

WebEnginePane::WebEnginePane(const QString &profilesRoot, const QString &profileName, QWidget *parent)
    : BrowserPane(parent)
{
    const QString folder = profileFolder(profilesRoot, profileName);
    QDir().mkpath(folder);
    m_profile = new QWebEngineProfile(profileName, this);
    m_profile->setPersistentStoragePath(folder);
    m_profile->setCachePath(folder + QStringLiteral("/cache"));
    m_profile->setPersistentCookiesPolicy(QWebEngineProfile::AllowPersistentCookies);

    m_view = new QWebEngineView(this);
    m_view->setPage(new PanePage(m_profile, m_view, [this] { return createPopup(); }));
    m_view->settings()->setAttribute(QWebEngineSettings::FocusOnNavigationEnabled, false);
    // The service opens some of its pages with window.open; they must not be dropped.
    m_view->settings()->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, true);
    setFocusProxy(m_view);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);

    QWebEnginePage *page = m_view->page();
    connect(page, &QWebEnginePage::loadStarted, this, &WebEnginePane::onLoadStarted);
    connect(page, &QWebEnginePage::loadingChanged, this, [this](const QWebEngineLoadingInfo &info) {
        // The load's own address: when a load starts the view still shows the previous page.
        if (info.status() == QWebEngineLoadingInfo::LoadStartedStatus)
            emit StatusTextChange(QStringLiteral("Opening page ") + info.url().toString()
                                  + QStringLiteral("..."));
    });
    connect(page, &QWebEnginePage::urlChanged, this, &WebEnginePane::onUrlChanged);
    connect(page, &QWebEnginePage::loadFinished, this, &WebEnginePane::onLoadFinished);
    connect(page, &QWebEnginePage::loadProgress, this, &WebEnginePane::ProgressChange);
    connect(page, &QWebEnginePage::titleChanged, this, [this](const QString &title) {
        m_title = titleOrEmpty(title, m_view->url());
    });
    connect(page, &QWebEnginePage::linkHovered, this, [this](const QString &url) {
        emit StatusTextChange(url.isEmpty() ? (m_busy ? QString() : QStringLiteral("Done")) : url);
    });
    connect(page, &QWebEnginePage::findTextFinished, this,
            [this](const QWebEngineFindTextResult &result) {
                // Reported from inside findText: the clearing of a search, or the engine
                // giving up on an unfinished one for the new one. Neither is a result.
                if (m_inFindCall)
                    return;
                emit findTextMatches(result.activeMatch(), result.numberOfMatches());
                emit findTextFinished(result.numberOfMatches() > 0);
            });
    connect(m_view, &QWebEngineView::printFinished, this, &WebEnginePane::printFinished);
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget *, QWidget *now) {
        if (now && (now == this || isAncestorOf(now)))
            emit focusReceived();
    });
}

WebEnginePane::~WebEnginePane()
{
    // Pages (this pane's and its pop-ups') must be gone before the profile is released.
    for (const QPointer<PopupBrowserWindow> &popup : std::as_const(m_popups))
        delete popup.data();
    delete m_view;
    m_view = nullptr;
    delete m_profile;
}

QString WebEnginePane::defaultProfilesRoot()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
           + QStringLiteral("/bidbench/profiles");
}

BrowserPaneFactory WebEnginePane::factory(const QString &profilesRoot)
{
    return [profilesRoot](PaneKind kind, QWidget *parent) -> BrowserPane * {
        const QString name = kind == PaneKind::Talvex ? QStringLiteral("talvex")
                                                      : QStringLiteral("auction");
        return new WebEnginePane(profilesRoot, name, parent);
    };
}

QString WebEnginePane::titleOrEmpty(const QString &engineTitle, const QUrl &url)
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

void WebEnginePane::Navigate(const QString &address)
{
    const QUrl url = addressToUrl(address);
    // Busy from the call on, as callers check it right after navigating.
    m_busy = url.isValid();
    m_view->load(url);
}

void WebEnginePane::Navigate(const QString &address, const QByteArray &postData,
                             const QString &headerLine)
{
    QWebEngineHttpRequest request(addressToUrl(address), QWebEngineHttpRequest::Post);
    request.setPostData(postData);
    QString header = headerLine.trimmed();
    const qsizetype colon = header.indexOf(QLatin1Char(':'));
    if (colon > 0)
        request.setHeader(header.left(colon).trimmed().toLatin1(),
                          header.mid(colon + 1).trimmed().toLatin1());
    m_busy = request.url().isValid();
    m_view->load(request);
}

void WebEnginePane::GoBack()
{
    m_view->back();
}

void WebEnginePane::GoForward()
{
    m_view->forward();
}

void WebEnginePane::Stop()
{
    m_view->stop();
}

void WebEnginePane::Refresh()
{
    m_busy = !m_view->url().isEmpty();
    m_view->reload();
}

QString WebEnginePane::LocationURL() const
{
    const QUrl url = m_view->url();
    return url.isEmpty() ? QString() : url.toString();
}

bool WebEnginePane::canGoBack() const
{
    return m_view->history()->canGoBack();
}

bool WebEnginePane::canGoForward() const
{
    return m_view->history()->canGoForward();
}

void WebEnginePane::print(QPrinter *printer)
{
    m_view->print(printer);
}

void WebEnginePane::findText(const QString &text, bool backward, bool caseSensitive)
{
    QWebEnginePage::FindFlags flags;
    if (backward)
        flags |= QWebEnginePage::FindBackward;
    if (caseSensitive)
        flags |= QWebEnginePage::FindCaseSensitively;
    m_inFindCall = true;
    m_view->findText(text, flags);
    m_inFindCall = false;
}

void WebEnginePane::copySelection()
{
    m_view->triggerPageAction(QWebEnginePage::Copy);
}

bool WebEnginePane::hasSelection() const
{
    return m_view->hasSelection();
}

QList<PopupBrowserWindow *> WebEnginePane::popups() const
{
    QList<PopupBrowserWindow *> open;
    for (const QPointer<PopupBrowserWindow> &popup : m_popups) {
        if (popup)
            open.append(popup.data());
    }
    return open;
}

QWebEnginePage *WebEnginePane::createPopup()
{
    m_popups.removeAll(QPointer<PopupBrowserWindow>());
    auto *window = new PopupBrowserWindow(m_profile, this);
    m_popups.append(window);
    window->show();
    return window->page();
}

void WebEnginePane::onLoadStarted()
{
    m_busy = true;
    updateHistoryState();
}

void WebEnginePane::onUrlChanged()
{
    const QUrl url = m_view->url();
    m_title = titleOrEmpty(m_view->title(), url);
    if (url.isEmpty())
        return;
    updateHistoryState();
    // While a load runs, the shown address can still move (a pending entry given up, a
    // redirect); the load's end reports the one it settled on. Outside a load this is an
    // in-page jump, which counts on its own.
    if (!m_busy && url != m_lastNotifiedUrl)
        notifyNavigated();
}

void WebEnginePane::onLoadFinished()
{
    m_title = titleOrEmpty(m_view->title(), m_view->url());
    updateHistoryState();
    notifyNavigated();
    m_busy = false;
    emit StatusTextChange(QStringLiteral("Done"));
    emit DownloadComplete();
}

void WebEnginePane::notifyNavigated()
{
    m_lastNotifiedUrl = m_view->url();
    emit NavigateComplete2();
}

void WebEnginePane::updateHistoryState()
{
    const bool back = canGoBack();
    const bool forward = canGoForward();
    if (forward != m_canGoForward) {
        m_canGoForward = forward;
        emit CommandStateChange(CommandForward, forward);
    }
    if (back != m_canGoBack) {
        m_canGoBack = back;
        emit CommandStateChange(CommandBack, back);
    }
}
