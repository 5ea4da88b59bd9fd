#include "WindowPlacement.h"

#include "ProgramIdentity.h"
#include "SettingsStore.h"
#include "Twips.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>
#include <charconv>
#include <cmath>

namespace WindowPlacement {

namespace {
// A positive finite number of twips as pixels, at most `limit`; -1 when there is none.
int storedPixels(const QString &twips, int (*toPixels)(double), int limit)
{
    bool ok = false;
    const double value = twips.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value) || value <= 0.0)
        return -1;
    // Cut in twips first: a huge number must not overflow the conversion.
    const int pixels = toPixels(std::min(value, 1.0e7));
    return limit > 0 ? std::clamp(pixels, 1, limit) : std::max(pixels, 1);
}

// The shortest decimal text of a single-precision number ("9990", "10020.5").
QString singleText(double value)
{
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, float(value));
    return QString::fromLatin1(buffer, result.ptr - buffer);
}
} // namespace

std::optional<Restore> restore(const QString &state, const QString &widthTwips,
                               const QString &heightTwips, const QSize &available)
{
    bool ok = false;
    const int value = state.trimmed().toInt(&ok);
    if (!ok || value < 0 || value > 2)
        return std::nullopt;
    Restore result;
    result.state = value == 1 ? Qt::WindowMinimized : value == 2 ? Qt::WindowMaximized : Qt::WindowNoState;
    result.outer = QSize(storedPixels(widthTwips, Twips::toPixelsX, available.width()),
                         storedPixels(heightTwips, Twips::toPixelsY, available.height()));
    return result;
}

void restoreStored(QWidget *window, const SettingsStore &settings)
{
    const auto stored = [&](const char *key) {
        return settings.GetSetting(ProgramIdentity::maker(), ProgramIdentity::title(), QString::fromLatin1(key));
    };
    const QString state = stored("WindowState");
    if (state.isEmpty())
        return; // design size; the stored sizes are not read
    const QScreen *screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (const std::optional<Restore> placement = restore(state, stored("WindowWidth"), stored("WindowHeight"),
                                                         screen ? screen->availableGeometry().size() : QSize()))
        Applier::apply(window, *placement);
}

void Applier::apply(QWidget *window, const Restore &restore)
{
    auto *applier = new Applier(window, restore.outer);
    applier->applyOuterSize();
    window->setWindowState(restore.state);
}

Applier::Applier(QWidget *window, const QSize &outer)
    : QObject(window)
    , m_window(window)
    , m_outer(outer)
{
    window->installEventFilter(this);
}

bool Applier::eventFilter(QObject *, QEvent *event)
{
    const QEvent::Type type = event->type();
    if ((type == QEvent::Show || type == QEvent::Move || type == QEvent::Resize || type == QEvent::WindowStateChange)
        && m_window->isVisible() && !(m_window->windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen))
        && m_window->frameGeometry().size() != m_window->size()) {
        applyOuterSize();
        deleteLater(); // once the frame is known, the window is the user's
    }
    return false;
}

void Applier::applyOuterSize()
{
    const QSize frame = m_window->frameGeometry().size() - m_window->size();
    m_window->resize(m_outer.width() > 0 ? qMax(1, m_outer.width() - frame.width()) : m_window->width(),
                     m_outer.height() > 0 ? qMax(1, m_outer.height() - frame.height()) : m_window->height());
}

Stored store(Qt::WindowStates states, const QSize &outer)
{
    const int state = states & Qt::WindowMinimized ? 1
                      : states & (Qt::WindowMaximized | Qt::WindowFullScreen) ? 2 : 0;
    return {QString::number(state), singleText(Twips::fromPixelsX(outer.width())),
            singleText(Twips::fromPixelsY(outer.height()))};
}

} // namespace WindowPlacement
