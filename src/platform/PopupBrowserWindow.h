#pragma once

#include <QWidget>

class QWebEngineProfile;
class QWebEnginePage;
class QWebEngineView;

// A small top-level browser window for pages that ask for a new window. It shares the
// profile of the pane that opened it, so a site's pop-ups keep the login.
class PopupBrowserWindow : public QWidget
{
    Q_OBJECT

public:
    explicit PopupBrowserWindow(QWebEngineProfile *profile, QWidget *parent = nullptr);
    ~PopupBrowserWindow() override;

    QWebEnginePage *page() const;
    QWebEngineView *view() const { return m_view; }

private:
    QWebEngineView *m_view;
};
