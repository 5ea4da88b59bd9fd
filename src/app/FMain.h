#pragma once

#include "AppContext.h"
#include "BusyIndicator.h"
#include "HelpLinks.h"
#include "StarFrames.h"
#include "TalvexSession.h"

#include <QMainWindow>

#include <optional>

class AddressBox;
class AuctionRow;
class EditCommands;
class ExitSequence;
class FavoritesCommands;
class LinkLabel;
class MainMenus;
class MainStatusBar;
class NavigationToolbar;
class PanePair;
class QLabel;
class QTimer;
class SnipeCommands;
class TabControl;

// The main window: the composition of its parts. It creates them, wires the menus, toolbars,
// panes and timers to each other, and keeps the few rules that need more than one part: the
// state refresh, the busy watch, the load and the stored settings.
class FMain : public QMainWindow
{
    Q_OBJECT

public:
    FMain(const AppContext &context, bool bIsHasAccount, QWidget *parent = nullptr);
    ~FMain() override;

    // Showing the window the first time runs its load first.
    void setVisible(bool visible) override;

    void ShowInAuctionBrowser(const QString &sURL);
    // An item given on the command line; the snipe commands carry it out.
    void SnipeItem(const QString &sItemNumber);
    // An address given on the command line: shown in the auction pane as if typed there.
    void OpenAddress(const QString &url);
    // Brought to the front for a later start, unless the floating toolbar stands in for it.
    void RaiseWindow();
    void RefreshCommandState();
    // The start-up login has been answered, or there was none: the Talvex pane may now be
    // sent elsewhere without undoing it. What a start of the program asks for waits for this.
    bool isStartupLoginOver() const { return m_bIsStartupLoginOver; }

    struct SettingWrite
    {
        QString application, section, key, value;
        bool operator==(const SettingWrite &) const = default;
    };
    // What the exit stores, in the order it is written.
    QList<SettingWrite> exitSettings() const;

signals:
    void startupLoginOver();

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createTabControls();
    void connectCommands();
    void LoadMainWindow();
    void LayoutControls();

    void onTabChanged(bool snipePaneCurrent);
    void tbrNavigate_ButtonClick(int index);
    void ToggleButtonText();
    void GoHome();
    void SelectSite(int index);
    QString SiteStartURL() const;
    void cboAddress_Click(const QString &text);
    void timTimer_Timer();
    void setCaptionText(const QString &text);

    void StartVersionCheck();
    void StartupLoginOver();

    AppContext m_context;
    bool bIsHasAccount;
    TalvexSession m_session;
    HelpLinks m_help;
    QWidget *m_client;
    MainMenus *m_menus;
    NavigationToolbar *tbrNavigate;
    QLabel *picSnipe;
    TabControl *SSTab1;
    PanePair *m_panes;
    LinkLabel *lblMardell = nullptr;
    AuctionRow *m_row = nullptr;
    AddressBox *cboAddress = nullptr;
    MainStatusBar *sbStatusBar;
    QTimer *timTimer;
    QTimer *timStar;
    ExitSequence *m_exit;
    FavoritesCommands *m_favorites;
    EditCommands *m_edit;
    SnipeCommands *m_snipe;
    StarFrames m_starFrames;
    std::optional<BusyIndicator> m_busyIndicator;

    bool m_bIsLoaded = false;
    bool m_bIsStartupLoginOver = false;
};
