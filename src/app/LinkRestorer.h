#pragma once

#include <QObject>

class LinkLabel;
class QWidget;
class TabControl;

// Brings the link label's resting look back when the pointer moves over the window's bare
// background or over the tab strip. Moves over a control (a pane, the toolbar) that reach
// these widgets only because the control ignored them do not count.
class LinkRestorer : public QObject
{
public:
    LinkRestorer(LinkLabel *link, QWidget *background, TabControl *tabs);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    LinkLabel *m_link;
    QWidget *m_background;
    TabControl *m_tabs;
};
