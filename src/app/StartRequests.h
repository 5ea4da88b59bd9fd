#pragma once

#include "CommandLine.h"

#include <QList>
#include <QObject>
#include <QPointer>

class FMain;

// What the starts of the program ask for: an address to open, an item to snipe. Carried out in
// the order asked, once the main window is up and its start-up login is over; until then they
// wait. A request of a later start also brings the window to the front; the first start's own
// leaves the window as it was stored (minimized, say). While the window closes, requests are
// dropped.
class StartRequests : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    void setWindow(FMain *window);
    void add(const CommandLine::Parsed &request, bool fromLaterStart);

private:
    struct Request
    {
        CommandLine::Parsed asked;
        bool fromLaterStart;
    };

    void carryOutWaiting();

    QPointer<FMain> m_window;
    QList<Request> m_waiting;
};
