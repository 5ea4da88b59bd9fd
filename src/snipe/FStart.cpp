#include "FStart.h"

#include "LinkLabel.h"
#include "ProgramIdentity.h"
#include "SettingsStore.h"
#include "Shell.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadialGradient>
#include <QVBoxLayout>
#include <QtMath>

namespace {

QLabel *wrappedLabel(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setWordWrap(true);
    label->setTextFormat(Qt::PlainText);
    return label;
}

QLabel *titleLabel(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    QFont big = label->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 2.2);
    label->setFont(big);
    return label;
}

// The welcome screen's product picture: a gold star on a blue tile.
QPixmap productPicture(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient sky(QPointF(size * 0.5, size * 0.4), size * 0.6);
    sky.setColorAt(0, QColor(90, 150, 230));
    sky.setColorAt(1, QColor(20, 50, 120));
    p.setPen(Qt::NoPen);
    p.setBrush(sky);
    p.drawRoundedRect(QRectF(0.5, 0.5, size - 1, size - 1), size * 0.15, size * 0.15);
    QPolygonF star;
    for (int i = 0; i < 10; ++i) {
        const qreal r = (i % 2 == 0) ? size * 0.4 : size * 0.17;
        const qreal a = qDegreesToRadians(-90.0 + 36.0 * i);
        star << QPointF(size * 0.5 + r * qCos(a), size * 0.53 + r * qSin(a));
    }
    p.setPen(QPen(QColor(150, 100, 10), size / 40.0));
    p.setBrush(QColor(250, 210, 70));
    p.drawPolygon(star);
    return pixmap;
}

} // namespace

FStart::FStart(SettingsStore *settings, Shell *shell, const QString &makerHomeURL, QWidget *parent)
    : QDialog(parent)
    , m_settings(settings)
    , m_shell(shell)
    , m_makerHomeURL(makerHomeURL)
{
    setWindowTitle(QStringLiteral("Welcome to ") + ProgramIdentity::title());
    setMouseTracking(true);

    lblTalvex = titleLabel(QStringLiteral("Talvex"), this);
    lblTalvex->setStyleSheet(QStringLiteral("color: rgb(20, 50, 120);"));
    lblBidbench = titleLabel(QStringLiteral("Bidbench"), this);
    lblFrom = new QLabel(QStringLiteral("brought to you by"), this);
    lblMardell = new LinkLabel(QStringLiteral("&Mardell"), this, QColor(0, 0, 128));
    Image1 = new QLabel(this);
    Image1->setPixmap(productPicture(72));

    fraBody = new QGroupBox(QStringLiteral("Start Winning Auctions!"), this);
    lblExplanation1 = wrappedLabel(
        QStringLiteral("Talvex Bidbench allows you to place last-second bids in online auctions.  Your bid "
                       "requests will be set up on a secure online server and placed for you automatically.  "
                       "Your computer does not even have to have to be turned on when your bid is placed."),
        fraBody);
    lblExplanation2 = wrappedLabel(
        QStringLiteral("Using Bidbench is easy and free!  When you are viewing an auction in the auction "
                       "browser window, just press the Snipe! button to set up a bid.  View and manage your "
                       "bids in the Talvex window."),
        fraBody);
    lblAccountRequired = wrappedLabel(
        QStringLiteral("You need an account with Talvex to set up snipe bids.  It is free and only takes a "
                       "moment to set up."),
        this);
    lblAccountQuery = new QLabel(QStringLiteral("Do you have an account with Talvex?"), this);
    QFont bold = lblAccountQuery->font();
    bold.setBold(true);
    lblAccountQuery->setFont(bold);

    cmdYes = new QPushButton(QStringLiteral("&Yes"), this);
    Command1 = new QPushButton(QStringLiteral("&No"), this);
    chkHasAccount = new QCheckBox(QStringLiteral("I have a Talvex &account.  Do not show this message again."), this);
    cmdYes->setDefault(true);

    // Layout
    auto *titles = new QHBoxLayout;
    titles->setSpacing(8);
    titles->addWidget(lblTalvex);
    titles->addWidget(lblBidbench);
    titles->addStretch();
    auto *from = new QHBoxLayout;
    from->setSpacing(4);
    from->addWidget(lblFrom);
    from->addWidget(lblMardell);
    from->addStretch();
    auto *heading = new QVBoxLayout;
    heading->addLayout(titles);
    heading->addLayout(from);
    auto *top = new QHBoxLayout;
    top->addWidget(Image1, 0, Qt::AlignTop);
    top->addSpacing(10);
    top->addLayout(heading, 1);

    auto *body = new QVBoxLayout(fraBody);
    body->addWidget(lblExplanation1);
    body->addSpacing(4);
    body->addWidget(lblExplanation2);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdYes);
    buttons->addWidget(Command1);
    buttons->addStretch();

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(14, 12, 14, 12);
    layout->addLayout(top);
    layout->addSpacing(6);
    layout->addWidget(fraBody);
    layout->addSpacing(6);
    layout->addWidget(lblAccountRequired);
    layout->addWidget(lblAccountQuery);
    layout->addLayout(buttons);
    layout->addSpacing(4);
    layout->addWidget(chkHasAccount);
    setFixedWidth(460);
    setFixedHeight(sizeHint().height());

    // The link's resting look returns when the pointer reaches these.
    for (QWidget *restores : {static_cast<QWidget *>(fraBody), static_cast<QWidget *>(lblFrom),
                              static_cast<QWidget *>(lblBidbench)}) {
        restores->setMouseTracking(true);
        restores->installEventFilter(this);
    }

    connect(cmdYes, &QPushButton::clicked, this, &FStart::cmdYes_Click);
    connect(Command1, &QPushButton::clicked, this, &FStart::Command1_Click);
    connect(lblMardell, &LinkLabel::clicked, this, &FStart::lblMardell_Click);
}

FStart::~FStart()
{
    Form_Unload();
}

void FStart::cmdYes_Click()
{
    m_bHasAccount = true;
    accept();
}

void FStart::Command1_Click()
{
    reject();
}

void FStart::lblMardell_Click()
{
    m_shell->open(m_makerHomeURL);
}

void FStart::Form_Unload()
{
    // Ticked: the screen is switched off for good, whichever button was pressed.
    if (chkHasAccount->isChecked())
        m_settings->SaveSetting(ProgramIdentity::title(), QStringLiteral("Settings"),
                                QStringLiteral("StartScreen"), QStringLiteral("N"));
}

// Only the window background, the frame and the two labels beside the link bring back its
// resting look; the other controls (buttons, texts) leave it as it is.
bool FStart::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseMove) {
        auto *widget = static_cast<QWidget *>(watched);
        const auto *move = static_cast<QMouseEvent *>(event);
        if (!widget->childAt(move->position().toPoint()))
            lblMardell->restoreLook();
    }
    return QDialog::eventFilter(watched, event);
}

void FStart::mouseMoveEvent(QMouseEvent *event)
{
    if (!childAt(event->position().toPoint()))
        lblMardell->restoreLook();
    QDialog::mouseMoveEvent(event);
}
