#include "FMain.h"

#include "BrowserPane.h"
#include "LinkLabel.h"
#include "SettingsStore.h"
#include "SiteSelection.h"
#include "TabControl.h"
#include "ToolbarIcons.h"
#include "Twips.h"
#include "WindowPlacement.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDate>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QTabBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>

namespace {

const char *const kSettings = "Settings";
const QString kWorking = QStringLiteral("Working . . .");
const QString kDone = QStringLiteral("Done");

QString appTitle()
{
    return QStringLiteral("Talvex Bidbench");
}

QString settingsKey(const char *key)
{
    return QString::fromLatin1(key);
}

struct NavigateButton
{
    const char *caption;
    const char *toolTip;
};

const NavigateButton kNavigateButtons[FMain::kNavigateButtonCount] = {
    {"Back", "Go back to the page you viewed before this one."},
    {"Forward", "Go forward to the page you viewed after this one."},
    {"Stop", "Stop the current browser from navigating."},
    {"Refresh", "Refresh the page in the current browser."},
    {"Home", "Go to the home page for the current browser."},
    {"Favorites", "View your favorites lists."},
    {"Toolbar", "Transform Bidbench into a small floating toolbar."},
};

// Button 6's drop-down entries: text and key.
const std::pair<const char *, const char *> kFavoritesEntries[] = {
    {"Browser Favorites", "Favorites"},
    {"Favorite Searches", "Searches"},
    {"Favorite Sellers", "Sellers"},
    {"Favorite Bidders", "Bidders"},
};

// The toolbars are only as high as their design places, so their buttons are drawn flat,
// without the padding of the platform style; the border shows under the pointer.
const QString kBarStyle = QStringLiteral(
    "QToolBar { padding: 0px; spacing: 0px; border: none; background: transparent; }"
    "QToolButton { font-size: 8pt; padding: 0px; border: 1px solid transparent; border-radius: 3px; }"
    "QToolButton:hover { border-color: #9aa7b8; background: #e6eef8; }"
    "QToolButton:pressed, QToolButton:checked { background: #cfdcec; }"
    "QToolButton:disabled { color: #9a9a9a; }"
    "QToolButton[popupMode=\"1\"] { padding-right: 13px; }"
    "QToolButton::menu-button { border: none; width: 12px; }");
// The Snipe and Go bars on the auction tab are lower and narrower still.
const QString kSmallBarStyle = QStringLiteral(
    "QToolBar { padding: 0px; spacing: 0px; border: none; background: transparent; }"
    "QToolButton { font-size: 7.5pt; padding: 0px; border: none; border-radius: 3px; }"
    "QToolButton:hover { background: #dce7f5; }"
    "QToolButton:pressed { background: #c4d4ea; }"
    "QToolButton:disabled { color: #9a9a9a; }");

constexpr int kNavigateIconSize = 20;
constexpr int kSnipeIconSize = 14;

// The shortest decimal text of a single-precision number ("9990", "10020.5").
QString singleText(double value)
{
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, float(value));
    return QString::fromLatin1(buffer, result.ptr - buffer);
}

QAction *separator(QMenu *menu)
{
    return menu->addSeparator();
}

} // namespace

QString FMain::applicationTitle()
{
    return appTitle();
}

FMain::FMain(const AppContext &context, bool hasAccount, QWidget *parent)
    : QMainWindow(parent)
    , m_context(context)
    , bIsHasAccount(hasAccount)
{
    setWindowTitle(appTitle());
    m_client = new QWidget(this);
    setCentralWidget(m_client);

    imlImagesCold = ToolbarIcons::navigationImages(ToolbarIcons::Look::Cold, kNavigateIconSize);
    imlImagesHot = ToolbarIcons::navigationImages(ToolbarIcons::Look::Hot, kNavigateIconSize);
    imlSnipeCold = ToolbarIcons::snipeImages(ToolbarIcons::Look::Cold, kSnipeIconSize);
    imlSnipeHot = ToolbarIcons::snipeImages(ToolbarIcons::Look::Hot, kSnipeIconSize);

    createMenus();
    createToolbar();
    createControls();
    createStatusBar();

    timAppEnd = new QTimer(this);
    timAppEnd->setObjectName(QStringLiteral("timAppEnd"));
    timAppEnd->setInterval(2000);
    timAppEnd->setSingleShot(true);
    timTimer = new QTimer(this);
    timTimer->setObjectName(QStringLiteral("timTimer"));
    timTimer->setInterval(10);
    timStar = new QTimer(this);
    timStar->setObjectName(QStringLiteral("timStar"));
    timStar->setInterval(175);

    CommonDialog1 = new QFileDialog(this);
    CommonDialog1->setObjectName(QStringLiteral("CommonDialog1"));

    connectControls();
    connectSupport();
    createSnipeParts();
    connectEditCommands();

    // Design size: the client area (below the menu bar) is 10020 x 6585 twips.
    resize(Twips::toPixelsX(MainDesign::kClientWidth),
           menuBar()->sizeHint().height() + Twips::toPixelsY(MainDesign::kClientHeight));
    m_client->installEventFilter(this);

    timTimer->start();
    timStar->start();
}

FMain::~FMain() = default;

// ---------------------------------------------------------------------------------------------
// Construction

void FMain::createMenus()
{
    QMenuBar *bar = menuBar();
    const auto item = [this](QMenu *menu, const char *name, const QString &caption,
                             const QKeySequence &shortcut = {}) {
        auto *action = menu->addAction(caption);
        action->setObjectName(QString::fromLatin1(name));
        if (!shortcut.isEmpty())
            action->setShortcut(shortcut);
        return action;
    };
    const auto menu = [](QMenuBar *owner, const char *name, const QString &caption) {
        QMenu *m = owner->addMenu(caption);
        m->setObjectName(QString::fromLatin1(name));
        return m;
    };

    mnuFile = menu(bar, "mnuFile", QStringLiteral("&File"));
    mnuFilePrint = item(mnuFile, "mnuFilePrint", QStringLiteral("&Print..."), QKeySequence(Qt::CTRL | Qt::Key_P));
    mnuFileBar0 = separator(mnuFile);
    mnuFileExit = item(mnuFile, "mnuFileExit", QStringLiteral("E&xit"));

    mnuEdit = menu(bar, "mnuEdit", QStringLiteral("&Edit"));
    mnuEditCut = item(mnuEdit, "mnuEditCut", QStringLiteral("Cu&t"), QKeySequence(Qt::CTRL | Qt::Key_X));
    mnuEditCopy = item(mnuEdit, "mnuEditCopy", QStringLiteral("&Copy"), QKeySequence(Qt::CTRL | Qt::Key_C));
    mnuEditPaste = item(mnuEdit, "mnuEditPaste", QStringLiteral("&Paste"), QKeySequence(Qt::CTRL | Qt::Key_V));
    mnuEditSep = separator(mnuEdit);
    mnuEditFind = item(mnuEdit, "mnuEditFind", QStringLiteral("&Find (on current web page)"),
                       QKeySequence(Qt::CTRL | Qt::Key_F));

    mnumnuNavigate = menu(bar, "mnumnuNavigate", QStringLiteral("&Navigate"));
    mnumnuNavigatemnuNavigateBack = item(mnumnuNavigate, "mnumnuNavigatemnuNavigateBack", QStringLiteral("&Back"));
    mnumnuNavigatemnuNavigateForward =
        item(mnumnuNavigate, "mnumnuNavigatemnuNavigateForward", QStringLiteral("&Forward"));
    mnuNavigateStop = item(mnumnuNavigate, "mnuNavigateStop", QStringLiteral("&Stop"));
    mnumnuNavigatemnuNavigateHome = item(mnumnuNavigate, "mnumnuNavigatemnuNavigateHome", QStringLiteral("&Home"));
    mnumnuNavigatemnuNavigateRefresh =
        item(mnumnuNavigate, "mnumnuNavigatemnuNavigateRefresh", QStringLiteral("&Refresh"));

    mnumnuFavorites = menu(bar, "mnumnuFavorites", QStringLiteral("Fa&vorites"));
    mnuFavoritesView = item(mnumnuFavorites, "mnuFavoritesView", QStringLiteral("&View Browser Favorites..."));
    mnuFavoritesAdd = item(mnumnuFavorites, "mnuFavoritesAdd", QStringLiteral("&Add to Browser Favorites..."));
    mnuFavoritesImport =
        item(mnumnuFavorites, "mnuFavoritesImport", QStringLiteral("&Import Netscape Favorites..."));
    mnuFavoritesSeparate = separator(mnumnuFavorites);
    mnuFavoriteSearches = item(mnumnuFavorites, "mnuFavoriteSearches", QStringLiteral("Favorite eBay Searches"));
    mnuFavoritesSellers = item(mnumnuFavorites, "mnuFavoritesSellers", QStringLiteral("Favorite eBay &Sellers..."));
    mnuFavoritesBidders = item(mnumnuFavorites, "mnuFavoritesBidders", QStringLiteral("Favorite eBay &Bidders..."));

    mnuTools = menu(bar, "mnuTools", QStringLiteral("&Tools"));
    mnuNavigateSnipe = item(mnuTools, "mnuNavigateSnipe", QStringLiteral("Snipe &Current Auction"),
                            QKeySequence(Qt::CTRL | Qt::Key_Z));
    mnuToolsToolbar = item(mnuTools, "mnuToolsToolbar", QStringLiteral("&Floating Toolbar"),
                           QKeySequence(Qt::CTRL | Qt::Key_T));
    mnuToolsPassword = item(mnuTools, "mnuToolsPassword", QStringLiteral("&Talvex Password"));
    sep = separator(mnuTools);
    mnuOptionS = mnuTools->addMenu(QStringLiteral("&Options"));
    mnuOptionS->setObjectName(QStringLiteral("mnuOptionS"));
    mnuOPtionsAuctionSite = mnuOptionS->addMenu(QStringLiteral("&Start-up Auction Site"));
    mnuOPtionsAuctionSite->setObjectName(QStringLiteral("mnuOPtionsAuctionSite"));
    for (int i = 1; i <= kSiteCount; ++i) {
        QAction *site = mnuOPtionsAuctionSite->addAction(SiteSelection::menuCaption(i, m_context.destinations));
        site->setObjectName(QStringLiteral("mnuOptionsSite(%1)").arg(i));
        site->setCheckable(true);
        site->setChecked(i == SiteSelection::kDefaultSite);
        m_siteItems[size_t(i - 1)] = site;
    }
    wowie = separator(mnuOptionS);
    mnuOptionsText = item(mnuOptionS, "mnuOptionsText", QStringLiteral("&Show Button Text"));
    mnuOptionsText->setCheckable(true);
    mnuOptionsText->setChecked(true);

    mnuHelp = menu(bar, "mnuHelp", QStringLiteral("&Help"));
    mnuHelpContents = item(mnuHelp, "mnuHelpContents", QStringLiteral("&Contents"));
    mnuHelpSep = separator(mnuHelp);
    mnuHelpmnuHelpMardell = item(mnuHelp, "mnuHelpmnuHelpMardell", QStringLiteral("&Mardell Home Page"));
    mnuHelpmnuHelpTalvex = item(mnuHelp, "mnuHelpmnuHelpTalvex", QStringLiteral("Talvex &Online"));
    mnuHelpmnuHelpFeedback = item(mnuHelp, "mnuHelpmnuHelpFeedback", QStringLiteral("Email Talvex &Help"));
    mnuHelpJoinList = item(mnuHelp, "mnuHelpJoinList", QStringLiteral("&Join Mailing List"));
    mnuHelpBar0 = separator(mnuHelp);
    mnuHelpAbout = item(mnuHelp, "mnuHelpAbout", QStringLiteral("&About "));

    // Hidden menu: only ever shown as the navigation toolbar's pop-up.
    mnuButtonBarStatus = new QMenu(QStringLiteral("ButtonBarStatus"), this);
    mnuButtonBarStatus->setObjectName(QStringLiteral("mnuButtonBarStatus"));
    mnuButtonBarStatusViewLabels = item(mnuButtonBarStatus, "mnuButtonBarStatusViewLabels",
                                        QStringLiteral("View Text Labels"));
    mnuButtonBarStatusViewLabels->setCheckable(true);
    mnuButtonBarStatusViewLabels->setChecked(true);
}

void FMain::createToolbar()
{
    tbrNavigate = new QToolBar(m_client);
    tbrNavigate->setObjectName(QStringLiteral("tbrNavigate"));
    tbrNavigate->setMovable(false);
    tbrNavigate->setFloatable(false);
    tbrNavigate->setIconSize(QSize(kNavigateIconSize, kNavigateIconSize));
    tbrNavigate->setContextMenuPolicy(Qt::CustomContextMenu);
    // Captions in a small type so icon and text fit the toolbar's design height.
    tbrNavigate->setStyleSheet(kBarStyle);

    tbrNavigateFavoritesMenu = new QMenu(this);
    tbrNavigateFavoritesMenu->setObjectName(QStringLiteral("tbrNavigateFavoritesMenu"));
    for (const auto &[text, key] : kFavoritesEntries) {
        QAction *entry = tbrNavigateFavoritesMenu->addAction(QString::fromLatin1(text));
        entry->setData(QString::fromLatin1(key));
        entry->setObjectName(QString::fromLatin1(key));
    }

    for (int i = 1; i <= kNavigateButtonCount; ++i) {
        const NavigateButton &design = kNavigateButtons[i - 1];
        QAction *button = tbrNavigate->addAction(
            ToolbarIcons::coldHotIcon(imlImagesCold.image(i), imlImagesHot.image(i)),
            QString::fromLatin1(design.caption));
        button->setObjectName(QStringLiteral("tbrNavigate.Buttons(%1)").arg(i));
        button->setToolTip(QString::fromLatin1(design.toolTip));
        m_navigateButtons[size_t(i - 1)] = button;
        QToolButton *tool = tbrNavigateToolButton(i);
        tool->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        tool->setAutoRaise(true);
        if (i == 6) {
            button->setMenu(tbrNavigateFavoritesMenu);
            tool->setPopupMode(QToolButton::MenuButtonPopup);
        }
    }

    picSnipe = new QLabel(m_client);
    picSnipe->setObjectName(QStringLiteral("picSnipe"));
    picSnipe->setAlignment(Qt::AlignCenter);
}

void FMain::createControls()
{
    SSTab1 = new TabControl(m_client);
    SSTab1->setObjectName(QStringLiteral("SSTab1"));
    SSTab1->addTab(QStringLiteral("Ta&lvex "));
    SSTab1->addTab(QStringLiteral("&Auction Browser "));

    brwSnipe = m_context.paneFactory(PaneKind::Talvex, SSTab1);
    brwSnipe->setObjectName(QStringLiteral("brwSnipe"));
    SSTab1->addControl(kTalvexTab, brwSnipe);

    lblMardell = new LinkLabel(QStringLiteral("Mardell"), SSTab1);
    lblMardell->setObjectName(QStringLiteral("lblMardell"));
    lblMardell->setToolTip(QStringLiteral("Visit Mardell for other great online auction utilities."));
    lblMardell->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QFont linkFont = lblMardell->font();
    linkFont.setPointSizeF(8);
    lblMardell->setFont(linkFont);
    SSTab1->addControl(kTalvexTab, lblMardell);

    tbrSnipe = new QToolBar(SSTab1);
    tbrSnipe->setObjectName(QStringLiteral("tbrSnipe"));
    tbrSnipe->setMovable(false);
    tbrSnipe->setStyleSheet(kSmallBarStyle);
    tbrSnipe->setIconSize(QSize(kSnipeIconSize, kSnipeIconSize));
    tbrSnipe->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    tbrSnipeButton = tbrSnipe->addAction(ToolbarIcons::coldHotIcon(imlSnipeCold.image(1), imlSnipeHot.image(1)),
                                         QStringLiteral("Snipe!"));
    tbrSnipeButton->setObjectName(QStringLiteral("tbrSnipe.Buttons(1)"));
    SSTab1->addControl(kAuctionTab, tbrSnipe);

    cboAddress = new QComboBox(SSTab1);
    cboAddress->setObjectName(QStringLiteral("cboAddress"));
    cboAddress->setEditable(true);
    cboAddress->setInsertPolicy(QComboBox::NoInsert);
    cboAddress->setCompleter(nullptr); // the box navigates to exactly what was typed
    cboAddress->setMaxVisibleItems(20);
    SSTab1->addControl(kAuctionTab, cboAddress);

    tbrGo = new QToolBar(SSTab1);
    tbrGo->setObjectName(QStringLiteral("tbrGo"));
    tbrGo->setMovable(false);
    tbrGo->setStyleSheet(kSmallBarStyle);
    tbrGo->setToolButtonStyle(Qt::ToolButtonTextOnly);
    tbrGoButton = tbrGo->addAction(QStringLiteral("Go!  "));
    // The button shows the icon text, which Qt would make from the caption without its blanks.
    tbrGoButton->setIconText(tbrGoButton->text());
    tbrGoButton->setObjectName(QStringLiteral("tbrGo.Buttons(1)"));
    SSTab1->addControl(kAuctionTab, tbrGo);

    brwAuction = m_context.paneFactory(PaneKind::Auction, SSTab1);
    brwAuction->setObjectName(QStringLiteral("brwAuction"));
    SSTab1->addControl(kAuctionTab, brwAuction);

    // At design time the auction tab is the current one.
    {
        const QSignalBlocker block(SSTab1);
        SSTab1->setTab(kAuctionTab);
    }
    picSnipe->raise();
}

void FMain::createStatusBar()
{
    sbStatusBar = statusBar();
    sbStatusBar->setObjectName(QStringLiteral("sbStatusBar"));
    sbStatusBar->setFixedHeight(Twips::toPixelsY(MainDesign::kStatusBarHeight));
    QFont small = sbStatusBar->font();
    small.setPointSizeF(qMax(7.0, small.pointSizeF() - 1.0));
    sbStatusBar->setFont(small);
    for (int i = 0; i < 3; ++i) {
        auto *panel = new QLabel(sbStatusBar);
        panel->setObjectName(QStringLiteral("sbStatusBar.Panels(%1)").arg(i + 1));
        panel->setFrameShape(QFrame::Panel);
        panel->setFrameShadow(QFrame::Sunken);
        panel->setContentsMargins(3, 0, 3, 0);
        m_panels[size_t(i)] = panel;
    }
    // Wide enough for the longer of its two texts.
    m_panels[0]->setText(QStringLiteral("Auction Browser"));
    m_panels[0]->setMinimumWidth(qMax(Twips::toPixelsX(1440), m_panels[0]->sizeHint().width()));
    m_panels[0]->setText(QStringLiteral("Talvex"));
    m_panels[2]->setText(QLocale().toString(QDate::currentDate(), QLocale::ShortFormat));
    sbStatusBar->addWidget(m_panels[0]);
    sbStatusBar->addWidget(m_panels[1], 1);
    sbStatusBar->addPermanentWidget(m_panels[2]);

    // The date panel follows the calendar on its own, as a date panel does.
    auto *midnight = new QTimer(this);
    midnight->setSingleShot(true);
    const auto armMidnight = [midnight] {
        const QDateTime now = QDateTime::currentDateTime();
        const qint64 untilMidnight = now.msecsTo(QDateTime(now.date().addDays(1), QTime(0, 0))) + 500;
        midnight->start(int(std::clamp<qint64>(untilMidnight, 1000, 24 * 3600 * 1000)));
    };
    connect(midnight, &QTimer::timeout, this, [this, armMidnight] {
        m_panels[2]->setText(QLocale().toString(QDate::currentDate(), QLocale::ShortFormat));
        armMidnight();
    });
    armMidnight();
}

void FMain::connectControls()
{
    // Window
    connect(mnuFileExit, &QAction::triggered, this, &FMain::ExitProgram);
    connect(timAppEnd, &QTimer::timeout, this, &FMain::timAppEnd_Timer);
    connect(timTimer, &QTimer::timeout, this, &FMain::timTimer_Timer);

    // Navigation
    connect(SSTab1, &TabControl::Click, this, &FMain::SSTab1_Click);
    for (int i = 1; i <= kNavigateButtonCount; ++i)
        connect(tbrNavigateButton(i), &QAction::triggered, this, [this, i] { tbrNavigate_ButtonClick(i); });
    connect(tbrNavigate, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &pos) { tbrNavigate_MouseDown(tbrNavigate->mapToGlobal(pos)); });
    connect(mnumnuNavigatemnuNavigateBack, &QAction::triggered, this, [this] { GoBack(tabIndex() == kTalvexTab); });
    connect(mnumnuNavigatemnuNavigateForward, &QAction::triggered, this,
            [this] { GoForward(tabIndex() == kTalvexTab); });
    connect(mnuNavigateStop, &QAction::triggered, this, &FMain::StopCurrentPane);
    connect(mnumnuNavigatemnuNavigateHome, &QAction::triggered, this, &FMain::GoHome);
    connect(mnumnuNavigatemnuNavigateRefresh, &QAction::triggered, this, &FMain::RefreshCurrentPane);

    connect(cboAddress, &QComboBox::activated, this, [this] { cboAddress_Click(); });
    cboAddress->installEventFilter(this);
    cboAddress->lineEdit()->installEventFilter(this);
    connect(tbrGoButton, &QAction::triggered, this, &FMain::tbrGo_ButtonClick);

    // Site menu
    for (int i = 1; i <= kSiteCount; ++i)
        connect(mnuOptionsSite(i), &QAction::triggered, this, [this, i] { SelectSite(i); });

    // Button text: both items run the toggle, which sets both check marks itself.
    for (QAction *option : {mnuOptionsText, mnuButtonBarStatusViewLabels}) {
        connect(option, &QAction::triggered, this, [this, option](bool checkedNow) {
            option->setChecked(!checkedNow);
            ToggleButtonText();
        });
    }

    // Favourite sellers, bidders and searches (FMainFavorites.cpp)
    connect(mnuFavoritesSellers, &QAction::triggered, this, [this] { ShowFavoriteUsers(true); });
    connect(mnuFavoritesBidders, &QAction::triggered, this, [this] { ShowFavoriteUsers(false); });
    connect(mnuFavoriteSearches, &QAction::triggered, this, &FMain::ShowFavoriteSearches);
    connect(tbrNavigateButtonMenu(QStringLiteral("Sellers")), &QAction::triggered, this, [this] { ShowFavoriteUsers(true); });
    connect(tbrNavigateButtonMenu(QStringLiteral("Bidders")), &QAction::triggered, this, [this] { ShowFavoriteUsers(false); });
    connect(tbrNavigateButtonMenu(QStringLiteral("Searches")), &QAction::triggered, this, &FMain::ShowFavoriteSearches);

    // Panes
    connect(brwAuction, &BrowserPane::StatusTextChange, this, &FMain::brwAuction_StatusTextChange);
    connect(brwAuction, &BrowserPane::ProgressChange, this, [this] { RefreshCommandState(); });
    connect(brwAuction, &BrowserPane::CommandStateChange, this, &FMain::brwAuction_CommandStateChange);
    connect(brwAuction, &BrowserPane::DownloadComplete, this, &FMain::brwAuction_DownloadComplete);
    connect(brwAuction, &BrowserPane::NavigateComplete2, this, &FMain::brwAuction_NavigateComplete2);
    connect(brwSnipe, &BrowserPane::StatusTextChange, this, &FMain::brwSnipe_StatusTextChange);
    connect(brwSnipe, &BrowserPane::CommandStateChange, this, &FMain::brwSnipe_CommandStateChange);
    connect(brwSnipe, &BrowserPane::DownloadComplete, this, &FMain::brwSnipe_DownloadComplete);
    connect(brwSnipe, &BrowserPane::NavigateComplete2, this, [this] { RefreshCommandState(); });

    connectBrowserFavorites();
}

// ---------------------------------------------------------------------------------------------
// Accessors

QAction *FMain::tbrNavigateButton(int index) const
{
    return index >= 1 && index <= kNavigateButtonCount ? m_navigateButtons[size_t(index - 1)] : nullptr;
}

QToolButton *FMain::tbrNavigateToolButton(int index) const
{
    QAction *button = tbrNavigateButton(index);
    return button ? qobject_cast<QToolButton *>(tbrNavigate->widgetForAction(button)) : nullptr;
}

QAction *FMain::tbrNavigateButtonMenu(const QString &key) const
{
    for (QAction *entry : tbrNavigateFavoritesMenu->actions()) {
        if (entry->data().toString() == key)
            return entry;
    }
    return nullptr;
}

QLabel *FMain::sbStatusBarPanel(int index) const
{
    return index >= 1 && index <= 3 ? m_panels[size_t(index - 1)] : nullptr;
}

QAction *FMain::mnuOptionsSite(int index) const
{
    return SiteSelection::isValidSite(index) ? m_siteItems[size_t(index - 1)] : nullptr;
}

bool FMain::isTextShown() const
{
    return mnuButtonBarStatusViewLabels->isChecked();
}

int FMain::tabIndex() const
{
    return SSTab1->Tab();
}

void FMain::setTabIndex(int index)
{
    SSTab1->setTab(index);
}

BrowserPane *FMain::currentPane() const
{
    return tabIndex() == kTalvexTab ? brwSnipe : brwAuction;
}

// ---------------------------------------------------------------------------------------------
// Load

void FMain::setVisible(bool visible)
{
    if (visible && !m_bIsLoaded) {
        m_bIsLoaded = true;
        LoadMainWindow();
    }
    QMainWindow::setVisible(visible);
}

void FMain::LoadMainWindow()
{
    SettingsStore &settings = *m_context.settings;

    // 1-2. The stored start-up site (site 1 when missing or not a site index).
    SelectSite(SiteSelection::siteFromSetting(settings.GetSetting(appTitle(), settingsKey(kSettings),
                                                                  QStringLiteral("Site"))));
    // 3-6.
    setTabIndex(kTalvexTab);
    SSTab1->setControlVisible(tbrGo, false);
    tbrNavigateButton(1)->setEnabled(false);
    tbrNavigateButton(2)->setEnabled(false);
    mnuButtonBarStatusViewLabels->setChecked(true);
    // 7.
    restoreGeometry();
    // 8. The indicator's resting picture.
    picSnipe->setPixmap(imlStars.image(8));
    // 9.
    m_sStartURL = SiteStartURL();
    // 10. The stored Talvex credentials are read here.
    LoadTalvexCredentials();

    // 11.
    if (!m_sStartURL.isEmpty()) {
        cboAddress->setEditText(m_sStartURL);
        cboAddress->addItem(m_sStartURL);
        timTimer->start();
        brwAuction->Navigate(m_sStartURL);
        // The start-up login of the Talvex pane follows here.
        LogIntoTalvex();
    }
    // 12.
    if (settings.GetSetting(appTitle(), settingsKey(kSettings), QStringLiteral("TextLabels")) == QLatin1String("N"))
        ToggleButtonText();
    // 13.
    StartVersionCheck();
}

void FMain::restoreGeometry()
{
    const QString app = QStringLiteral("Mardell");
    const QString section = appTitle();
    SettingsStore &settings = *m_context.settings;
    const QString state = settings.GetSetting(app, section, QStringLiteral("WindowState"));
    if (state.isEmpty())
        return; // design size; the stored sizes are not read
    const QString height = settings.GetSetting(app, section, QStringLiteral("WindowHeight"));
    const QString width = settings.GetSetting(app, section, QStringLiteral("WindowWidth"));
    const QScreen *screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    const std::optional<WindowPlacement::Restore> stored =
        WindowPlacement::restore(state, width, height, screen ? screen->availableGeometry().size() : QSize());
    if (!stored)
        return;

    // The stored sizes are the outer (frame) size; they become the normal size of the window,
    // and the state is applied after them so a maximized window keeps them for later.
    const QSize frame = frameGeometry().size() - size();
    QSize client = size();
    m_pendingOuterSize = stored->outer;
    if (stored->outer.height() > 0)
        client.setHeight(qMax(1, stored->outer.height() - frame.height()));
    if (stored->outer.width() > 0)
        client.setWidth(qMax(1, stored->outer.width() - frame.width()));
    resize(client);
    setWindowState(stored->state);
}

bool FMain::event(QEvent *event)
{
    const bool result = QMainWindow::event(event);
    switch (event->type()) {
    case QEvent::Show:
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::WindowStateChange:
        applyPendingOuterSize();
        break;
    default:
        break;
    }
    return result;
}

// The window frame is known only once the window is on screen; a restored outer size is
// corrected then, so the window does not grow by its frame from run to run.
void FMain::applyPendingOuterSize()
{
    const QSize wanted = m_pendingOuterSize;
    if ((wanted.width() <= 0 && wanted.height() <= 0) || !isVisible())
        return;
    if (windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen))
        return;
    const QSize frame = frameGeometry().size() - size();
    if (frame.isNull())
        return;
    m_pendingOuterSize = QSize(-1, -1);
    QSize client = size();
    if (wanted.width() > 0)
        client.setWidth(qMax(1, wanted.width() - frame.width()));
    if (wanted.height() > 0)
        client.setHeight(qMax(1, wanted.height() - frame.height()));
    resize(client);
}

// ---------------------------------------------------------------------------------------------
// Layout

void FMain::LayoutControls()
{
    MainLayoutInput in;
    in.W = qRound(Twips::fromPixelsX(frameGeometry().width()));
    in.SW = qRound(Twips::fromPixelsX(m_client->width()));
    in.SH = qRound(Twips::fromPixelsY(m_client->height() + (sbStatusBar->isHidden() ? 0 : sbStatusBar->height())));
    in.bIsTextShown = isTextShown();
    m_layout = ::LayoutControls(in);

    using namespace MainDesign;
    const auto x = [](int twips) { return Twips::toPixelsX(twips); };
    const auto y = [](int twips) { return Twips::toPixelsY(twips); };

    tbrNavigate->setGeometry(0, 0, m_client->width(), y(m_layout.toolbarHeight));
    picSnipe->setGeometry(x(m_layout.picSnipeLeft), y(kPicSnipeTop), x(kPicSnipeSize), y(kPicSnipeSize));
    SSTab1->setGeometry(0, y(m_layout.tabTop), qMax(0, x(m_layout.tabWidth)), y(m_layout.tabHeight));
    const QRect pane(x(kPaneLeft), y(kPaneTop), qMax(0, x(m_layout.paneWidth)), y(m_layout.paneHeight));
    brwSnipe->setGeometry(pane);
    brwAuction->setGeometry(pane);
    tbrSnipe->setGeometry(x(kSnipeBarLeft), y(kSnipeBarTop), x(kSnipeBarWidth), y(kSnipeBarHeight));
    // The platform's combo box may need a few pixels more than the design height; it gets
    // them downwards, where the row has room above the panes.
    cboAddress->setGeometry(x(kAddressLeft), y(kAddressTop), x(m_layout.addressWidth),
                            qMax(y(kAddressHeight), cboAddress->minimumSizeHint().height()));
    tbrGo->setGeometry(x(m_layout.goLeft), y(kGoTop), x(kGoWidth), y(kGoHeight));
    lblMardell->setGeometry(x(m_layout.lblMardellLeft), y(kMardellTop), x(kMardellWidth),
                            qMax(y(kMardellHeight), lblMardell->sizeHint().height()));

    // The indicator animation starts over.
    timStar->start();
}

bool FMain::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_client && event->type() == QEvent::Resize) {
        LayoutControls();
    } else if ((watched == cboAddress || watched == cboAddress->lineEdit()) && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            cboAddress_Click();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

// ---------------------------------------------------------------------------------------------
// Tabs, state refresh, titles

void FMain::SSTab1_Click(int previousTab)
{
    if (previousTab != kTalvexTab) {
        SSTab1->setControlVisible(tbrGo, false);
        m_bIsSnipePaneCurrent = true;
        m_panels[0]->setText(QStringLiteral("Talvex"));
        m_panels[1]->setText(brwSnipe->Busy() ? kWorking : kDone);
        SSTab1->setControlVisible(lblMardell, true);
    } else {
        SSTab1->setControlVisible(tbrGo, true);
        m_bIsSnipePaneCurrent = false;
        m_panels[0]->setText(QStringLiteral("Auction Browser"));
        m_panels[1]->setText(brwAuction->Busy() ? kWorking : kDone);
        SSTab1->setControlVisible(lblMardell, false);
    }
    RefreshCommandState();
}

void FMain::RefreshCommandState()
{
    // 1. Captions follow the button-text option.
    if (isTextShown())
        ShowButtonText();
    else
        HideButtonText();

    // 2. Snipe availability is decided here, from the address box's text.
    UpdateSnipeAvailability();

    // 3. Back and Forward of the current pane.
    if (m_bIsSnipePaneCurrent) {
        tbrNavigateButton(1)->setEnabled(m_bSnipeCanGoBack);
        tbrNavigateButton(2)->setEnabled(m_bSnipeCanGoForward);
    } else {
        tbrNavigateButton(1)->setEnabled(m_bAuctionCanGoBack);
        tbrNavigateButton(2)->setEnabled(m_bAuctionCanGoForward);
    }

    // 4. Title, and Add to Favorites on the auction tab only.
    if (tabIndex() == kTalvexTab) {
        setCaptionText(brwSnipe->LocationName());
        mnuFavoritesAdd->setEnabled(false);
    } else {
        setCaptionText(brwAuction->LocationName());
        mnuFavoritesAdd->setEnabled(true);
    }
}

void FMain::setCaptionText(const QString &text)
{
    setWindowTitle(appTitle() + QStringLiteral(" > ") + text);
}

void FMain::setNavigateCaption(int index, const QString &caption)
{
    QAction *button = tbrNavigateButton(index);
    if (button->text() == caption)
        return;
    button->setText(caption);
    button->setToolTip(QString::fromLatin1(kNavigateButtons[index - 1].toolTip));
    // A button without caption shows its picture alone, so the toolbar can shrink.
    if (QToolButton *tool = tbrNavigateToolButton(index))
        tool->setToolButtonStyle(caption.isEmpty() ? Qt::ToolButtonIconOnly : Qt::ToolButtonTextUnderIcon);
}

void FMain::ShowButtonText()
{
    // Button 7 is left alone: once its caption is gone it stays gone for the run.
    for (int i = 1; i <= 6; ++i)
        setNavigateCaption(i, QString::fromLatin1(kNavigateButtons[i - 1].caption));
}

void FMain::HideButtonText()
{
    for (int i = 1; i <= kNavigateButtonCount; ++i)
        setNavigateCaption(i, QString());
}

void FMain::ToggleButtonText()
{
    const bool show = !mnuButtonBarStatusViewLabels->isChecked();
    mnuButtonBarStatusViewLabels->setChecked(show);
    mnuOptionsText->setChecked(show);
    RefreshCommandState();
    LayoutControls();
}

void FMain::tbrNavigate_MouseDown(const QPoint &globalPos)
{
    mnuButtonBarStatus->popup(globalPos);
}

// ---------------------------------------------------------------------------------------------
// Navigation commands

void FMain::tbrNavigate_ButtonClick(int index)
{
    switch (index) {
    case 1: GoBack(m_bIsSnipePaneCurrent); break;
    case 2: GoForward(m_bIsSnipePaneCurrent); break;
    case 3: StopCurrentPane(); break;
    case 4: RefreshCurrentPane(); break;
    case 5: GoHome(); break;
    case 6: ShowBrowserFavorites(); break;
    case 7: ShowFloatingToolbar(); break;
    default: break;
    }
}

void FMain::GoBack(bool bIsSnipePane)
{
    if (bIsSnipePane) {
        if (m_bSnipeCanGoBack)
            brwSnipe->GoBack();
    } else if (m_bAuctionCanGoBack) {
        brwAuction->GoBack();
    }
}

void FMain::GoForward(bool bIsSnipePane)
{
    if (bIsSnipePane) {
        if (m_bSnipeCanGoForward)
            brwSnipe->GoForward();
    } else if (m_bAuctionCanGoForward) {
        brwAuction->GoForward();
    }
}

void FMain::StopCurrentPane()
{
    currentPane()->Stop();
}

void FMain::RefreshCurrentPane()
{
    currentPane()->Refresh();
}

void FMain::GoHome()
{
    if (tabIndex() != kTalvexTab)
        brwAuction->Navigate(SiteStartURL());
    else
        brwSnipe->Navigate(QStringLiteral("http://") + m_context.destinations.serviceHost
                           + QStringLiteral("/secure/news.cfm?"));
}

void FMain::ShowInAuctionBrowser(const QString &sURL)
{
    setTabIndex(kAuctionTab);
    brwAuction->Navigate(AffiliateURL(sURL));
    RefreshCommandState();
}

void FMain::cboAddress_Click()
{
    if (m_bIsUpdatingAddress)
        return;
    timTimer->start();
    brwAuction->Navigate(cboAddress->currentText());
}

void FMain::tbrGo_ButtonClick()
{
    const QString text = cboAddress->currentText();
    if (!text.isEmpty())
        brwAuction->Navigate(text);
}

void FMain::timTimer_Timer()
{
    if (brwAuction->Busy()) {
        setCaptionText(QStringLiteral("Working..."));
        return;
    }
    timTimer->stop();
    if (!m_bIsSnipePaneCurrent)
        setCaptionText(brwAuction->LocationName());
}

// ---------------------------------------------------------------------------------------------
// Pane events

void FMain::brwAuction_StatusTextChange(const QString &Text)
{
    if (tabIndex() == kAuctionTab)
        m_panels[1]->setText(Text);
}

void FMain::brwSnipe_StatusTextChange(const QString &Text)
{
    if (tabIndex() == kTalvexTab)
        m_panels[1]->setText(Text);
}

void FMain::brwAuction_CommandStateChange(int Command, bool Enable)
{
    if (Command == BrowserPane::CommandForward)
        m_bAuctionCanGoForward = Enable;
    else if (Command == BrowserPane::CommandBack)
        m_bAuctionCanGoBack = Enable;
    RefreshCommandState();
}

void FMain::brwSnipe_CommandStateChange(int Command, bool Enable)
{
    if (Command == BrowserPane::CommandForward)
        m_bSnipeCanGoForward = Enable;
    else if (Command == BrowserPane::CommandBack)
        m_bSnipeCanGoBack = Enable;
    RefreshCommandState();
}

void FMain::brwAuction_DownloadComplete()
{
    if (!m_bIsSnipePaneCurrent)
        setCaptionText(brwAuction->LocationName());
    RefreshCommandState();
}

void FMain::brwSnipe_DownloadComplete()
{
    if (m_bIsSnipePaneCurrent)
        setCaptionText(brwSnipe->LocationName());
    RefreshCommandState();
}

void FMain::brwAuction_NavigateComplete2()
{
    if (!m_bIsSnipePaneCurrent)
        setCaptionText(brwAuction->LocationName());

    // The pane's address moves to (or enters at) the top of the history; exact comparison.
    const QString url = brwAuction->LocationURL();
    const int found = cboAddress->findText(url, Qt::MatchExactly | Qt::MatchCaseSensitive);
    m_bIsUpdatingAddress = true;
    if (found >= 0)
        cboAddress->removeItem(found);
    cboAddress->insertItem(0, url);
    cboAddress->setCurrentIndex(0);
    cboAddress->setEditText(url);
    m_bIsUpdatingAddress = false;
    RefreshCommandState();
}

// ---------------------------------------------------------------------------------------------
// Site selection

void FMain::SelectSite(int Index)
{
    for (int i = 1; i <= kSiteCount; ++i)
        mnuOptionsSite(i)->setChecked(false);
    if (QAction *site = mnuOptionsSite(Index))
        site->setChecked(true);
    setTabIndex(kAuctionTab);
    brwAuction->Navigate(SiteStartURL());
}

int FMain::checkedSite() const
{
    int checked = 0;
    for (int i = 1; i <= kSiteCount; ++i) {
        if (mnuOptionsSite(i)->isChecked())
            checked = i;
    }
    return checked;
}

QString FMain::SiteStartURL() const
{
    return SiteSelection::SiteStartURL(checkedSite(), m_context.destinations);
}

QString FMain::AffiliateURL(const QString &sURL) const
{
    return SiteSelection::AffiliateURL(sURL, m_context.destinations);
}

// ---------------------------------------------------------------------------------------------
// Exit

void FMain::ExitProgram()
{
    // The Talvex Password step (when no user name is stored) comes here, before the shutdown.
    if (m_sUser.isEmpty())
        ShowTalvexPasswordDialog();
    BeginShutdown();
}

void FMain::BeginShutdown()
{
    m_bIsShuttingDown = true;
    // The application's pointer: a disabled window shows none of its own.
    QApplication::setOverrideCursor(Qt::WaitCursor);
    setEnabled(false);
    timAppEnd->start();
    brwAuction->Navigate(SiteStartURL());
}

void FMain::timAppEnd_Timer()
{
    close(); // the program's own close: not a user close, so nothing asks again
}

// Only the window system's close is the user's (the close box, its menu, Alt+F4); a close
// while the session manager collects data is the session ending. The same session can see
// both, so the mode belongs to each close, not to the window.
FMain::UnloadMode FMain::unloadModeOf(const QCloseEvent &event)
{
    if (qApp->isSavingSession())
        return UnloadMode::SystemShutdown;
    return event.spontaneous() ? UnloadMode::UserClose : UnloadMode::ProgramUnload;
}

bool FMain::ConfirmClose(UnloadMode mode)
{
    if (mode != UnloadMode::UserClose)
        return false;
    // A close from the title bar takes the same road as File > Exit; while that road is
    // already being taken (window disabled), a further close is simply refused.
    if (!m_bIsShuttingDown)
        ExitProgram();
    return true;
}

void FMain::closeEvent(QCloseEvent *event)
{
    if (isEndingForUpdate()) {
        event->accept(); // ending at once: nothing of the exit sequence runs
        return;
    }
    if (m_bIsEnded) {
        event->accept();
        return;
    }
    if (ConfirmClose(unloadModeOf(*event))) {
        event->ignore();
        return;
    }
    event->accept();
    SaveSettingsAndEnd();
}

int FMain::windowStateValue() const
{
    if (windowState() & Qt::WindowMinimized)
        return 1;
    if (windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen))
        return 2;
    return 0;
}

void FMain::unloadOtherWindows()
{
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (qsizetype i = windows.size() - 1; i >= 0; --i) {
        QWidget *window = windows.at(i);
        if (window == this || !window->isWindow())
            continue;
        const Qt::WindowType type = window->windowType();
        if (type == Qt::Popup || type == Qt::ToolTip || type == Qt::Desktop)
            continue;
        window->close();
    }
}

QList<FMain::SettingWrite> FMain::exitSettings() const
{
    const QString app = appTitle();
    const QString settings = settingsKey(kSettings);
    const QString maker = QStringLiteral("Mardell");
    const QRect outer = frameGeometry();
    return {
        {app, settings, QStringLiteral("Site"), QString::number(checkedSite())},
        {app, settings, QStringLiteral("TextLabels"), isTextShown() ? QString() : QStringLiteral("N")},
        {maker, app, QStringLiteral("WindowState"), QString::number(windowStateValue())},
        {maker, app, QStringLiteral("WindowWidth"), singleText(Twips::fromPixelsX(outer.width()))},
        {maker, app, QStringLiteral("WindowHeight"), singleText(Twips::fromPixelsY(outer.height()))},
    };
}

void FMain::SaveSettingsAndEnd()
{
    m_bIsEnded = true;
    if (m_bIsShuttingDown)
        QApplication::restoreOverrideCursor();
    unloadOtherWindows();

    for (const SettingWrite &write : exitSettings())
        m_context.settings->SaveSetting(write.application, write.section, write.key, write.value);

    if (m_context.endProgram)
        m_context.endProgram();
    else
        QCoreApplication::exit(0);
}
