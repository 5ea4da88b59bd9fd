#include "EditCommands.h"

#include "BrowserPane.h"
#include "FindBar.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QTextEdit>

EditCommands::EditCommands(QWidget *window, std::function<int()> currentTabIndex,
                           BrowserPane *talvexPane, BrowserPane *auctionPane, QObject *parent)
    : QObject(parent)
    , m_window(window)
    , m_currentTabIndex(std::move(currentTabIndex))
    , m_talvexPane(talvexPane)
    , m_auctionPane(auctionPane)
    , m_printSetup(&EditCommands::runPrintDialog)
{
}

EditCommands::~EditCommands() = default;

bool EditCommands::runPrintDialog(QPrinter &printer, QWidget *parent)
{
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

QWidget *EditCommands::textFieldOf(QWidget *focus)
{
    if (auto *combo = qobject_cast<QComboBox *>(focus))
        return combo->isEditable() ? combo->lineEdit() : nullptr;
    if (qobject_cast<QLineEdit *>(focus) || qobject_cast<QTextEdit *>(focus)
        || qobject_cast<QPlainTextEdit *>(focus))
        return focus;
    return nullptr;
}

BrowserPane *EditCommands::paneContaining(const QWidget *widget) const
{
    for (BrowserPane *pane : {m_talvexPane.data(), m_auctionPane.data()}) {
        if (pane && widget && (widget == pane || pane->isAncestorOf(widget)))
            return pane;
    }
    return nullptr;
}

FocusKind EditCommands::focusKind(const QWidget *focus) const
{
    if (!focus || !m_window || focus->window() != m_window)
        return FocusKind::Nothing;
    // Before the pane test: the find bar's text box lives inside a pane.
    if (textFieldOf(const_cast<QWidget *>(focus)))
        return FocusKind::TextField;
    if (paneContaining(focus))
        return FocusKind::BrowserPane;
    return FocusKind::OtherControl;
}

BrowserPane *EditCommands::paneFor(EditTarget target, QWidget *focus) const
{
    switch (target) {
    case EditTarget::TalvexPane: return m_talvexPane;
    case EditTarget::AuctionPane: return m_auctionPane;
    case EditTarget::FocusedPane: return paneContaining(focus);
    default: return nullptr;
    }
}

void EditCommands::editFocused(EditCommand command, const char *textFieldSlot)
{
    QWidget *focus = QApplication::focusWidget();
    const EditTarget target = routeEditCommand(command, m_currentTabIndex(), focusKind(focus));
    if (target == EditTarget::FocusedTextField) {
        if (QWidget *field = textFieldOf(focus))
            QMetaObject::invokeMethod(field, textFieldSlot);
    } else if (target == EditTarget::FocusedPane) {
        if (BrowserPane *pane = paneFor(target, focus))
            pane->copySelection();
    }
}

void EditCommands::cut()
{
    editFocused(EditCommand::Cut, "cut");
}

void EditCommands::copy()
{
    editFocused(EditCommand::Copy, "copy");
}

void EditCommands::paste()
{
    editFocused(EditCommand::Paste, "paste");
}

FindBar *EditCommands::findBar(BrowserPane *pane)
{
    QPointer<FindBar> &bar = pane == m_talvexPane ? m_talvexFind : m_auctionFind;
    if (!bar && pane)
        bar = new FindBar(pane);
    return bar;
}

void EditCommands::find()
{
    const EditTarget target = routeEditCommand(EditCommand::Find, m_currentTabIndex(), FocusKind::Nothing);
    BrowserPane *pane = paneFor(target, nullptr);
    if (!pane)
        return;
    pane->setFocus(Qt::ShortcutFocusReason);
    findBar(pane)->open();
}

void EditCommands::print()
{
    const EditTarget target = routeEditCommand(EditCommand::Print, m_currentTabIndex(), FocusKind::Nothing);
    BrowserPane *pane = paneFor(target, nullptr);
    // The engine prints one page at a time and needs its printer until it says it is done.
    if (!pane || m_printer)
        return;
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    if (!m_printSetup(*printer, m_window))
        return;
    m_printer = std::move(printer);
    connect(pane, &BrowserPane::printFinished, this, [this](bool success) {
        m_printer.reset();
        emit printFinished(success);
    }, Qt::SingleShotConnection);
    pane->print(m_printer.get());
}
