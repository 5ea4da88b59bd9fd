#include "TabControl.h"

#include <QApplication>
#include <QPainter>
#include <QStyleOptionTabWidgetFrame>
#include <QStylePainter>
#include <QTabBar>

TabControl::TabControl(QWidget *parent)
    : QWidget(parent)
    , m_bar(new QTabBar(this))
{
    m_bar->setDrawBase(false);
    m_bar->setExpanding(false);
    // A low tab strip, so the controls placed right under it (24 pixels down) stay clear.
    m_bar->setStyleSheet(QStringLiteral("QTabBar::tab { height: 20px; }"));
    m_bar->move(0, 0);
    connect(m_bar, &QTabBar::currentChanged, this, [this](int tab) {
        if (tab < 0 || tab == m_current)
            return;
        const int previous = m_current;
        m_current = tab;
        showControlsOf(tab);
        emit Click(previous);
    });
}

int TabControl::addTab(const QString &caption)
{
    const QSignalBlocker block(m_bar);
    const int index = m_bar->addTab(caption);
    if (m_current < 0)
        m_current = index;
    m_bar->setCurrentIndex(m_current);
    m_bar->resize(m_bar->sizeHint());
    return index;
}

void TabControl::addControl(int tab, QWidget *control)
{
    control->setParent(this);
    m_controls.append({tab, control, true});
    control->setVisible(tab == m_current);
    m_bar->raise();
}

int TabControl::count() const
{
    return m_bar->count();
}

int TabControl::Tab() const
{
    return m_current;
}

void TabControl::setTab(int tab)
{
    if (tab < 0 || tab >= count() || tab == m_current)
        return;
    m_bar->setCurrentIndex(tab);
}

void TabControl::setControlVisible(QWidget *control, bool visible)
{
    for (Entry &entry : m_controls) {
        if (entry.control == control) {
            entry.visible = visible;
            control->setVisible(visible && entry.tab == m_current);
            return;
        }
    }
    control->setVisible(visible);
}

void TabControl::showControlsOf(int tab)
{
    for (const Entry &entry : std::as_const(m_controls)) {
        if (entry.tab != tab)
            entry.control->setVisible(false);
    }
    for (const Entry &entry : std::as_const(m_controls)) {
        if (entry.tab == tab)
            entry.control->setVisible(entry.visible);
    }
}

// The browser engine puts its widgets at the end of the window's focus chain when a page first
// loads, so Tab would jump from a page past the address box. Between the tab strip and the
// current tab's controls, Tab follows the screen instead: top to bottom, left to right.
bool TabControl::focusNextPrevChild(bool next)
{
    const auto target = [](QWidget *control) {
        while (control->focusProxy())
            control = control->focusProxy();
        return control;
    };
    QList<QWidget *> stops{m_bar};
    for (const Entry &entry : std::as_const(m_controls)) {
        if (entry.tab == m_current && entry.control->isVisible()
            && (target(entry.control)->focusPolicy() & Qt::TabFocus) == Qt::TabFocus)
            stops.append(entry.control);
    }
    std::stable_sort(stops.begin(), stops.end(), [](const QWidget *a, const QWidget *b) {
        return std::pair(a->y(), a->x()) < std::pair(b->y(), b->x());
    });
    const QWidget *focus = QApplication::focusWidget();
    const auto at = std::find_if(stops.cbegin(), stops.cend(), [&](QWidget *stop) {
        return focus && (target(stop) == focus || target(stop)->isAncestorOf(focus));
    });
    if (at == stops.cend())
        return QWidget::focusNextPrevChild(next);
    const qsizetype count = stops.size();
    const qsizetype to = ((at - stops.cbegin()) + (next ? 1 : count - 1)) % count;
    stops[to]->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return true;
}

void TabControl::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    QStyleOptionTabWidgetFrame frame;
    frame.initFrom(this);
    frame.lineWidth = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
    frame.shape = QTabBar::RoundedNorth;
    frame.tabBarSize = m_bar->sizeHint();
    frame.rect = rect().adjusted(0, m_bar->height() - frame.lineWidth, 0, 0);
    frame.tabBarRect = m_bar->geometry();
    painter.drawPrimitive(QStyle::PE_FrameTabWidget, frame);
}

void TabControl::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    m_bar->resize(qMin(width(), m_bar->sizeHint().width()), m_bar->sizeHint().height());
}
