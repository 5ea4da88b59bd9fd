#include "ToolbarIcons.h"

#include "Pictures.h"

static void initAppPictures()
{
    Q_INIT_RESOURCE(app_pictures);
}

namespace ToolbarIcons {

namespace {
QIcon coldAndHot(const char *name)
{
    static const bool registered = (initAppPictures(), true);
    Q_UNUSED(registered);
    const QString base = QStringLiteral(":/toolbar/") + QLatin1String(name);
    return Pictures::icon(base + QStringLiteral(".svg"), base + QStringLiteral("-hot.svg"), QIcon::Active);
}
} // namespace

QIcon navigation(int index)
{
    static const char *const names[] = {"back", "forward", "stop", "refresh", "home", "favorites", "toolbar"};
    return index >= 1 && index <= 7 ? coldAndHot(names[index - 1]) : QIcon();
}

QIcon snipe()
{
    return coldAndHot("snipe");
}

} // namespace ToolbarIcons
