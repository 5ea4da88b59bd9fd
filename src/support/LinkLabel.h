#pragma once

#include <QLabel>

// A web-link label: blue at rest; underlined magenta once the pointer moves over it. It does
// not restore itself when the pointer leaves: its window calls restore() on the events that
// should (pointer over the background, a click elsewhere), and a button released over the
// label restores it too before it reports the click.
class LinkLabel : public QLabel
{
    Q_OBJECT

public:
    explicit LinkLabel(const QString &text, QWidget *parent = nullptr);

    static QColor restingColor() { return QColor(0, 0, 255); }
    static QColor hoverColor() { return QColor(255, 0, 255); }

    bool isHovered() const { return m_hovered; }
    void restore() { setHovered(false); }

signals:
    void clicked();

protected:
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void setHovered(bool hovered);

    bool m_hovered = false;
    bool m_pressed = false;
};
