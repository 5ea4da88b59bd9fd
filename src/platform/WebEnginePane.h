#pragma once

#include "BrowserPane.h"

#include <QList>
#include <QPointer>
#include <QTimer>
#include <QUrl>

class QLabel;
class QStackedLayout;
class QWebEngineProfile;
class QWebEngineView;
class QWebEnginePage;
class PopupBrowserWindow;

// A browser pane over Qt WebEngine with a persistent profile of its own, so each pane keeps
// its own cookies across runs. Pop-ups open in small windows that share the profile.
class WebEnginePane : public BrowserPane
{
    Q_OBJECT

public:
    // The profile lives in profilesRoot/profileName.
    WebEnginePane(const QString &profilesRoot, const QString &profileName, QWidget *parent = nullptr);
    ~WebEnginePane() override;

    // $XDG_DATA_HOME/bidbench/profiles
    static QString defaultProfilesRoot();
    static BrowserPaneFactory factory(const QString &profilesRoot = defaultProfilesRoot());

    void Navigate(const QString &address) override;
    void Navigate(const QString &address, const QByteArray &postData,
                  const QString &headerLine) override;
    void GoBack() override;
    void GoForward() override;
    void Stop() override;
    void Refresh() override;

    bool Busy() const override;
    QString LocationName() const override { return m_title; }
    QString LocationURL() const override;
    bool canGoBack() const override;
    bool canGoForward() const override;

    void print(QPrinter *printer) override;
    void findText(const QString &text, bool backward, bool caseSensitive) override;
    void copySelection() override;
    bool hasSelection() const override;

    QWebEngineView *view() const { return m_view; }
    QWebEngineProfile *profile() const { return m_profile; }
    QList<PopupBrowserWindow *> popups() const;

    // A page's own title, or empty when the engine shows the address in its place.
    static QString titleOrEmpty(const QString &engineTitle, const QUrl &url);
    // Whether loading target while current is shown starts no load in the engine: a
    // javascript: address, or a move to another place of the same document.
    static bool startsNoLoad(const QUrl &target, const QUrl &current);

    // Shown in place of the page after its renderer process ended.
    bool isShowingStoppedPage() const;
    QString stoppedPageText() const;

private:
    struct Entry
    {
        QUrl url;
        int index = -1;
        int count = 0;
        bool operator==(const Entry &) const = default;
    };

    void expectLoad(bool startsLoad);
    void onLoadStarted();
    void onLoadFinished(bool ok);
    void reportIfCommitted();
    void report(const Entry &entry);
    void updateHistoryState();
    void onRendererEnded();
    void showPage();
    QWebEnginePage *createPopup();

    QWebEngineProfile *m_profile = nullptr;
    QWebEngineView *m_view = nullptr;
    QList<QPointer<PopupBrowserWindow>> m_popups;
    QStackedLayout *m_stack = nullptr;
    QLabel *m_stoppedPage = nullptr;
    QString m_title;
    // Set by our own Navigate until the engine starts the load and reports it itself.
    bool m_loadRequested = false;
    QTimer m_requestWatch;
    bool m_reportedSinceLoadStart = false;
    Entry m_reported;
    bool m_canGoBack = false;
    bool m_canGoForward = false;
    bool m_inFindCall = false;
};
