#pragma once
// "Choose Zav Patch Level": which build of the game's executable the player has.

#include <QPointer>
#include <QWidget>
#include <optional>

#include "document/ProgramValues.h"

namespace tavrel {

// 0 for "Original Zav", 1 for "Zav Patch Level 1.13" (chosen when the dialog
// opens, whatever the current level); nothing when cancelled.
std::optional<int> ChoosePatchLevel(QWidget* parent);

// The question as the program asks it: the dialog over the main window.
class PatchLevelDialogQuestion : public PatchLevelQuestion {
 public:
  void SetParent(QWidget* parent) { m_Parent = parent; }
  std::optional<int> Ask() override { return ChoosePatchLevel(m_Parent); }

 private:
  QPointer<QWidget> m_Parent;
};

}  // namespace tavrel
