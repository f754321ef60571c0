#pragma once
// "Choose Zav Patch Level": which build of the game's executable the player has.

#include <optional>

class QWidget;

namespace tavrel {

// 0 for "Original Zav", 1 for "Zav Patch Level 1.13" (chosen when the dialog
// opens, whatever the current level); nothing when cancelled.
std::optional<int> ChoosePatchLevel(QWidget* parent);

}  // namespace tavrel
