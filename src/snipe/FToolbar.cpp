#include "FToolbar.h"

#include "ProgramIdentity.h"

#include <QAction>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMimeData>
#include <QTimer>
#include <QToolBar>

#include <limits>

bool IsAllDigits(const QString &sText)
{
    for (const QChar c : sText) {
        if (c.unicode() < u'0' || c.unicode() > u'9')
            return false;
    }
    return true;
}

namespace {

// The plain-text form of dropped data; an address dragged as a link only may come as a URL.
QString droppedText(const QMimeData *data)
{
    if (data->hasText())
        return data->text();
    if (data->hasUrls() && !data->urls().isEmpty())
        return data->urls().constFirst().toString();
    return QString();
}

bool canTake(const QMimeData *data)
{
    return data && (data->hasText() || data->hasUrls());
}

} // namespace

void ItemNumberBox::dragEnterEvent(QDragEnterEvent *event)
{
    if (canTake(event->mimeData()))
        event->acceptProposedAction();
    else
        event->ignore();
}

void ItemNumberBox::dragMoveEvent(QDragMoveEvent *event)
{
    // No insertion cursor: the drop replaces everything, wherever it lands.
    if (canTake(event->mimeData()))
        event->acceptProposedAction();
    else
        event->ignore();
}

void ItemNumberBox::dropEvent(QDropEvent *event)
{
    if (!canTake(event->mimeData())) {
        event->ignore();
        return;
    }
    // Through the editing path rather than setText, so the user can undo the drop.
    selectAll();
    insert(droppedText(event->mimeData()));
    // A copy, never a move: the source (a browser's address bar) must keep its text.
    event->setDropAction(Qt::CopyAction);
    event->accept();
    setFocus(Qt::MouseFocusReason);
}

FToolbar::FToolbar(const QIcon &snipeIcon, QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(ProgramIdentity::title());
    // Topmost, with a title bar and close box only; it is a stand-in for the main window.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                   | Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint);

    lblItem = new QLabel(QStringLiteral("&eBay Item #"), this);
    txtItem = new ItemNumberBox(this);
    txtItem->setObjectName(QStringLiteral("txtItem"));
    txtItem->setMaxLength(std::numeric_limits<int>::max());
    txtItem->setMinimumWidth(txtItem->fontMetrics().horizontalAdvance(QLatin1Char('0')) * 16);
    lblItem->setBuddy(txtItem);

    picToolbar = new QWidget(this);
    Toolbar1 = new QToolBar(picToolbar);
    Toolbar1->setObjectName(QStringLiteral("Toolbar1"));
    Toolbar1->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    Toolbar1->setIconSize(QSize(16, 16));
    m_snipeAction = Toolbar1->addAction(snipeIcon, QStringLiteral("Snipe!"));
    connect(m_snipeAction, &QAction::triggered, this, &FToolbar::snipe);
    auto *toolbarLayout = new QHBoxLayout(picToolbar);
    toolbarLayout->setContentsMargins(0, 0, 0, 0);
    toolbarLayout->addWidget(Toolbar1);

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(8, 4, 4, 4);
    layout->addWidget(lblItem);
    layout->addWidget(txtItem, 1);
    layout->addWidget(picToolbar);

    timTimer = new QTimer(this);
    timTimer->setInterval(1);
    timTimer->setSingleShot(true);
    connect(timTimer, &QTimer::timeout, this, [this] {
        activateWindow();
        txtItem->setFocus(Qt::OtherFocusReason);
    });

    connect(txtItem, &QLineEdit::textChanged, this, &FToolbar::applyButtonRule);
    applyButtonRule();
    setFixedSize(sizeHint());
}

void FToolbar::applyButtonRule()
{
    const QString text = txtItem->text();
    m_snipeAction->setEnabled(!text.isEmpty() && IsAllDigits(text));
}

void FToolbar::snipe()
{
    m_sItemNumber = txtItem->text();
    hide();
}

void FToolbar::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // Once per window: the focus goes into the box as soon as the window is really up.
    if (!m_focusTimerUsed && !event->spontaneous()) {
        m_focusTimerUsed = true;
        timTimer->start();
    }
}

void FToolbar::closeEvent(QCloseEvent *event)
{
    // Only the user's close box counts as giving no item; the program closing the window
    // (at its own end) does not.
    if (event->spontaneous())
        m_bCancelled = true;
    QDialog::closeEvent(event);
}

void FToolbar::keyPressEvent(QKeyEvent *event)
{
    // Esc would hide the window like a Snipe without a number; the close box is the way out.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
