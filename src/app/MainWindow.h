#pragma once
// The main window: the document windows in an MDI area, the main and display
// toolbars, the status bar and the docked car tree. It handles the window
// arrangement, the bars' toggles and help.

#include <QMainWindow>
#include <QPointer>

#include "app/CommandTarget.h"

class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QTextBrowser;
class QToolBar;

namespace tavrel {

class Actions;
class CarTree;
class Messages;
class Settings;

class MainWindow : public QMainWindow, public CommandTarget {
  Q_OBJECT
 public:
  MainWindow(Settings& settings, Messages& messages);

  // Puts the actions' toolbars in place; called once the actions exist.
  void AddToolbars(const Actions& actions);
  QMdiArea& MdiArea() { return *m_MdiArea; }
  CarTree& Tree() { return *m_CarTree; }
  // Shows a text in the status bar's message pane at once.
  void SetStatusText(const QString& text);
  void ShowHelp();
  // Gives a new window its size and its place, the `index`-th of the cascade.
  void PlaceWindow(QMdiSubWindow& window, int index);

 private:
  void CreateStatusBar();
  // The windows that are not minimised overlap from the top left at the size a new window gets.
  void Cascade();
  // The minimised windows in a row along the bottom of the area; the others stay.
  void ArrangeIcons();

  QMdiArea* m_MdiArea;
  QToolBar* m_MainToolbar;
  QToolBar* m_DisplayToolbar;
  CarTree* m_CarTree;
  QPointer<QTextBrowser> m_Help;
};

}  // namespace tavrel
