#pragma once

#include <QObject>
#include <QString>

class AuctionRow;
class PanePair;
class QAction;
class QWidget;

// The snipe commands of the main window: whether sniping is possible, Snipe! (the button, the
// Tools menu item and Ctrl+Z), the link menu's "Snipe This Item" and the floating toolbar.
// Each ends in SnipeItem, which opens the service's page for the item in the Talvex pane and
// shows that pane.
class SnipeCommands : public QObject
{
    Q_OBJECT

public:
    SnipeCommands(QWidget *window, PanePair *panes, AuctionRow *row, QAction *menuItem, QString serviceHost);

    // Enables the button and the menu item from the address box's text.
    void UpdateSnipeAvailability();
    void SnipeCurrentAuction();
    void SnipeItem(const QString &sItemNumber);
    void ShowFloatingToolbar();

private:
    QWidget *m_window;
    PanePair *m_panes;
    AuctionRow *m_row;
    QAction *m_menuItem;
    QString m_serviceHost;
};
