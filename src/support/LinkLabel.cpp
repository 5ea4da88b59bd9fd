#include "LinkLabel.h"

#include <QMouseEvent>

LinkLabel::LinkLabel(const QString &text, QWidget *parent)
    : QLabel(text, parent)
{
    setTextFormat(Qt::PlainText);
    setMouseTracking(true);
    setCursor(Qt::PointingHandCursor);
    setHovered(false);
}

void LinkLabel::setHovered(bool hovered)
{
    m_hovered = hovered;
    QPalette p = palette();
    p.setColor(QPalette::WindowText, hovered ? hoverColor() : restingColor());
    setPalette(p);
    QFont f = font();
    f.setUnderline(hovered);
    setFont(f);
}

void LinkLabel::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_hovered)
        setHovered(true);
    QLabel::mouseMoveEvent(event);
}

void LinkLabel::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        m_pressed = true;
    event->accept();
}

void LinkLabel::mouseReleaseEvent(QMouseEvent *event)
{
    restore();
    const bool click = m_pressed && event->button() == Qt::LeftButton
                       && rect().contains(event->position().toPoint());
    m_pressed = false;
    event->accept();
    if (click)
        emit clicked();
}
