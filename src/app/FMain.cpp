#include "FMain.h"

#include "AddressBox.h"
#include "AuctionRow.h"
#include "CError.h"
#include "CStartStatus.h"
#include "EditCommands.h"
#include "ExitSequence.h"
#include "FavoritesCommands.h"
#include "LinkLabel.h"
#include "MainLayout.h"
#include "MainMenus.h"
#include "MainStatusBar.h"
#include "MenuNames.h"
#include "NavigationToolbar.h"
#include "PanePair.h"
#include "ProgramIdentity.h"
#include "RaisedError.h"
#include "SettingsStore.h"
#include "SiteMenu.h"
#include "SiteSelection.h"
#include "SnipeCommands.h"
#include "StartupTrace.h"
#include "TabControl.h"
#include "TalvexService.h"
#include "Twips.h"
#include "WindowPlacement.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QMenuBar>
#include <QTabBar>
#include <QTimer>

namespace {

constexpr int kTalvexTab = PanePair::kTalvexTab;
constexpr int kAuctionTab = PanePair::kAuctionTab;

QTimer *namedTimer(const char *name, int interval, QObject *parent)
{
    auto *timer = new QTimer(parent);
    timer->setObjectName(QString::fromLatin1(name));
    timer->setInterval(interval);
    return timer;
}

} // namespace

FMain::FMain(const AppContext &context, bool hasAccount, QWidget *parent)
    : QMainWindow(parent)
    , m_context(context)
    , bIsHasAccount(hasAccount)
    , m_session(*m_context.settings, m_context.destinations.serviceHost)
    , m_help(m_context.destinations, *m_context.shell, m_context.programFilesDir)
    , m_client(new QWidget(this))
    , m_menus(new MainMenus(menuBar(), m_context.destinations))
    , tbrNavigate(new NavigationToolbar(m_client))
    , picSnipe(new QLabel(m_client))
    , SSTab1(new TabControl(m_client))
    , m_panes(new PanePair(m_context.paneFactory, SSTab1))
    , sbStatusBar(new MainStatusBar(this))
    , timTimer(namedTimer("timTimer", 10, this))
    , timStar(namedTimer("timStar", 175, this))
{
    qCInfo(lcStartup, "panes made");
    setWindowTitle(ProgramIdentity::title());
    setCentralWidget(m_client);
    setStatusBar(sbStatusBar);
    picSnipe->setObjectName(QStringLiteral("picSnipe"));
    picSnipe->setAlignment(Qt::AlignCenter);
    createTabControls();
    picSnipe->raise();
    m_busyIndicator.emplace(*picSnipe, m_starFrames);

    m_exit = new ExitSequence(this, {
        [this] {
            // Without a stored user name the Talvex Password window comes first.
            if (m_session.user().isEmpty())
                m_session.ShowTalvexPasswordDialog(this);
        },
        [this] { m_panes->auction()->Navigate(SiteStartURL()); },
        [this] {
            for (const SettingWrite &write : exitSettings())
                m_context.settings->SaveSetting(write.application, write.section, write.key, write.value);
        },
        m_context.endProgram});
    m_favorites = new FavoritesCommands(m_context, this, m_panes->auction(),
                                        [this](const QString &url) { ShowInAuctionBrowser(url); });
    m_edit = new EditCommands(this, [this] { return SSTab1->Tab(); }, m_panes->talvex(), m_panes->auction(), this);
    m_snipe = new SnipeCommands(this, m_panes, m_row, m_menus->action(Menus::mnuNavigateSnipe),
                                m_context.destinations.serviceHost);
    connectCommands();

    // Design size: the client area (below the menu bar) is 10020 x 6585 twips.
    resize(Twips::toPixelsX(MainDesign::kClientWidth),
           menuBar()->sizeHint().height() + Twips::toPixelsY(MainDesign::kClientHeight));
    m_client->installEventFilter(this);
    timTimer->start();
    timStar->start();
}

FMain::~FMain() = default;

void FMain::createTabControls()
{
    SSTab1->setObjectName(QStringLiteral("SSTab1"));
    SSTab1->addTab(QStringLiteral("Ta&lvex "));
    SSTab1->addTab(QStringLiteral("&Auction Browser "));

    lblMardell = new LinkLabel(ProgramIdentity::maker(), SSTab1);
    lblMardell->setObjectName(QStringLiteral("lblMardell"));
    lblMardell->setToolTip(QStringLiteral("Visit Mardell for other great online auction utilities."));
    lblMardell->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QFont linkFont = lblMardell->font();
    linkFont.setPointSizeF(8);
    lblMardell->setFont(linkFont);
    SSTab1->addControl(kTalvexTab, lblMardell);

    m_row = new AuctionRow(SSTab1);
    cboAddress = m_row->addressBox();
    connect(m_row, &AuctionRow::goClicked, m_panes->auction(), qOverload<const QString &>(&BrowserPane::Navigate));

    // At design time the auction tab is the current one; the load makes it the Talvex tab.
    const QSignalBlocker block(SSTab1);
    SSTab1->setTab(kAuctionTab);
}

void FMain::connectCommands()
{
    const auto on = [this](MenuName item, auto slot) {
        connect(m_menus->action(item), &QAction::triggered, this, slot);
    };
    on(Menus::mnuFileExit, [this] { m_exit->ExitProgram(); });
    on(Menus::mnuFilePrint, [this] { m_edit->print(); });
    on(Menus::mnuEditCut, [this] { m_edit->cut(); });
    on(Menus::mnuEditCopy, [this] { m_edit->copy(); });
    on(Menus::mnuEditPaste, [this] { m_edit->paste(); });
    on(Menus::mnuEditFind, [this] { m_edit->find(); });
    // The menu's Back and Forward follow the tab, the toolbar's the current pane: the same.
    on(Menus::mnumnuNavigatemnuNavigateBack, [this] { tbrNavigate_ButtonClick(1); });
    on(Menus::mnumnuNavigatemnuNavigateForward, [this] { tbrNavigate_ButtonClick(2); });
    on(Menus::mnuNavigateStop, [this] { tbrNavigate_ButtonClick(3); });
    on(Menus::mnumnuNavigatemnuNavigateRefresh, [this] { tbrNavigate_ButtonClick(4); });
    on(Menus::mnumnuNavigatemnuNavigateHome, [this] { tbrNavigate_ButtonClick(5); });
    on(Menus::mnuFavoritesView, [this] { m_favorites->ShowBrowserFavorites(); });
    on(Menus::mnuFavoriteSearches, [this] { m_favorites->ShowFavoriteSearches(); });
    on(Menus::mnuFavoritesSellers, [this] { m_favorites->ShowFavoriteUsers(true); });
    on(Menus::mnuFavoritesBidders, [this] { m_favorites->ShowFavoriteUsers(false); });
    on(Menus::mnuFavoritesAdd, [this] { m_favorites->AddCurrentPageToFavorites(); });
    on(Menus::mnuFavoritesImport, [this] { m_favorites->ImportFavorites(); });
    on(Menus::mnuToolsToolbar, [this] { m_snipe->ShowFloatingToolbar(); });
    on(Menus::mnuToolsPassword, [this] { m_session.ShowTalvexPasswordDialog(this); });
    on(Menus::mnuHelpContents, [this] { m_help.Contents(); });
    on(Menus::mnuHelpmnuHelpMardell, [this] { m_help.MardellHomePage(); });
    on(Menus::mnuHelpmnuHelpTalvex, [this] { m_help.TalvexOnline(); });
    on(Menus::mnuHelpmnuHelpFeedback, [this] { m_help.Feedback(); });
    on(Menus::mnuHelpJoinList, [this] { m_help.JoinList(); });
    on(Menus::mnuHelpAbout, [this] { m_help.About(this); });
    connect(m_menus->sites(), &SiteMenu::siteChosen, this, &FMain::SelectSite);
    // Both button-text items run the toggle, which sets both check marks itself.
    for (QAction *option : {m_menus->action(Menus::mnuOptionsText), tbrNavigate->viewLabels()}) {
        connect(option, &QAction::triggered, this, [this, option](bool checkedNow) {
            option->setChecked(!checkedNow);
            ToggleButtonText();
        });
    }

    connect(tbrNavigate, &NavigationToolbar::ButtonClick, this, &FMain::tbrNavigate_ButtonClick);
    connect(tbrNavigate, &NavigationToolbar::ButtonMenuClick, m_favorites, &FavoritesCommands::ShowEntry);
    connect(cboAddress, &AddressBox::addressChosen, this, &FMain::cboAddress_Click);

    connect(m_panes, &PanePair::currentStatusText, sbStatusBar->panel(2), &QLabel::setText);
    connect(m_panes, &PanePair::currentChanged, this, &FMain::onTabChanged);
    connect(m_panes, &PanePair::auctionNavigated, cboAddress, &AddressBox::moveToTop);
    connect(m_panes, &PanePair::stateChanged, this, &FMain::RefreshCommandState);

    connect(&m_session, &TalvexSession::loginOver, this, &FMain::StartupLoginOver);
    connect(timTimer, &QTimer::timeout, this, &FMain::timTimer_Timer);
    connect(timStar, &QTimer::timeout, this, [this] {
        m_busyIndicator->tick(m_panes->current()->Busy(), tbrNavigate->isTextShown());
    });
    connect(lblMardell, &LinkLabel::clicked, this, [this] { m_help.MakerLabel(); });
    lblMardell->restoreLookOver({m_client, SSTab1, SSTab1->tabBar()});
    connect(m_panes->talvex(), &BrowserPane::focusReceived, lblMardell, &LinkLabel::restoreLook);
}

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
    qCInfo(lcStartup, "load");
    SettingsStore &settings = *m_context.settings;
    const QString app = ProgramIdentity::title();
    // The stored start-up site (site 1 when missing or not a site index).
    const int site = SiteSelection::siteFromSetting(settings.GetSetting(app, QStringLiteral("Settings"), QStringLiteral("Site")));
    m_session.LoadTalvexCredentials();
    // The login needs nothing but the Talvex pane and the credentials, so it starts first: the
    // engine loads the please-wait page while the rest of the window loads. The auction's start
    // page, which would slow that page, waits until the login has gone out; the version check
    // until it has been answered.
    const QString startUrl = SiteSelection::SiteStartURL(site, m_context.destinations);
    if (!startUrl.isEmpty()) {
        connect(&m_session, &TalvexSession::loginAskedFor, this, [this, startUrl] {
            if (m_panes->auction()->Busy() || !m_panes->auction()->LocationURL().isEmpty())
                return; // the user was quicker
            timTimer->start();
            m_panes->auction()->Navigate(startUrl);
            qCInfo(lcStartup, "auction start page asked for");
        }, Qt::SingleShotConnection);
        m_session.LogIntoTalvex(*m_panes->talvex(), m_context.dataDir, bIsHasAccount);
    }
    m_menus->sites()->check(site); // as choosing the site does, but its page comes after the login
    m_panes->setCurrent(kAuctionTab);
    // The Talvex tab shows first, with nowhere to go back or forward to.
    m_panes->setCurrent(kTalvexTab);
    SSTab1->setControlVisible(m_row->goBar(), false);
    tbrNavigate->button(1)->setEnabled(false);
    tbrNavigate->button(2)->setEnabled(false);
    tbrNavigate->viewLabels()->setChecked(true);
    WindowPlacement::restoreStored(this, *m_context.settings);
    m_busyIndicator->showResting();
    if (!startUrl.isEmpty()) {
        cboAddress->setEditText(startUrl);
        cboAddress->addItem(startUrl);
    }
    if (settings.GetSetting(app, QStringLiteral("Settings"), QStringLiteral("TextLabels")) == QLatin1String("N"))
        ToggleButtonText();
    if (startUrl.isEmpty())
        StartupLoginOver(); // there is none
}

// What the login does not need comes after it.
void FMain::StartupLoginOver()
{
    m_bIsStartupLoginOver = true;
    StartVersionCheck();
    emit startupLoginOver();
}

bool FMain::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_client && event->type() == QEvent::Resize)
        LayoutControls();
    return QMainWindow::eventFilter(watched, event);
}

void FMain::LayoutControls()
{
    MainLayoutInput in;
    in.W = qRound(Twips::fromPixelsX(frameGeometry().width()));
    in.SW = qRound(Twips::fromPixelsX(m_client->width()));
    in.SH = qRound(Twips::fromPixelsY(m_client->height() + (sbStatusBar->isHidden() ? 0 : sbStatusBar->height())));
    in.bIsTextShown = tbrNavigate->isTextShown();
    const MainLayout layout = ::LayoutControls(in);

    using namespace MainDesign;
    tbrNavigate->setGeometry(0, 0, m_client->width(), Twips::toPixelsY(layout.toolbarHeight));
    picSnipe->setGeometry(Twips::rect(layout.picSnipeLeft, kPicSnipeTop, kPicSnipeSize, kPicSnipeSize));
    SSTab1->setGeometry(Twips::rect(0, layout.tabTop, layout.tabWidth, layout.tabHeight));
    for (BrowserPane *pane : {m_panes->talvex(), m_panes->auction()})
        pane->setGeometry(Twips::rect(kPaneLeft, kPaneTop, layout.paneWidth, layout.paneHeight));
    m_row->place(layout);
    QRect link = Twips::rect(layout.lblMardellLeft, kMardellTop, kMardellWidth, kMardellHeight);
    link.setHeight(qMax(link.height(), lblMardell->sizeHint().height()));
    lblMardell->setGeometry(link);
    timStar->start(); // the indicator animation starts over
}

void FMain::onTabChanged(bool snipePaneCurrent)
{
    SSTab1->setControlVisible(m_row->goBar(), !snipePaneCurrent);
    SSTab1->setControlVisible(lblMardell, snipePaneCurrent);
    sbStatusBar->panel(1)->setText(snipePaneCurrent ? QStringLiteral("Talvex") : QStringLiteral("Auction Browser"));
}

void FMain::RefreshCommandState()
{
    if (tbrNavigate->isTextShown())
        tbrNavigate->ShowButtonText();
    else
        tbrNavigate->HideButtonText();
    m_snipe->UpdateSnipeAvailability();
    const bool talvex = m_panes->isSnipePaneCurrent();
    tbrNavigate->button(1)->setEnabled(m_panes->canGoBack(talvex));
    tbrNavigate->button(2)->setEnabled(m_panes->canGoForward(talvex));
    setCaptionText(m_panes->current()->LocationName());
    // Only a page of the auction pane can be added to the browser favourites.
    m_menus->action(Menus::mnuFavoritesAdd)->setEnabled(!talvex);
}

void FMain::setCaptionText(const QString &text)
{
    setWindowTitle(ProgramIdentity::title() + QStringLiteral(" > ") + text);
}

void FMain::ToggleButtonText()
{
    const bool show = !tbrNavigate->isTextShown();
    tbrNavigate->viewLabels()->setChecked(show);
    m_menus->action(Menus::mnuOptionsText)->setChecked(show);
    RefreshCommandState();
    LayoutControls();
}

void FMain::tbrNavigate_ButtonClick(int index)
{
    const bool talvex = m_panes->isSnipePaneCurrent();
    switch (index) {
    case 1: m_panes->GoBack(talvex); break;
    case 2: m_panes->GoForward(talvex); break;
    case 3: m_panes->current()->Stop(); break;
    case 4: m_panes->current()->Refresh(); break;
    case 5: GoHome(); break;
    case 6: m_favorites->ShowBrowserFavorites(); break;
    case 7: m_snipe->ShowFloatingToolbar(); break;
    default: break;
    }
}

void FMain::GoHome()
{
    if (m_panes->isSnipePaneCurrent())
        m_panes->talvex()->Navigate(TalvexService::newsUrl(m_context.destinations.serviceHost));
    else
        m_panes->auction()->Navigate(SiteStartURL());
}

void FMain::ShowInAuctionBrowser(const QString &sURL)
{
    m_panes->setCurrent(kAuctionTab);
    m_panes->auction()->Navigate(SiteSelection::AffiliateURL(sURL, m_context.destinations));
    RefreshCommandState();
}

void FMain::OpenAddress(const QString &url)
{
    m_panes->setCurrent(kAuctionTab);
    cboAddress_Click(url);
}

void FMain::RaiseWindow()
{
    if (isHidden())
        return;
    setWindowState(windowState() & ~Qt::WindowMinimized);
    raise();
    activateWindow();
}

void FMain::SelectSite(int index)
{
    m_menus->sites()->check(index);
    m_panes->setCurrent(kAuctionTab);
    m_panes->auction()->Navigate(SiteStartURL());
}

QString FMain::SiteStartURL() const
{
    return SiteSelection::SiteStartURL(m_menus->sites()->checkedSite(), m_context.destinations);
}

void FMain::cboAddress_Click(const QString &text)
{
    timTimer->start();
    m_panes->auction()->Navigate(text);
}

// The busy watch: while the auction pane loads, the title says so, whichever tab is shown.
void FMain::timTimer_Timer()
{
    if (m_panes->auction()->Busy()) {
        setCaptionText(QStringLiteral("Working..."));
        return;
    }
    timTimer->stop();
    if (!m_panes->isSnipePaneCurrent())
        setCaptionText(m_panes->auction()->LocationName());
}

void FMain::SnipeItem(const QString &sItemNumber)
{
    m_snipe->SnipeItem(sItemNumber);
}

void FMain::StartVersionCheck()
{
    CStartStatus *status = m_context.startStatus.get();
    if (!status)
        return;
    // A check that cannot start is reported like its other failures; the program goes on.
    if (const std::optional<RaisedError> error = status->CheckVersion(); error && m_context.errors)
        m_context.errors->Alert(QStringLiteral("FMain.StartVersionCheck\r\n") + error->description());
}

void FMain::closeEvent(QCloseEvent *event)
{
    m_exit->handleClose(event);
}

QList<FMain::SettingWrite> FMain::exitSettings() const
{
    const QString app = ProgramIdentity::title(), settings = QStringLiteral("Settings");
    const WindowPlacement::Stored placement = WindowPlacement::store(windowState(), frameGeometry().size());
    return {
        {app, settings, QStringLiteral("Site"), QString::number(m_menus->sites()->checkedSite())},
        {app, settings, QStringLiteral("TextLabels"), tbrNavigate->isTextShown() ? QString() : QStringLiteral("N")},
        {ProgramIdentity::maker(), app, QStringLiteral("WindowState"), placement.state},
        {ProgramIdentity::maker(), app, QStringLiteral("WindowWidth"), placement.width},
        {ProgramIdentity::maker(), app, QStringLiteral("WindowHeight"), placement.height},
    };
}
