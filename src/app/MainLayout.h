#pragma once

// Where the main window's resizable controls go, in twips. A pure function of the window's
// outer width W, its client size SW x SH and whether the navigation buttons show text.
struct MainLayoutInput
{
    int W = 0;
    int SW = 0;
    int SH = 0;
    bool bIsTextShown = true;
};

struct MainLayout
{
    int toolbarHeight = 0;
    int tabTop = 0;
    int tabWidth = 0;
    int tabHeight = 0;
    int paneWidth = 0;   // both panes; they keep left 0 and top 800 inside the tab control
    int paneHeight = 0;
    int goLeft = 0;      // tbrGo, inside the tab control
    int addressWidth = 0;
    int picSnipeLeft = 0;
    int lblMardellLeft = 0; // inside the tab control
};

// A window smaller than the reserves gives sizes mirrored around zero (absolute values),
// never negative ones, so a minimized window (client 0 x 0) lays out without harm.
MainLayout LayoutControls(const MainLayoutInput &in);

// Design places (twips) of the controls that do not move.
namespace MainDesign {
constexpr int kClientWidth = 10020;
constexpr int kClientHeight = 6585;
constexpr int kStatusBarHeight = 270;
constexpr int kPicSnipeTop = 45;
constexpr int kPicSnipeSize = 500;
constexpr int kPaneLeft = 0;
constexpr int kPaneTop = 800;
constexpr int kSnipeBarLeft = 135, kSnipeBarTop = 360, kSnipeBarWidth = 915, kSnipeBarHeight = 390;
constexpr int kAddressLeft = 1200, kAddressTop = 390, kAddressHeight = 315;
constexpr int kGoTop = 360, kGoWidth = 840, kGoHeight = 390;
constexpr int kMardellTop = 390, kMardellWidth = 915, kMardellHeight = 195;
} // namespace MainDesign
