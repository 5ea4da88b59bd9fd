#include "StartRequests.h"

#include "FMain.h"

#include <utility>

void StartRequests::setWindow(FMain *window)
{
    m_window = window;
    if (window)
        connect(window, &FMain::startupLoginOver, this, &StartRequests::carryOutWaiting);
    carryOutWaiting();
}

void StartRequests::add(const CommandLine::Parsed &request, bool fromLaterStart)
{
    m_waiting.append({request, fromLaterStart});
    carryOutWaiting();
}

void StartRequests::carryOutWaiting()
{
    // Sent into the Talvex pane any earlier, a request would cancel the login.
    if (!m_window || !m_window->isStartupLoginOver())
        return;
    for (const Request &request : std::exchange(m_waiting, {})) {
        if (!m_window->isEnabled())
            return; // closing: it takes no more
        if (request.fromLaterStart)
            m_window->RaiseWindow();
        if (!request.asked.url.isEmpty())
            m_window->OpenAddress(request.asked.url);
        if (!request.asked.item.isEmpty())
            m_window->SnipeItem(request.asked.item);
    }
}
