#pragma once

#include <QObject>
#include <QSize>
#include <QString>
#include <Qt>

#include <optional>

class SettingsStore;

// The main window's stored geometry: state 0 normal, 1 minimized, 2 maximized; outer sizes in
// twips as the settings store keeps them.
namespace WindowPlacement {

struct Restore
{
    Qt::WindowState state = Qt::WindowNoState;
    QSize outer{-1, -1}; // pixels; a side below 1 keeps the design size
    bool operator==(const Restore &) const = default;
};

// Nothing to restore when the stored state is missing or is not a window state. A size that
// is not a positive number keeps the design size; one larger than the screen's available
// area is cut to it.
std::optional<Restore> restore(const QString &state, const QString &widthTwips,
                               const QString &heightTwips, const QSize &available);

// The main window's geometry as the settings hold it, if they hold any.
void restoreStored(QWidget *window, const SettingsStore &settings);

// Gives a window the stored geometry: the sizes as its normal size, then the state, so a
// maximized window keeps them for later. The stored sizes are outer sizes; the frame is known
// only once the window is on screen, so the size is corrected then, and the window does not
// grow by its frame from run to run.
class Applier : public QObject
{
public:
    static void apply(QWidget *window, const Restore &restore);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    Applier(QWidget *window, const QSize &outer);
    void applyOuterSize();
    QWidget *m_window;
    QSize m_outer;
};

// What the exit stores: the state as 0, 1 or 2 and the outer size as the decimal text of a
// single-precision number of twips, whatever the state.
struct Stored
{
    QString state, width, height;
};
Stored store(Qt::WindowStates states, const QSize &outer);

} // namespace WindowPlacement
