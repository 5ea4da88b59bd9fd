#include "TabControl.h"

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
