#include "FindBar.h"

#include "BrowserPane.h"

#include <QCheckBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QShortcut>
#include <QStyle>
#include <QToolButton>

namespace {
constexpr int kMargin = 6;
}

FindBar::FindBar(BrowserPane *pane)
    : QFrame(pane)
    , m_pane(pane)
{
    setObjectName(QStringLiteral("findBar"));
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);

    m_text = new QLineEdit(this);
    m_text->setPlaceholderText(QStringLiteral("Find on this page"));
    m_text->setClearButtonEnabled(true);

    m_previous = new QToolButton(this);
    m_previous->setArrowType(Qt::UpArrow);
    m_previous->setAutoRaise(true);
    m_previous->setToolTip(QStringLiteral("Previous match (Shift+Enter)"));
    m_next = new QToolButton(this);
    m_next->setArrowType(Qt::DownArrow);
    m_next->setAutoRaise(true);
    m_next->setToolTip(QStringLiteral("Next match (Enter)"));
    m_matchCase = new QCheckBox(QStringLiteral("Match &case"), this);
    m_result = new QLabel(this);
    m_result->setMinimumWidth(m_result->fontMetrics().horizontalAdvance(QStringLiteral("999 of 999")));
    m_close = new QToolButton(this);
    m_close->setIcon(style()->standardIcon(QStyle::SP_TitleBarCloseButton));
    m_close->setAutoRaise(true);
    m_close->setToolTip(QStringLiteral("Close (Esc)"));

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 3, 3, 3);
    layout->setSpacing(4);
    layout->addWidget(m_text);
    layout->addWidget(m_previous);
    layout->addWidget(m_next);
    layout->addWidget(m_matchCase);
    layout->addWidget(m_result);
    layout->addWidget(m_close);

    connect(m_text, &QLineEdit::textEdited, this, &FindBar::restartSearch);
    m_text->installEventFilter(this);
    connect(m_next, &QToolButton::clicked, this, &FindBar::findNext);
    connect(m_previous, &QToolButton::clicked, this, &FindBar::findPrevious);
    connect(m_matchCase, &QCheckBox::toggled, this, &FindBar::restartSearch);
    connect(m_close, &QToolButton::clicked, this, &FindBar::closeBar);
    connect(pane, &BrowserPane::findTextMatches, this, &FindBar::showMatches);
    // A new page has none of the old matches.
    connect(pane, &BrowserPane::NavigateComplete2, this, [this] {
        m_result->clear();
        setNotFound(false);
    });

    auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    escape->setContext(Qt::WidgetWithChildrenShortcut);
    connect(escape, &QShortcut::activated, this, &FindBar::closeBar);

    pane->installEventFilter(this);
    hide();
}

void FindBar::open()
{
    placeOverPane();
    show();
    raise();
    m_text->setFocus(Qt::ShortcutFocusReason);
    m_text->selectAll();
    if (!m_text->text().isEmpty())
        restartSearch();
}

void FindBar::closeBar()
{
    hide();
    m_result->clear();
    setNotFound(false);
    if (m_pane) {
        clearHighlight();
        m_pane->setFocus(Qt::OtherFocusReason);
    }
}

void FindBar::findNext()
{
    search(false);
}

void FindBar::findPrevious()
{
    search(true);
}

QString FindBar::resultText() const
{
    return m_result->text();
}

void FindBar::search(bool backward)
{
    if (!m_pane)
        return;
    const QString text = m_text->text();
    if (text.isEmpty()) {
        restartSearch();
        return;
    }
    m_pane->findText(text, backward, m_matchCase->isChecked());
}

void FindBar::restartSearch()
{
    if (!m_pane)
        return;
    // The engine carries on a search of the same text from the last match; clearing first
    // makes a changed text or case setting count the page afresh.
    clearHighlight();
    m_result->clear();
    setNotFound(false);
    if (!m_text->text().isEmpty())
        search(false);
}

void FindBar::showMatches(int activeMatch, int numberOfMatches)
{
    if (m_clearing)
        return;
    if (m_text->text().isEmpty()) {
        m_result->clear();
        setNotFound(false);
        return;
    }
    if (numberOfMatches <= 0) {
        m_result->setText(QStringLiteral("Not found"));
        setNotFound(true);
        return;
    }
    m_result->setText(QStringLiteral("%1 of %2").arg(activeMatch).arg(numberOfMatches));
    setNotFound(false);
}

void FindBar::clearHighlight()
{
    // What the pane reports for clearing is not a result for the text in the box.
    m_clearing = true;
    m_pane->findText(QString(), false, false);
    m_clearing = false;
}

void FindBar::setNotFound(bool notFound)
{
    if (notFound == m_notFound)
        return;
    m_notFound = notFound;
    // A tinted base keeps the style's own frame, unlike a style sheet.
    QPalette palette; // nothing set: the box inherits its usual colours
    if (notFound) {
        palette.setColor(QPalette::Base, QColor(0xff, 0xd6, 0xd6));
        palette.setColor(QPalette::Text, QColor(0x66, 0x00, 0x00));
    }
    m_text->setPalette(palette);
    m_result->setStyleSheet(notFound ? QStringLiteral("color: #a00000;") : QString());
}

void FindBar::placeOverPane()
{
    if (!m_pane)
        return;
    const QSize size = sizeHint().boundedTo(QSize(m_pane->width() - 2 * kMargin, sizeHint().height()));
    const int x = qMax(0, m_pane->width() - size.width() - kMargin);
    setGeometry(x, kMargin, size.width(), size.height());
}

bool FindBar::eventFilter(QObject *watched, QEvent *event)
{
    // The event's type first: while the pane is being destroyed, comparing it with m_pane
    // would cast a plain QWidget to BrowserPane (undefined behaviour, caught by UBSan).
    if (event->type() == QEvent::Resize && watched == m_pane && isVisible())
        placeOverPane();
    if (watched == m_text && event->type() == QEvent::KeyPress) {
        // Enter finds the next match, Shift+Enter the previous one.
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            search(key->modifiers().testFlag(Qt::ShiftModifier));
            return true;
        }
    }
    return QFrame::eventFilter(watched, event);
}
