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

namespace {
class LookRestorer : public QObject
{
public:
    explicit LookRestorer(LinkLabel *link) : QObject(link), m_link(link) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::MouseMove || event->type() == QEvent::MouseButtonRelease) {
            const QPoint pos = static_cast<QMouseEvent *>(event)->position().toPoint();
            if (!static_cast<QWidget *>(watched)->childAt(pos))
                m_link->restoreLook();
        }
        return false;
    }

private:
    LinkLabel *m_link;
};
} // namespace

void LinkLabel::restoreLookOver(const QList<QWidget *> &widgets)
{
    auto *restorer = new LookRestorer(this);
    for (QWidget *widget : widgets) {
        widget->setMouseTracking(true);
        widget->installEventFilter(restorer);
    }
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
