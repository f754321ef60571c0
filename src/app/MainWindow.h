#pragma once
// The main window: the document windows in an MDI area, the main and display
// toolbars, the status bar and the docked car tree. It handles the window
// arrangement, the bars' toggles and help.

#include <QMainWindow>
#include <QPointer>

#include "app/CommandTarget.h"

class QLabel;
class QMdiArea;
class QTextBrowser;
class QToolBar;

namespace tavrel {

class Actions;
class CarTree;
class Settings;

class MainWindow : public QMainWindow, public CommandTarget {
  Q_OBJECT
 public:
  explicit MainWindow(Settings& settings);

  // Puts the actions' toolbars in place; called once the actions exist.
  void AddToolbars(const Actions& actions);
  QMdiArea& MdiArea() { return *m_MdiArea; }
  CarTree& Tree() { return *m_CarTree; }
  // Shows a text in the status bar's message pane at once.
  void SetStatusText(const QString& text);
  void ShowHelp();

 private:
  void CreateStatusBar();

  QMdiArea* m_MdiArea;
  QToolBar* m_MainToolbar;
  QToolBar* m_DisplayToolbar;
  CarTree* m_CarTree;
  QPointer<QTextBrowser> m_Help;
};

}  // namespace tavrel
