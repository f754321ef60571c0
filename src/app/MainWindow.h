#pragma once
// The main window: the document windows in an MDI area, the main and display
// toolbars, the status bar and the docked car tree. It handles the window
// arrangement, the bars' toggles and help.

#include <QMainWindow>
#include <QPointer>

#include "app/CommandTarget.h"

class QLabel;
class QMdiArea;
class QStandardItemModel;
class QTextBrowser;
class QToolBar;
class QTreeView;

namespace tavrel {

class Actions;
class Settings;

class MainWindow : public QMainWindow, public CommandTarget {
  Q_OBJECT
 public:
  explicit MainWindow(Settings& settings);

  // Puts the actions' toolbars in place; called once the actions exist.
  void AddToolbars(const Actions& actions);
  QMdiArea& MdiArea() { return *m_MdiArea; }
  QTreeView& CarTree() { return *m_CarTree; }
  // Shows a text in the status bar's message pane at once.
  void SetStatusText(const QString& text);
  void ShowHelp();

 private:
  void CreateStatusBar();
  void CreateCarTree(Settings& settings);

  QMdiArea* m_MdiArea;
  QToolBar* m_MainToolbar;
  QToolBar* m_DisplayToolbar;
  QTreeView* m_CarTree = nullptr;
  QStandardItemModel* m_CarModel = nullptr;
  QPointer<QTextBrowser> m_Help;
};

}  // namespace tavrel
