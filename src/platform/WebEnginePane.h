#pragma once

#include "BrowserPane.h"
#include "LoadTracker.h"

#include <QList>
#include <QPointer>

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

    QWebEngineView *view() const { return m_view; }
    QWebEngineProfile *profile() const { return m_profile; }

    // Shown in place of the page after its renderer process ended.
    bool isShowingStoppedPage() const;
    QString stoppedPageText() const;

private:
    void expectLoad(bool startsLoad);
    LoadTracker::Shown shown() const;
    void updateTitle();
    void onRendererEnded();
    void showPage();
    QWebEnginePage *createPopup();

    QWebEngineProfile *m_profile = nullptr;
    QWebEngineView *m_view = nullptr;
    QList<QPointer<PopupBrowserWindow>> m_popups;
    QStackedLayout *m_stack = nullptr;
    QLabel *m_stoppedPage = nullptr;
    QString m_title;
    LoadTracker m_loads;
    bool m_inFindCall = false;
};
