#pragma once

#include "BrowserPane.h"

#include <QtWidgets>

// A scriptable pane: records every call, and a test plays the engine's part by calling
// finishLoad(), setHistory() and friends, which raise the same events as the real pane.
class FakeBrowserPane : public BrowserPane
{
    Q_OBJECT

public:
    explicit FakeBrowserPane(QWidget *parent = nullptr) : BrowserPane(parent) { setFocusPolicy(Qt::StrongFocus); }

    void Navigate(const QString &address) override { requests.append(address); busy = true; }
    void Navigate(const QString &address, const QByteArray &postData, const QString &) override
    {
        Navigate(address);
        posted = postData;
    }
    void GoBack() override { calls.append(QStringLiteral("GoBack")); }
    void GoForward() override { calls.append(QStringLiteral("GoForward")); }
    void Stop() override { calls.append(QStringLiteral("Stop")); busy = false; }
    void Refresh() override { calls.append(QStringLiteral("Refresh")); }

    bool Busy() const override { return busy; }
    QString LocationName() const override { return title; }
    QString LocationURL() const override { return url; }
    bool canGoBack() const override { return back; }
    bool canGoForward() const override { return forward; }

    void print(QPrinter *) override { calls.append(QStringLiteral("print")); emit printFinished(true); }
    void findText(const QString &text, bool backward, bool caseSensitive) override;
    void copySelection() override { calls.append(QStringLiteral("copySelection")); }

    // Engine side: the navigation commits (NavigateComplete2) and, unless stayBusy, finishes
    // (DownloadComplete).
    void finishLoad(const QString &address, const QString &pageTitle = QString(), bool stayBusy = false);
    void setHistory(bool canBack, bool canForward);
    void setStatusText(const QString &text) { emit StatusTextChange(text); }

    QStringList requests;    // every address navigated to, in order
    QStringList calls;       // every other operation, by name
    QByteArray posted;       // the body of the last post
    QString url;
    QString title;
    bool busy = false;
    bool back = false;
    bool forward = false;
    QString lastFind;
};
