#include "FakeBrowserPane.h"

void FakeBrowserPane::findText(const QString &text, bool, bool)
{
    lastFind = text;
    emit findTextMatches(1, 1);
    emit findTextFinished(true);
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
