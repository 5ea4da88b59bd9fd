#pragma once

class QDialog;

// For dialogs without a cancel button: Esc leaves them open instead of rejecting them,
// which QDialog would do.
void keepOpenOnEscape(QDialog *dialog);
