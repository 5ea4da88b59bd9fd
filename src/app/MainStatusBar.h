#pragma once

#include <QStatusBar>

#include <array>

class QLabel;
class QTimer;

// sbStatusBar: panel 1 names the current pane, panel 2 shows its status text, panel 3 the
// date, which follows the calendar on its own.
class MainStatusBar : public QStatusBar
{
    Q_OBJECT

public:
    explicit MainStatusBar(QWidget *parent = nullptr);

    QLabel *panel(int index) const; // 1 ... 3

private:
    void showToday();

    std::array<QLabel *, 3> m_panels{};
    QTimer *m_midnight;
};
