#include "NavigationToolbar.h"

#include "MenuNames.h"
#include "ToolBarName.h"
#include "ToolbarIcons.h"

#include <QMenu>
#include <QToolButton>

namespace {

struct Design
{
    const char *caption;
    const char *toolTip;
};

const Design kButtons[NavigationToolbar::kButtonCount] = {
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

} // namespace

QString NavigationToolbar::flatStyle(double fontPointSize)
{
    return QStringLiteral(
               "QToolBar { padding: 0px; spacing: 0px; border: none; background: transparent; }"
               "QToolButton { font-size: %1pt; padding: 0px; border: 1px solid transparent; border-radius: 3px; }"
               "QToolButton:hover { border-color: #9aa7b8; background: #e6eef8; }"
               "QToolButton:pressed, QToolButton:checked { background: #cfdcec; }"
               "QToolButton:disabled { color: #9a9a9a; }"
               "QToolButton[popupMode=\"1\"] { padding-right: 13px; }"
               "QToolButton::menu-button { border: none; width: 12px; }")
        .arg(fontPointSize);
}

NavigationToolbar::NavigationToolbar(QWidget *parent)
    : QToolBar(parent)
{
    setObjectName(QStringLiteral("tbrNavigate"));
    setMovable(false);
    setFloatable(false);
    setIconSize(QSize(kIconSize, kIconSize));
    setStyleSheet(flatStyle(8));
    nameToolBar(this, QStringLiteral("Navigation"));

    auto *entries = new QMenu(this);
    entries->setObjectName(QStringLiteral("tbrNavigateFavoritesMenu"));
    for (const auto &[text, key] : kFavoritesEntries) {
        QAction *entry = entries->addAction(QString::fromLatin1(text));
        entry->setObjectName(QString::fromLatin1(key));
        connect(entry, &QAction::triggered, this, [this, key = QString::fromLatin1(key)] { emit ButtonMenuClick(key); });
    }

    for (int i = 1; i <= kButtonCount; ++i) {
        QAction *button = addAction(ToolbarIcons::navigation(i), QString::fromLatin1(kButtons[i - 1].caption));
        button->setObjectName(QStringLiteral("tbrNavigate.Buttons(%1)").arg(i));
        button->setToolTip(QString::fromLatin1(kButtons[i - 1].toolTip));
        m_buttons[size_t(i - 1)] = button;
        toolButton(i)->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        toolButton(i)->setAutoRaise(true);
        // The caption may be switched off; the name a screen reader says stays.
        toolButton(i)->setAccessibleName(button->text());
        connect(button, &QAction::triggered, this, [this, i] { emit ButtonClick(i); });
    }
    button(6)->setMenu(entries);
    toolButton(6)->setPopupMode(QToolButton::MenuButtonPopup);

    // Not in the menu bar: only ever shown as this toolbar's pop-up.
    m_popup = new QMenu(QStringLiteral("ButtonBarStatus"), this);
    m_popup->setObjectName(Menus::mnuButtonBarStatus);
    m_viewLabels = m_popup->addAction(QStringLiteral("View Text Labels"));
    m_viewLabels->setObjectName(Menus::mnuButtonBarStatusViewLabels);
    m_viewLabels->setCheckable(true);
    m_viewLabels->setChecked(true);
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &pos) { m_popup->popup(mapToGlobal(pos)); });
}

QAction *NavigationToolbar::button(int index) const
{
    return index >= 1 && index <= kButtonCount ? m_buttons[size_t(index - 1)] : nullptr;
}

QToolButton *NavigationToolbar::toolButton(int index) const
{
    return qobject_cast<QToolButton *>(widgetForAction(button(index)));
}

bool NavigationToolbar::isTextShown() const
{
    return m_viewLabels->isChecked();
}

void NavigationToolbar::ShowButtonText()
{
    for (int i = 1; i <= 6; ++i)
        setCaption(i, QString::fromLatin1(kButtons[i - 1].caption));
}

void NavigationToolbar::HideButtonText()
{
    for (int i = 1; i <= kButtonCount; ++i)
        setCaption(i, QString());
}

void NavigationToolbar::setCaption(int index, const QString &caption)
{
    QAction *action = button(index);
    if (action->text() == caption)
        return;
    action->setText(caption);
    // A button without caption shows its picture alone, so the toolbar can shrink.
    toolButton(index)->setToolButtonStyle(caption.isEmpty() ? Qt::ToolButtonIconOnly : Qt::ToolButtonTextUnderIcon);
}
