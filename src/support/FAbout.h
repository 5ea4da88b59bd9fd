#pragma once

#include <QDialog>

class HelpLinks;
class LinkLabel;
class QFrame;
class QLabel;
class QPushButton;

// The About box: title, version, a link to the Talvex web site, and the system-information tool.
class FAbout : public QDialog
{
    Q_OBJECT

public:
    FAbout(const HelpLinks &links, QWidget *parent = nullptr);

    // The product logo, drawn rather than shipped so it scales with the screen.
    static QPixmap logo(int size);

    QLabel *Image1;
    QLabel *lblTitle;
    QLabel *lblVersion;
    QLabel *lblDescription;
    LinkLabel *lblMardell;
    QLabel *lblDisclaimer;
    QPushButton *cmdOK;
    QPushButton *cmdSysInfo;

protected:
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void load();
    // The pointer over the bare window (not over one of its controls) restores the link.
    void restoreLinkOverBackground(const QPoint &pos);

    const HelpLinks &m_links;
};
