#pragma once

#include <QByteArray>
#include <QString>
#include <QWidget>

#include <functional>

class QMenu;
class QPrinter;

// One embedded web-browser pane: the operations and events the main window relies on.
// WebEnginePane is the real one; tests use a scriptable fake.
class BrowserPane : public QWidget
{
    Q_OBJECT

public:
    enum Command { CommandForward = 1, CommandBack = 2 };

    using QWidget::QWidget;

    virtual void Navigate(const QString &address) = 0;
    // An HTTP POST carrying exactly postData and the one header line ("Name: value").
    virtual void Navigate(const QString &address, const QByteArray &postData,
                          const QString &headerLine) = 0;
    virtual void GoBack() = 0;
    virtual void GoForward() = 0;
    virtual void Stop() = 0;
    virtual void Refresh() = 0;

    virtual bool Busy() const = 0;
    virtual QString LocationName() const = 0; // page title; empty when no page is shown
    virtual QString LocationURL() const = 0;  // top-level address
    virtual bool canGoBack() const = 0;
    virtual bool canGoForward() const = 0;

    // Prints the page; printFinished reports the outcome.
    virtual void print(QPrinter *printer) = 0;
    // Highlights the next (or previous) match; findTextFinished reports whether there was one
    // and findTextMatches which match is highlighted (from 1) of how many on the page.
    // An empty text clears the highlight.
    virtual void findText(const QString &text, bool backward, bool caseSensitive) = 0;
    virtual void copySelection() = 0;

    // Entries the owner adds to the context menu of a link, given the link's address; the
    // pane knows nothing of what they do.
    using LinkMenuEntries = std::function<void(QMenu *menu, const QString &link)>;
    void setLinkMenuEntries(LinkMenuEntries entries) { m_linkMenuEntries = std::move(entries); }
    // Called as the context menu of a link opens.
    void addLinkMenuEntries(QMenu *menu, const QString &link) const
    {
        if (m_linkMenuEntries)
            m_linkMenuEntries(menu, link);
    }

signals:
    void StatusTextChange(const QString &text);
    void ProgressChange(int percent);
    void CommandStateChange(int command, bool enable);
    void DownloadComplete();
    void NavigateComplete2();
    void focusReceived();
    void printFinished(bool success);
    void findTextFinished(bool found);
    void findTextMatches(int activeMatch, int numberOfMatches);

private:
    LinkMenuEntries m_linkMenuEntries;
};

enum class PaneKind { Talvex, Auction };

// FMain gets its panes from a factory so tests can hand in fakes.
using BrowserPaneFactory = std::function<BrowserPane *(PaneKind kind, QWidget *parent)>;
