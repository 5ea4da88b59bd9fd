#pragma once

#include <QObject>
#include <QTimer>
#include <QUrl>

// A pane's account of its loads, kept apart from the engine, which tells it what it shows:
// whether a load asked for has yet to start, which history entry was last reported as arrived,
// and the Back and Forward state last reported.
class LoadTracker : public QObject
{
    Q_OBJECT

public:
    // What the engine shows: the committed page and where its history stands.
    struct Shown
    {
        QUrl url;
        int index = -1; // the history's current entry
        int count = 0;
        QUrl entryUrl; // that entry's address; ahead of url while a move back or forward has not committed
        bool canGoBack = false;
        bool canGoForward = false;
    };

    // A load the engine never starts (an address it hands elsewhere) is given up after guardMs.
    explicit LoadTracker(int guardMs = 3000, QObject *parent = nullptr);

    // Our own Navigate or Refresh. The engine reports a load only a moment after it was asked
    // for one, and callers look at Busy right after navigating.
    void requested(bool startsLoad);
    // Stop, the renderer's end, or a sign that the engine is loading nothing.
    void dropRequest() { m_requested = false; }
    bool isRequestPending() const { return m_requested; }

    void loadStarted(const Shown &shown);
    // Any sign that a navigation may have committed: a new address, progress, a title.
    void changed(const Shown &shown);
    void loadFinished(bool ok, const Shown &shown);

    // A page's own title, or empty when the engine shows the address in its place.
    static QString titleOrEmpty(const QString &engineTitle, const QUrl &url);
    // Whether loading target while current is shown starts no load in the engine: a
    // javascript: address, or a move to another place of the same document.
    static bool startsNoLoad(const QUrl &target, const QUrl &current);

signals:
    // The page the engine shows has arrived (NavigateComplete2).
    void arrived();
    void CommandStateChange(int command, bool enable);

private:
    struct Entry
    {
        QUrl url;
        int index = -1;
        int count = 0;
        bool operator==(const Entry &) const = default;
    };

    void report(const Entry &entry);
    void updateHistoryState(const Shown &shown);

    bool m_requested = false;
    QTimer m_guard;
    bool m_reportedSinceLoadStart = false;
    Entry m_reported;
    bool m_canGoBack = false;
    bool m_canGoForward = false;
};
