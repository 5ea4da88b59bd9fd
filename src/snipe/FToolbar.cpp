#include "FToolbar.h"

#include "ItemNumber.h"
#include "ProgramIdentity.h"
#include "ToolBarName.h"
#include "ui_FToolbar.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QTimer>

FToolbar::FToolbar(const QIcon &snipeIcon, QWidget *parent)
    : QDialog(parent)
    , ui(std::make_unique<Ui::FToolbar>())
{
    ui->setupUi(this);
    setWindowTitle(ProgramIdentity::title());
    // Topmost, with a title bar and close box only; it is a stand-in for the main window.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                   | Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint);
    ui->actSnipe->setIcon(snipeIcon);
    nameToolBar(ui->Toolbar1, QStringLiteral("Snipe"));
    // Tab reaches the button and Space presses it: the toolbar works without a mouse.
    ui->Toolbar1->widgetForAction(ui->actSnipe)->setFocusPolicy(Qt::TabFocus);
    ui->txtItem->setMinimumWidth(ui->txtItem->fontMetrics().horizontalAdvance(QLatin1Char('0')) * 16);

    timTimer = new QTimer(this);
    timTimer->setInterval(1);
    timTimer->setSingleShot(true);
    connect(timTimer, &QTimer::timeout, this, [this] {
        activateWindow();
        ui->txtItem->setFocus(Qt::OtherFocusReason);
    });

    connect(ui->actSnipe, &QAction::triggered, this, &FToolbar::snipe);
    connect(ui->txtItem, &QLineEdit::textChanged, this, &FToolbar::applyButtonRule);
    applyButtonRule();
    setFixedSize(sizeHint());
}

FToolbar::~FToolbar() = default;

QLineEdit *FToolbar::itemBox() const { return ui->txtItem; }
QAction *FToolbar::snipeAction() const { return ui->actSnipe; }
QToolBar *FToolbar::toolbar() const { return ui->Toolbar1; }

void FToolbar::applyButtonRule()
{
    const QString text = ui->txtItem->text();
    ui->actSnipe->setEnabled(!text.isEmpty() && IsAllDigits(text));
}

void FToolbar::snipe()
{
    m_sItemNumber = ui->txtItem->text();
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
