#pragma once

#include <QObject>

class AddressBox;
class QAction;
class QIcon;
class QToolBar;
class TabControl;
struct MainLayout;

// The row above the auction pane: the Snipe! bar, the address box and the Go! bar.
class AuctionRow : public QObject
{
    Q_OBJECT

public:
    explicit AuctionRow(TabControl *tabs);

    static QIcon snipeIcon(); // also the floating toolbar's

    AddressBox *addressBox() const { return m_address; }
    QAction *snipeButton() const { return m_snipe; }
    QToolBar *goBar() const { return m_goBar; }
    void place(const MainLayout &layout);

signals:
    // Go! with a text in the box: navigate there, without the busy watch.
    void goClicked(const QString &text);

private:
    QToolBar *m_snipeBar;
    QAction *m_snipe;
    AddressBox *m_address;
    QToolBar *m_goBar;
};
