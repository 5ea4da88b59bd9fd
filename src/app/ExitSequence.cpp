#include "ExitSequence.h"

#include "ProgramEnd.h"
#include "TerminationSignals.h"

#include <QApplication>
#include <QCloseEvent>
#include <QTimer>
#include <QWidget>

ExitSequence::ExitSequence(QWidget *window, Steps steps)
    : QObject(window)
    , m_window(window)
    , m_steps(std::move(steps))
    , m_timAppEnd(new QTimer(this))
{
    m_timAppEnd->setObjectName(QStringLiteral("timAppEnd"));
    m_timAppEnd->setInterval(2000);
    m_timAppEnd->setSingleShot(true);
    // The program's own close: not the user's, so nothing asks again.
    connect(m_timAppEnd, &QTimer::timeout, m_window, &QWidget::close);
}

void ExitSequence::closeOnTerminationSignals(QWidget &window)
{
    auto *endSignals = new TerminationSignals(&window);
    connect(endSignals, &TerminationSignals::received, &window, &QWidget::close);
}

void ExitSequence::ExitProgram()
{
    if (m_steps.beforeShutdown)
        m_steps.beforeShutdown();
    BeginShutdown();
}

void ExitSequence::BeginShutdown()
{
    m_bIsShuttingDown = true;
    // The application's pointer: a disabled window shows none of its own.
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_window->setEnabled(false);
    m_timAppEnd->start();
    m_steps.sendAuctionHome();
}

// Only the window system's close is the user's (the close box, its menu, Alt+F4); a close
// while the session manager collects data is the session ending. The same session can see
// both, so the mode belongs to each close, not to the window.
ExitSequence::UnloadMode ExitSequence::unloadModeOf(const QCloseEvent &event)
{
    if (qApp->isSavingSession())
        return UnloadMode::SystemShutdown;
    return event.spontaneous() ? UnloadMode::UserClose : UnloadMode::ProgramUnload;
}

void ExitSequence::handleClose(QCloseEvent *event)
{
    // An accepted update ends the program at once: nothing of the exit sequence runs.
    if (ProgramEnd::instance().isEnding() || m_bIsEnded) {
        event->accept();
        return;
    }
    if (unloadModeOf(*event) == UnloadMode::UserClose) {
        // The same road as File > Exit; while it is being taken a further close is refused.
        event->ignore();
        if (!m_bIsShuttingDown)
            ExitProgram();
        return;
    }
    event->accept();
    SaveSettingsAndEnd();
}

void ExitSequence::SaveSettingsAndEnd()
{
    m_bIsEnded = true;
    if (m_bIsShuttingDown)
        QApplication::restoreOverrideCursor();
    unloadOtherWindows();
    m_steps.saveSettings();
    if (m_steps.endProgram)
        m_steps.endProgram();
    else
        QCoreApplication::exit(0);
}

void ExitSequence::unloadOtherWindows()
{
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (qsizetype i = windows.size() - 1; i >= 0; --i) {
        QWidget *window = windows.at(i);
        if (window == m_window || !window->isWindow())
            continue;
        const Qt::WindowType type = window->windowType();
        if (type == Qt::Popup || type == Qt::ToolTip || type == Qt::Desktop)
            continue;
        window->close();
    }
}
