#pragma once

// Which pane or control an Edit menu or Print command reaches, decided from the current tab
// and the kind of control that has the focus; no widgets involved.

enum class EditCommand { Cut, Copy, Paste, Find, Print };

enum class FocusKind {
    Nothing,      // no control of the main window has the focus
    BrowserPane,  // one of the two panes (or the page inside it)
    TextField,    // an editable text control, such as the address box
    OtherControl, // anything else (a tab, a button)
};

enum class EditTarget {
    Nothing,
    TalvexPane,       // tab 0's pane
    AuctionPane,      // the other tab's pane
    FocusedPane,      // the pane that has the focus, whichever tab shows
    FocusedTextField, // the focused text control's own cut, copy or paste
};

EditTarget routeEditCommand(EditCommand command, int tabIndex, FocusKind focus);
