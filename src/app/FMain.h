#pragma once

#include "AppContext.h"
#include "HelpLinks.h"
#include "BusyIndicator.h"
#include "ImageList.h"
#include "MainLayout.h"
#include "StarFrames.h"

#include <QMainWindow>
#include <QSize>

#include <array>
#include <optional>

class BrowserHelper;
class BrowserPane;
class CStartStatus;
class EditCommands;
class LinkLabel;
class QAction;
class QCloseEvent;
class QComboBox;
class QFileDialog;
class QLabel;
class QMenu;
class QStatusBar;
class QTimer;
class QToolBar;
class QToolButton;
class TabControl;

// The main window: the two browser panes on their tabs, the navigation toolbar, the address
// box and the status bar, the start-up site, and the delayed exit that stores the settings.
// Controls are public members under their design names so the other parts of the program
// can wire their commands to them.
class FMain : public QMainWindow
{
    Q_OBJECT

public:
    static constexpr int kTalvexTab = 0;
    static constexpr int kAuctionTab = 1;
    static constexpr int kNavigateButtonCount = 7;
    static constexpr int kSiteCount = 14;

    static QString applicationTitle();

    FMain(const AppContext &context, bool bIsHasAccount, QWidget *parent = nullptr);
    ~FMain() override;

    // Showing the window the first time runs its load first.
    void setVisible(bool visible) override;

    // --- Panes and navigation ---
    void ShowInAuctionBrowser(const QString &sURL);
    void RefreshCommandState();
    void GoBack(bool bIsSnipePane);
    void GoForward(bool bIsSnipePane);
    void StopCurrentPane();
    void RefreshCurrentPane();
    void GoHome();
    void ShowButtonText();
    void HideButtonText();
    // Switches the navigation button captions off or on (both option items follow).
    void ToggleButtonText();

    // Tab index helpers: 0 is the Talvex tab (brwSnipe), 1 the auction tab (brwAuction).
    int tabIndex() const;
    void setTabIndex(int index); // the tab change runs when the index really changes
    bool isTalvexTabCurrent() const { return tabIndex() == kTalvexTab; }
    BrowserPane *currentPane() const; // by tab index

    // --- Favourite sellers, bidders and searches (FMainFavorites.cpp) ---
    void ShowFavoriteUsers(bool bSellers);
    void ShowFavoriteSearches();

    // --- Start-up site ---
    void SelectSite(int Index);
    QString SiteStartURL() const; // start page of the checked site; empty if none is checked
    QString AffiliateURL(const QString &sURL) const;
    int checkedSite() const; // the last checked site item, 0 when none is
    QAction *mnuOptionsSite(int index) const; // 1 ... 14

    // --- Exit ---
    void ExitProgram();
    void BeginShutdown();
    bool isShuttingDown() const { return m_bIsShuttingDown; }
    struct SettingWrite
    {
        QString application, section, key, value;
        bool operator==(const SettingWrite &) const = default;
    };
    // What the exit stores, in the order it is written.
    QList<SettingWrite> exitSettings() const;

    // --- Browser favourites (FMainBrowserFavorites.cpp) ---
    void ShowBrowserFavorites();
    void AddCurrentPageToFavorites();
    void mnuFavoritesImport_Click();
    BrowserHelper *browserHelper(); // made on first use, kept until the window goes
    // --- Edit, find and print commands; the floating toolbar (FMainEdit.cpp) ---
    void connectEditCommands();
    void ShowFloatingToolbar();
    EditCommands *editCommands = nullptr; // the print seam for tests is on it

    // --- State, read by the other parts of the program ---
    const AppContext &context() const { return m_context; }
    bool isHasAccount() const { return bIsHasAccount; }
    bool isSnipePaneCurrent() const { return m_bIsSnipePaneCurrent; }
    bool isLoaded() const { return m_bIsLoaded; }
    QString startURL() const { return m_sStartURL; }
    bool isTextShown() const; // "View Text Labels" is checked
    MainLayout currentLayout() const { return m_layout; }

    QAction *tbrNavigateButton(int index) const; // 1 ... 7
    QToolButton *tbrNavigateToolButton(int index) const;
    QAction *tbrNavigateButtonMenu(const QString &key) const; // drop-down entry of button 6
    QLabel *sbStatusBarPanel(int index) const;                // 1 ... 3

    // --- Menus (design names) ---
    QMenu *mnuFile = nullptr;
    QAction *mnuFilePrint = nullptr;
    QAction *mnuFileBar0 = nullptr;
    QAction *mnuFileExit = nullptr;

    QMenu *mnuEdit = nullptr;
    QAction *mnuEditCut = nullptr;
    QAction *mnuEditCopy = nullptr;
    QAction *mnuEditPaste = nullptr;
    QAction *mnuEditSep = nullptr;
    QAction *mnuEditFind = nullptr;

    QMenu *mnumnuNavigate = nullptr;
    QAction *mnumnuNavigatemnuNavigateBack = nullptr;
    QAction *mnumnuNavigatemnuNavigateForward = nullptr;
    QAction *mnuNavigateStop = nullptr;
    QAction *mnumnuNavigatemnuNavigateHome = nullptr;
    QAction *mnumnuNavigatemnuNavigateRefresh = nullptr;

    QMenu *mnumnuFavorites = nullptr;
    QAction *mnuFavoritesView = nullptr;
    QAction *mnuFavoritesAdd = nullptr;
    QAction *mnuFavoritesImport = nullptr;
    QAction *mnuFavoritesSeparate = nullptr;
    QAction *mnuFavoriteSearches = nullptr;
    QAction *mnuFavoritesSellers = nullptr;
    QAction *mnuFavoritesBidders = nullptr;

    QMenu *mnuTools = nullptr;
    QAction *mnuNavigateSnipe = nullptr;
    QAction *mnuToolsToolbar = nullptr;
    QAction *mnuToolsPassword = nullptr;
    QAction *sep = nullptr;
    QMenu *mnuOptionS = nullptr;
    QMenu *mnuOPtionsAuctionSite = nullptr;
    QAction *wowie = nullptr;
    QAction *mnuOptionsText = nullptr;

    QMenu *mnuHelp = nullptr;
    QAction *mnuHelpContents = nullptr;
    QAction *mnuHelpSep = nullptr;
    QAction *mnuHelpmnuHelpMardell = nullptr;
    QAction *mnuHelpmnuHelpTalvex = nullptr;
    QAction *mnuHelpmnuHelpFeedback = nullptr;
    QAction *mnuHelpJoinList = nullptr;
    QAction *mnuHelpBar0 = nullptr;
    QAction *mnuHelpAbout = nullptr;

    // Not in the menu bar: the navigation toolbar's pop-up menu.
    QMenu *mnuButtonBarStatus = nullptr;
    QAction *mnuButtonBarStatusViewLabels = nullptr;

    // --- Controls ---
    QToolBar *tbrNavigate = nullptr;
    QMenu *tbrNavigateFavoritesMenu = nullptr; // button 6's drop-down; entries keyed (data)
    QLabel *picSnipe = nullptr;                // busy indicator
    TabControl *SSTab1 = nullptr;
    BrowserPane *brwSnipe = nullptr;  // tab 0
    LinkLabel *lblMardell = nullptr;  // tab 0
    QToolBar *tbrSnipe = nullptr;     // tab 1
    QAction *tbrSnipeButton = nullptr;
    QComboBox *cboAddress = nullptr;  // tab 1
    QToolBar *tbrGo = nullptr;        // tab 1
    QAction *tbrGoButton = nullptr;
    BrowserPane *brwAuction = nullptr; // tab 1
    QStatusBar *sbStatusBar = nullptr;
    QTimer *timAppEnd = nullptr; // 2000 ms, armed once at exit
    QTimer *timTimer = nullptr;  // 10 ms, watches the auction pane while it loads
    QTimer *timStar = nullptr;   // 175 ms, busy-indicator animation
    QFileDialog *CommonDialog1 = nullptr;

    ImageList imlImagesCold, imlImagesHot;
    ImageList imlSnipeCold, imlSnipeHot;
    ImageList imlStars, imlStarsSmall;

    // --- Sniping: service session, Snipe command, busy indicator (FMainSnipe.cpp) ---
    void LoadTalvexCredentials();
    void LogIntoTalvex();
    void ShowTalvexPasswordDialog();
    void UpdateSnipeAvailability();
    void SnipeCurrentAuction();
    void SnipeItem(const QString &sItemNumber); // also the floating toolbar's way to snipe
    QString talvexUser() const { return m_sUser; }
    QString talvexPassword() const { return m_sPassword; }
    const StarFrames &starFrames() const { return m_starFrames; }
    int starFrameCounter() const { return m_busyIndicator ? m_busyIndicator->counter() : 0; }

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    bool event(QEvent *event) override;

private:
    // Why the window is being unloaded: only the user's close asks first.
    enum class UnloadMode { UserClose, ProgramUnload, SystemShutdown };

    void createMenus();
    void createToolbar();
    void createControls();
    void createStatusBar();
    void connectControls();

    void LoadMainWindow();
    void restoreGeometry();
    void LayoutControls();
    static UnloadMode unloadModeOf(const QCloseEvent &event);
    bool ConfirmClose(UnloadMode mode); // true: the unload is cancelled
    void SaveSettingsAndEnd();
    void unloadOtherWindows();
    void applyPendingOuterSize();

    void SSTab1_Click(int previousTab);
    void tbrNavigate_ButtonClick(int index);
    void tbrNavigate_MouseDown(const QPoint &globalPos);
    void cboAddress_Click();
    void tbrGo_ButtonClick();
    void timTimer_Timer();
    void timAppEnd_Timer();

    void brwAuction_StatusTextChange(const QString &Text);
    void brwAuction_CommandStateChange(int Command, bool Enable);
    void brwAuction_DownloadComplete();
    void brwAuction_NavigateComplete2();
    void brwSnipe_StatusTextChange(const QString &Text);
    void brwSnipe_CommandStateChange(int Command, bool Enable);
    void brwSnipe_DownloadComplete();

    void setCaptionText(const QString &text);
    void setNavigateCaption(int index, const QString &caption);
    QWidget *clientArea() const { return m_client; }
    int windowStateValue() const;

    void connectBrowserFavorites(); // browser favourites: menu items, toolbar, drop-down entry
    BrowserHelper *m_oBrowserHelper = nullptr;

    AppContext m_context;
    QWidget *m_client = nullptr;
    std::array<QAction *, kNavigateButtonCount> m_navigateButtons{};
    std::array<QAction *, kSiteCount> m_siteItems{};
    std::array<QLabel *, 3> m_panels{};
    MainLayout m_layout;

    bool bIsHasAccount = false;
    QString m_sStartURL;
    QString m_sUser;
    QString m_sPassword;
    bool m_bIsUpdatingAddress = false;
    bool m_bIsSnipePaneCurrent = false;
    bool m_bSnipeCanGoBack = false;
    bool m_bSnipeCanGoForward = false;
    bool m_bAuctionCanGoBack = false;
    bool m_bAuctionCanGoForward = false;

    bool m_bIsLoaded = false;
    bool m_bIsShuttingDown = false;
    bool m_bIsEnded = false;
    QSize m_pendingOuterSize; // stored outer size, corrected once the frame is known

    // --- Support services: version check, Help menu, About box, link label (FMainSupport.cpp) ---
public:
    // The last load step: asks the maker's server about a new version; returns at once.
    void StartVersionCheck();
    CStartStatus *startStatus() const { return m_context.startStatus.get(); }

private:
    void connectSupport();
    HelpLinks helpLinks() const;
    // The program is ending for an accepted update: the window's own exit steps do not run.
    static bool isEndingForUpdate();
    // Sniping (FMainSnipe.cpp)
    void createSnipeParts();
    void tbrSnipe_ButtonClick(int index);
    void timStar_Timer();
    StarFrames m_starFrames;
    std::optional<BusyIndicator> m_busyIndicator;
};
