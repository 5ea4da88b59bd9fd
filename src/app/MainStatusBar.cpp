#include "MainStatusBar.h"

#include "MainLayout.h"
#include "Twips.h"

#include <QDateTime>
#include <QLabel>
#include <QLocale>
#include <QTimer>

MainStatusBar::MainStatusBar(QWidget *parent)
    : QStatusBar(parent)
    , m_midnight(new QTimer(this))
{
    setObjectName(QStringLiteral("sbStatusBar"));
    setFixedHeight(Twips::toPixelsY(MainDesign::kStatusBarHeight));
    QFont small = font();
    small.setPointSizeF(qMax(7.0, small.pointSizeF() - 1.0));
    setFont(small);
    for (int i = 0; i < 3; ++i) {
        auto *label = new QLabel(this);
        label->setObjectName(QStringLiteral("sbStatusBar.Panels(%1)").arg(i + 1));
        label->setFrameShape(QFrame::Panel);
        label->setFrameShadow(QFrame::Sunken);
        label->setContentsMargins(3, 0, 3, 0);
        m_panels[size_t(i)] = label;
    }
    // Wide enough for the longer of its two texts.
    m_panels[0]->setText(QStringLiteral("Auction Browser"));
    m_panels[0]->setMinimumWidth(qMax(Twips::toPixelsX(1440), m_panels[0]->sizeHint().width()));
    m_panels[0]->setText(QStringLiteral("Talvex"));
    // A long status text (a long address) is cut, never widens the window.
    m_panels[1]->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    addWidget(m_panels[0]);
    addWidget(m_panels[1], 1);
    addPermanentWidget(m_panels[2]);

    m_midnight->setSingleShot(true);
    connect(m_midnight, &QTimer::timeout, this, &MainStatusBar::showToday);
    showToday();
}

QLabel *MainStatusBar::panel(int index) const
{
    return index >= 1 && index <= 3 ? m_panels[size_t(index - 1)] : nullptr;
}

void MainStatusBar::showToday()
{
    m_panels[2]->setText(QLocale().toString(QDate::currentDate(), QLocale::ShortFormat));
    const QDateTime now = QDateTime::currentDateTime();
    const qint64 untilMidnight = now.msecsTo(QDateTime(now.date().addDays(1), QTime(0, 0))) + 500;
    m_midnight->start(int(std::clamp<qint64>(untilMidnight, 1000, 24 * 3600 * 1000)));
}
