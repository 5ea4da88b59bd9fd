#pragma once

#include "EditCommandRouting.h"

#include <QObject>
#include <QPointer>

#include <functional>
#include <memory>

class BrowserPane;
class FindBar;
class QPrinter;
class QWidget;

// Cut, Copy, Paste, Find and Print of the main window, acting on what the user looks at:
// the current tab's pane or the focused text field (routeEditCommand decides which).
class EditCommands : public QObject
{
    Q_OBJECT

public:
    // Fills in the printer (the print dialog in the program); false when the user cancels.
    using PrintSetup = std::function<bool(QPrinter &printer, QWidget *parent)>;

    EditCommands(QWidget *window, std::function<int()> currentTabIndex, BrowserPane *talvexPane,
                 BrowserPane *auctionPane, QObject *parent = nullptr);
    ~EditCommands() override;

    void cut();
    void copy();
    void paste();
    void find();
    void print();

    void setPrintSetup(PrintSetup setup) { m_printSetup = std::move(setup); }
    static bool runPrintDialog(QPrinter &printer, QWidget *parent);

    // The pane's find bar, made on first use.
    FindBar *findBar(BrowserPane *pane);

    FocusKind focusKind(const QWidget *focus) const;
    // The text control a focus widget edits (an editable combo box edits through its line
    // edit), or null when it is no editable text control.
    static QWidget *textFieldOf(QWidget *focus);

signals:
    void printFinished(bool success);

private:
    void editFocused(EditCommand command, const char *textFieldSlot);
    BrowserPane *paneFor(EditTarget target, QWidget *focus) const;
    BrowserPane *paneContaining(const QWidget *widget) const;

    QPointer<QWidget> m_window;
    std::function<int()> m_currentTabIndex;
    QPointer<BrowserPane> m_talvexPane;
    QPointer<BrowserPane> m_auctionPane;
    QPointer<FindBar> m_talvexFind;
    QPointer<FindBar> m_auctionFind;
    PrintSetup m_printSetup;
    std::unique_ptr<QPrinter> m_printer; // alive until the pane has finished with it
};
