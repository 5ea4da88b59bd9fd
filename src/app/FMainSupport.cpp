#include "FMain.h"

#include "BrowserPane.h"
#include "CError.h"
#include "CStartStatus.h"
#include "LinkLabel.h"
#include "ProgramEnd.h"
#include "RaisedError.h"
#include "TabControl.h"

#include <QAction>
#include <QMouseEvent>
#include <QTabBar>

namespace {
// Brings the link label's resting look back when the pointer moves over the window's bare
// background or over the tab strip. Moves over a control (a pane, the toolbar) that reach
// these widgets only because the control ignored them do not count.
class LinkRestorer : public QObject
{
public:
    LinkRestorer(LinkLabel *link, QWidget *background, TabControl *tabs)
        : QObject(link), m_link(link), m_background(background), m_tabs(tabs)
    {
        for (QWidget *w : {background, static_cast<QWidget *>(tabs), static_cast<QWidget *>(tabs->tabBar())}) {
            w->setMouseTracking(true);
            w->installEventFilter(this);
        }
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::MouseMove)
            return false;
        const QPoint pos = static_cast<QMouseEvent *>(event)->position().toPoint();
        if (watched == m_tabs->tabBar()) {
            m_link->restoreLook();
        } else if (watched == m_tabs) {
            QWidget *under = m_tabs->childAt(pos);
            if (!under || under == m_tabs->tabBar())
                m_link->restoreLook();
        } else if (watched == m_background && !m_background->childAt(pos)) {
            m_link->restoreLook();
        }
        return false;
    }

private:
    LinkLabel *m_link;
    QWidget *m_background;
    TabControl *m_tabs;
};
} // namespace

void FMain::connectSupport()
{
    connect(mnuHelpContents, &QAction::triggered, this, [this] { helpLinks().Contents(); });
    connect(mnuHelpmnuHelpMardell, &QAction::triggered, this, [this] { helpLinks().MardellHomePage(); });
    connect(mnuHelpmnuHelpTalvex, &QAction::triggered, this, [this] { helpLinks().TalvexOnline(); });
    connect(mnuHelpmnuHelpFeedback, &QAction::triggered, this, [this] { helpLinks().Feedback(); });
    connect(mnuHelpJoinList, &QAction::triggered, this, [this] { helpLinks().JoinList(); });
    connect(mnuHelpAbout, &QAction::triggered, this, [this] { helpLinks().About(this); });

    connect(lblMardell, &LinkLabel::clicked, this, [this] { helpLinks().MakerLabel(); });
    new LinkRestorer(lblMardell, clientArea(), SSTab1);
    connect(brwSnipe, &BrowserPane::focusReceived, lblMardell, &LinkLabel::restoreLook);
}

HelpLinks FMain::helpLinks() const
{
    return HelpLinks(m_context.destinations, *m_context.shell, m_context.programDir);
}

void FMain::StartVersionCheck()
{
    CStartStatus *status = startStatus();
    if (!status)
        return;
    // A failure to start the check is reported like the check's other failures, and the
    // program goes on without it.
    if (const std::optional<RaisedError> error = status->CheckVersion(); error && m_context.errors)
        m_context.errors->Alert(QStringLiteral("FMain.StartVersionCheck\r\n") + error->description());
}

bool FMain::isEndingForUpdate()
{
    return ProgramEnd::instance().isEnding();
}
