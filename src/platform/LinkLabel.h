#pragma once

#include <QColor>
#include <QLabel>

// A text that acts as a web link: underlined and magenta while the pointer is over it, blue
// and plain at rest. A "&" in the text marks an access key (underlined letter). The window
// around it decides when the resting look comes back (restoreLook), since the label only
// knows about the pointer entering it and buttons released over it.
class LinkLabel : public QLabel
{
    Q_OBJECT

public:
    static QColor hoverColor() { return QColor(255, 0, 255); }
    static QColor restColor() { return QColor(0, 0, 255); }

    // initialColor: the look before the pointer first touches it (defaults to restColor).
    explicit LinkLabel(const QString &text, QWidget *parent = nullptr,
                       const QColor &initialColor = restColor());
    explicit LinkLabel(QWidget *parent = nullptr) : LinkLabel(QString(), parent) {}

    // The look until the pointer first touches the link.
    void setInitialColor(const QColor &color) { applyLook(color, false); }
    // The label only sees the pointer enter it; the resting look comes back when the pointer
    // moves, or a button is released, over the bare part (no control under the pointer) of
    // one of these widgets, typically the window and a few areas around the link.
    void restoreLookOver(const QList<QWidget *> &widgets);

    QColor textColor() const { return m_color; }
    bool isUnderlined() const { return font().underline(); }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

public slots:
    void showHoverLook();
    void restoreLook();

signals:
    void clicked();

protected:
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void applyLook(const QColor &color, bool underline);

    QColor m_color;
    bool m_hover = false;
    bool m_pressed = false;
};
