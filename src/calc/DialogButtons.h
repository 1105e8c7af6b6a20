#pragma once
// The button row of the placement dialogs: "Ok" (default; disabled until the dialog
// has something to place), "Cancela", and "&Ajuda" (disabled until the help window
// exists). Ok accepts and Cancela rejects the dialog.

class QDialog;
class QHBoxLayout;
class QPushButton;

namespace lumivar {

struct DialogButtons {
    QHBoxLayout* Row = nullptr;
    QPushButton* Ok = nullptr;
    QPushButton* Cancel = nullptr;
    QPushButton* Help = nullptr;
};

// Buttons owned by dialog; the row is for the caller to add to its layout.
DialogButtons MakeDialogButtons(QDialog* dialog);

// Every dialog's "&Ajuda" stays disabled, saying why, until the help topics exist; this
// is the one place to change when they do.
void MarkHelpPending(QPushButton* help);

} // namespace lumivar
