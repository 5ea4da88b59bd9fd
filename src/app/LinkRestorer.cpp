#include "LinkRestorer.h"

#include "LinkLabel.h"
#include "TabControl.h"

#include <QMouseEvent>
#include <QTabBar>

LinkRestorer::LinkRestorer(LinkLabel *link, QWidget *background, TabControl *tabs)
    : QObject(link)
    , m_link(link)
    , m_background(background)
    , m_tabs(tabs)
{
    for (QWidget *w : {background, static_cast<QWidget *>(tabs), static_cast<QWidget *>(tabs->tabBar())}) {
        w->setMouseTracking(true);
        w->installEventFilter(this);
    }
}

bool LinkRestorer::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::MouseMove)
        return false;
    const QPoint pos = static_cast<QMouseEvent *>(event)->position().toPoint();
    if (watched == m_tabs->tabBar()) {
        m_link->restoreLook();
    } else if (watched == m_tabs) {
        QWidget *under = m_tabs->childAt(pos);
        if (!under || under == m_tabs->tabBar())
            m_link->restoreLook();
    } else if (watched == m_background && !m_background->childAt(pos)) {
        m_link->restoreLook();
    }
    return false;
}
