#include "LinkLabel.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyle>

LinkLabel::LinkLabel(const QString &text, QWidget *parent, const QColor &initialColor)
    : QLabel(text, parent)
{
    setMouseTracking(true);
    setCursor(Qt::PointingHandCursor);
    applyLook(initialColor, false);
}

void LinkLabel::showHoverLook()
{
    m_hover = true;
    applyLook(hoverColor(), true);
}

void LinkLabel::restoreLook()
{
    m_hover = false;
    applyLook(restColor(), false);
}

void LinkLabel::applyLook(const QColor &color, bool underline)
{
    m_color = color;
    QFont f = font();
    f.setUnderline(underline);
    setFont(f);
    update();
}

void LinkLabel::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_hover)
        showHoverLook();
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
    // Releasing a button over the link brings the resting look back; a completed left click
    // follows the link.
    restoreLook();
    const bool click = m_pressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    m_pressed = false;
    event->accept();
    if (click)
        emit clicked();
}

void LinkLabel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setPen(m_color);
    painter.setFont(font());
    int flags = int(alignment()) | Qt::TextShowMnemonic;
    if (wordWrap())
        flags |= Qt::TextWordWrap;
    painter.drawText(contentsRect(), flags, text());
}

QSize LinkLabel::sizeHint() const
{
    const QFontMetrics fm(font());
    const QSize text = fm.size(Qt::TextShowMnemonic, this->text());
    const QMargins m = contentsMargins();
    return text + QSize(m.left() + m.right(), m.top() + m.bottom());
}

QSize LinkLabel::minimumSizeHint() const
{
    return sizeHint();
}
