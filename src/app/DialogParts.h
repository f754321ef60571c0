#pragma once
// Pieces the small dialogs share. Every control is named after its id
// ("button1024", "radio1027"), so tests and style sheets find it.

#include <QString>

class QDialog;
class QDialogButtonBox;
class QGroupBox;
class QPushButton;

namespace tavrel {

inline constexpr int kOkId = 1;
inline constexpr int kCancelId = 2;

// A push button named "button<id>" that does not take Enter for itself.
QPushButton* NewButton(const QString& text, int id);

// The framed note both RCR dialogs carry: which value the game came with
// ("3840/7680", "3200"), so a player can tell an incompatible version.
QGroupBox* RcrNoteBox(const QString& gameValue);

// "OK" (button1, the default) accepts and "Cancel" (button2) rejects `dialog`.
QDialogButtonBox* OkCancelButtons(QDialog& dialog);

}  // namespace tavrel
