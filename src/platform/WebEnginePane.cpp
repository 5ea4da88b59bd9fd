#include "WebEnginePane.h"

#include "Address.h"
#include "PopupBrowserWindow.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QStackedLayout>
#include <QStandardPaths>
#include <QWebEngineContextMenuRequest>
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
    // The engine's own menu, with the owner's entries on top when it is a link's.
    m_view->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_view, &QWidget::customContextMenuRequested, this, [this](const QPoint &at) {
        QMenu *menu = m_view->createStandardContextMenu();
        menu->setAttribute(Qt::WA_DeleteOnClose);
        const QWebEngineContextMenuRequest *request = m_view->lastContextMenuRequest();
        if (request && request->linkUrl().isValid())
            addLinkMenuEntries(menu, request->linkUrl().toString());
        menu->popup(m_view->mapToGlobal(at));
    });

    m_stoppedPage = new QLabel(this);
    m_stoppedPage->setObjectName(QStringLiteral("stoppedPage"));
    m_stoppedPage->setAlignment(Qt::AlignCenter);
    m_stoppedPage->setTextFormat(Qt::PlainText);
    m_stoppedPage->setWordWrap(true);
    m_stoppedPage->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_stoppedPage->setAutoFillBackground(true);
    m_stack = new QStackedLayout(this);
    m_stack->setContentsMargins(0, 0, 0, 0);
    m_stack->addWidget(m_view);
    m_stack->addWidget(m_stoppedPage);

    connect(&m_loads, &LoadTracker::arrived, this, [this] {
        updateTitle();
        emit NavigateComplete2();
    });
    connect(&m_loads, &LoadTracker::CommandStateChange, this, &BrowserPane::CommandStateChange);

    QWebEnginePage *page = m_view->page();
    connect(page, &QWebEnginePage::loadStarted, this, [this] { m_loads.loadStarted(shown()); });
    connect(page, &QWebEnginePage::loadingChanged, this, [this](const QWebEngineLoadingInfo &info) {
        // The load's own address: when a load starts the view still shows the previous page.
        if (info.status() == QWebEngineLoadingInfo::LoadStartedStatus)
            emit StatusTextChange(QStringLiteral("Opening page ") + info.url().toString()
                                  + QStringLiteral("..."));
    });
    // Each of these can be the first sign that a navigation has committed.
    connect(page, &QWebEnginePage::urlChanged, this, [this] {
        // A move within the page starts no load; whatever we asked for has happened.
        if (!m_view->page()->isLoading())
            m_loads.dropRequest();
        m_loads.changed(shown());
    });
    connect(page, &QWebEnginePage::loadProgress, this, [this](int percent) {
        m_loads.changed(shown());
        emit ProgressChange(percent);
    });
    connect(page, &QWebEnginePage::titleChanged, this, [this] {
        updateTitle();
        m_loads.changed(shown());
    });
    connect(page, &QWebEnginePage::loadFinished, this, [this](bool ok) {
        updateTitle();
        m_loads.loadFinished(ok, shown());
        if (!m_view->page()->isLoading())
            m_loads.dropRequest();
        emit StatusTextChange(QStringLiteral("Done"));
        emit DownloadComplete();
    });
    connect(page, &QWebEnginePage::renderProcessTerminated, this, &WebEnginePane::onRendererEnded);
    connect(page, &QWebEnginePage::linkHovered, this, [this](const QString &url) {
        emit StatusTextChange(url.isEmpty() ? (Busy() ? QString() : QStringLiteral("Done")) : url);
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

bool WebEnginePane::Busy() const
{
    if (isShowingStoppedPage())
        return false;
    return m_loads.isRequestPending() || m_view->page()->isLoading();
}

void WebEnginePane::expectLoad(bool startsLoad)
{
    showPage();
    m_loads.requested(startsLoad);
}

void WebEnginePane::Navigate(const QString &address)
{
    const QUrl url = addressToUrl(address);
    expectLoad(url.isValid() && !LoadTracker::startsNoLoad(url, m_view->url()));
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
    expectLoad(request.url().isValid());
    m_view->load(request);
}

void WebEnginePane::GoBack()
{
    if (canGoBack())
        showPage();
    m_view->back();
}

void WebEnginePane::GoForward()
{
    if (canGoForward())
        showPage();
    m_view->forward();
}

void WebEnginePane::Stop()
{
    m_loads.dropRequest();
    m_view->stop();
}

void WebEnginePane::Refresh()
{
    const QUrl url = m_view->url();
    if (url.isEmpty())
        return;
    const bool stopped = isShowingStoppedPage();
    expectLoad(true);
    // The renderer is gone: load the page afresh rather than reload a dead document.
    if (stopped)
        m_view->load(url);
    else
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

QWebEnginePage *WebEnginePane::createPopup()
{
    m_popups.removeAll(QPointer<PopupBrowserWindow>());
    auto *window = new PopupBrowserWindow(m_profile, this);
    m_popups.append(window);
    window->show();
    return window->page();
}

LoadTracker::Shown WebEnginePane::shown() const
{
    const QWebEngineHistory *history = m_view->history();
    LoadTracker::Shown shown{m_view->url(), history->currentItemIndex(), history->count()};
    if (shown.index >= 0 && shown.index < shown.count)
        shown.entryUrl = history->currentItem().url();
    shown.canGoBack = canGoBack();
    shown.canGoForward = canGoForward();
    return shown;
}

void WebEnginePane::updateTitle()
{
    m_title = LoadTracker::titleOrEmpty(m_view->title(), m_view->url());
}

void WebEnginePane::onRendererEnded()
{
    // Whatever was on its way would arrive into a page that is gone.
    m_loads.dropRequest();
    m_view->stop();
    m_stoppedPage->setText(stoppedPageText());
    m_stack->setCurrentWidget(m_stoppedPage);
    emit StatusTextChange(QStringLiteral("Done"));
    emit DownloadComplete();
}

QString WebEnginePane::stoppedPageText() const
{
    return QStringLiteral("This page stopped working:\n") + m_view->url().toString()
           + QStringLiteral("\n\nPress Refresh to load it again.");
}

bool WebEnginePane::isShowingStoppedPage() const
{
    return m_stack->currentWidget() == m_stoppedPage;
}

void WebEnginePane::showPage()
{
    m_stack->setCurrentWidget(m_view);
}
