#pragma once

#include "BrowserPane.h"

#include <QList>
#include <QPointer>
#include <QUrl>

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

    bool Busy() const override { return m_busy; }
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

private:
    void onLoadStarted();
    void onUrlChanged();
    void onLoadFinished();
    void notifyNavigated();
    void updateHistoryState();
    QWebEnginePage *createPopup();

    QWebEngineProfile *m_profile = nullptr;
    QWebEngineView *m_view = nullptr;
    QList<QPointer<PopupBrowserWindow>> m_popups;
    QString m_title;
    bool m_busy = false;
    QUrl m_lastNotifiedUrl;
    bool m_canGoBack = false;
    bool m_canGoForward = false;
    bool m_inFindCall = false;
};
