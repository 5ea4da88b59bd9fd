#include "EditCommandRouting.h"

EditTarget routeEditCommand(EditCommand command, int tabIndex, FocusKind focus)
{
    switch (command) {
    case EditCommand::Find:
    case EditCommand::Print:
        // The page the user is looking at, wherever the focus was left.
        return tabIndex == 0 ? EditTarget::TalvexPane : EditTarget::AuctionPane;
    case EditCommand::Copy:
        if (focus == FocusKind::BrowserPane)
            return EditTarget::FocusedPane;
        break;
    case EditCommand::Cut:
    case EditCommand::Paste:
        // A web page's selection is not the program's to cut or paste into.
        if (focus == FocusKind::BrowserPane)
            return EditTarget::Nothing;
        break;
    }
    return focus == FocusKind::TextField ? EditTarget::FocusedTextField : EditTarget::Nothing;
}
