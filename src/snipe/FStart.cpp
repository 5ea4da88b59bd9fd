#include "FStart.h"

#include "LinkLabel.h"
#include "ProgramIdentity.h"
#include "SettingsStore.h"
#include "Shell.h"
#include "ui_FStart.h"

#include <QPainter>
#include <QRadialGradient>
#include <QtMath>

namespace {

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
    , ui(std::make_unique<Ui::FStart>())
    , m_settings(settings)
    , m_shell(shell)
    , m_makerHomeURL(makerHomeURL)
{
    ui->setupUi(this);
    setWindowTitle(QStringLiteral("Welcome to ") + ProgramIdentity::title());
    cmdYes = ui->cmdYes;
    Command1 = ui->Command1;
    chkHasAccount = ui->chkHasAccount;
    // The titles scale with the desktop's own font, which a fixed point size would not.
    for (QLabel *title : {ui->lblTalvex, ui->lblBidbench}) {
        QFont big = title->font();
        big.setBold(true);
        big.setPointSizeF(big.pointSizeF() * 2.2);
        title->setFont(big);
    }
    ui->lblMardell->setInitialColor(QColor(0, 0, 128));
    ui->Image1->setPixmap(productPicture(72));
    setFixedHeight(sizeHint().height());

    // Only the background, the frame and the labels beside the link restore it; the buttons
    // and texts leave it as it is.
    ui->lblMardell->restoreLookOver({this, ui->fraBody, ui->lblFrom, ui->lblBidbench});

    connect(ui->cmdYes, &QPushButton::clicked, this, &FStart::cmdYes_Click);
    connect(ui->Command1, &QPushButton::clicked, this, &FStart::Command1_Click);
    connect(ui->lblMardell, &LinkLabel::clicked, this, &FStart::lblMardell_Click);
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
    if (ui->chkHasAccount->isChecked())
        m_settings->SaveSetting(ProgramIdentity::title(), QStringLiteral("Settings"),
                                QStringLiteral("StartScreen"), QStringLiteral("N"));
}
