#include "MainLayout.h"

#include <cstdlib>

MainLayout LayoutControls(const MainLayoutInput &in)
{
    MainLayout out;
    // The toolbar is shorter without captions; the tab control moves up with it.
    const int reserve = in.bIsTextShown ? 950 : 780;
    out.tabTop = in.bIsTextShown ? 660 : 500;
    out.toolbarHeight = out.tabTop - 30;
    out.tabWidth = in.W - 50;
    out.paneWidth = out.tabWidth - 30;
    out.tabHeight = std::abs(in.SH - reserve);
    out.paneHeight = std::abs(out.tabHeight - 830);
    out.goLeft = std::abs(in.SW - 900);
    out.addressWidth = std::abs(in.SW - 2150);
    out.picSnipeLeft = std::abs(in.SW - 550);
    out.lblMardellLeft = std::abs(out.tabWidth - 1200);
    return out;
}
