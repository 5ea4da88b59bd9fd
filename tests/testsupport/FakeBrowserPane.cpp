#include "FakeBrowserPane.h"

FakeBrowserPane::FakeBrowserPane(QWidget *parent)
    : BrowserPane(parent)
{
    setFocusPolicy(Qt::StrongFocus);
}

BrowserPaneFactory FakeBrowserPane::factory(QList<FakeBrowserPane *> *created)
{
    return [created](PaneKind kind, QWidget *parent) -> BrowserPane * {
        auto *pane = new FakeBrowserPane(parent);
        pane->kind = kind;
        if (created)
            created->append(pane);
        return pane;
    };
}

void FakeBrowserPane::Navigate(const QString &address)
{
    requests.append({address, {}, {}, false});
    busy = true;
}

void FakeBrowserPane::Navigate(const QString &address, const QByteArray &postData,
                               const QString &headerLine)
{
    requests.append({address, postData, headerLine, true});
    busy = true;
}

void FakeBrowserPane::Stop()
{
    calls.append(QStringLiteral("Stop"));
    busy = false;
}

void FakeBrowserPane::print(QPrinter *)
{
    calls.append(QStringLiteral("print"));
    emit printFinished(true);
}

void FakeBrowserPane::findText(const QString &text, bool backward, bool caseSensitive)
{
    lastFind = text;
    calls.append(QStringLiteral("findText:%1:%2:%3")
                     .arg(text, backward ? QStringLiteral("back") : QStringLiteral("fwd"),
                          caseSensitive ? QStringLiteral("case") : QStringLiteral("nocase")));
    emit findTextMatches(findResult ? 1 : 0, findResult ? findMatches : 0);
    emit findTextFinished(findResult);
}

void FakeBrowserPane::finishLoad(const QString &address, const QString &pageTitle, bool stayBusy)
{
    url = address;
    title = pageTitle;
    emit NavigateComplete2();
    if (stayBusy)
        return;
    busy = false;
    emit DownloadComplete();
}

void FakeBrowserPane::setHistory(bool canBack, bool canForward)
{
    if (canForward != forward) {
        forward = canForward;
        emit CommandStateChange(CommandForward, canForward);
    }
    if (canBack != back) {
        back = canBack;
        emit CommandStateChange(CommandBack, canBack);
    }
}
