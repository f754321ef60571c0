#pragma once
// The monkey: one random action at a time on a running application, chosen
// from the seed: a command from the menus, a click, double click, arrow key or
// expansion in the car tree, a drag, click or double click in the car view, a
// move or scroll in a JAM view, or a change to the document windows. Each
// action is logged with its number, so a seed and a count reproduce a run.

#include <QModelIndex>
#include <cstdint>
#include <filesystem>
#include <map>
#include <vector>

#include "monkey/Random.h"

class QAction;
class QMenu;
class QMdiSubWindow;
class QWidget;

namespace tavrel {
class Application;
class Document;
}  // namespace tavrel

namespace tavrel::monkey {

class Monkey {
 public:
  // `game` is the run's game folder: the only executable the program may patch.
  Monkey(Application& app, Random& random, const std::filesystem::path& game);

  void Act(long number);
  // Undoes every step of each document seen since it had none; true when every
  // car then has the bytes it had before its first step.
  bool UndoEverything();

 private:
  void TriggerCommand();
  void TreeAction();
  void CarViewMouse();
  void JamViewMouse();
  void WindowAction();
  void OpenGameFile();

  std::vector<QAction*> EnabledActions() const;
  std::vector<QModelIndex> VisibleRows() const;
  // The active window's view when it is of that kind, else a window of that kind made active.
  template <typename View>
  View* ActivateView();
  // Stops the run when the program would write to a game outside the run's folder.
  void CheckGameLocation() const;
  // Notes the bytes of the documents that came since the last action.
  void NoteNewDocuments();

  Application& m_App;
  Random& m_Random;
  std::filesystem::path m_Game;
  std::map<const Document*, std::vector<std::uint8_t>> m_StartBytes;
};

}  // namespace tavrel::monkey
