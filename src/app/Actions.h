#pragma once
// The one place the command table becomes QActions, menus and toolbars. Each
// action is named "command<id>"; it asks the route for the command's handler
// when triggered and when the enabled states are brought up to date.

#include <QObject>
#include <QStringList>
#include <functional>
#include <map>
#include <vector>

#include "app/CommandTable.h"
#include "app/CommandTarget.h"

class QAction;
class QMenu;
class QMenuBar;
class QToolBar;
class QWidget;

namespace tavrel {

class Actions : public QObject {
  Q_OBJECT
 public:
  using Resolver = std::function<CommandTarget*(Route)>;
  // Actions are children of `owner`, so their keys work in every window of it.
  Actions(QWidget& owner, Resolver resolve);

  QAction* Find(int id) const;
  const CommandHandler* HandlerOf(int id) const;

  // Fills a toolbar with the buttons of a list.
  void FillToolbar(QToolBar& toolbar, std::span<const int> buttons) const;
  // Shows the main menu, or a car window's menu, in the menu bar.
  void ShowMenu(QMenuBar& bar, bool documentMenu);
  // Enabled and checked states from the handlers on the route.
  void Update();

  // The recent-file entries ("&1 path" ...), with the fixed item while there are none.
  void SetRecentFiles(const std::vector<std::string>& paths);

 signals:
  void RecentFileChosen(const QString& path);

 private:
  void CreateAction(const CommandInfo& info);
  QMenu* BuildMenu(const QString& title, const std::vector<MenuItem>& items, std::map<int, QString>& texts);
  void Run(int id);

  QWidget& m_Owner;
  Resolver m_Resolve;
  std::map<int, QAction*> m_Actions;
  std::vector<QAction*> m_RecentActions;
  std::vector<QMenu*> m_MainMenus;
  std::vector<QMenu*> m_DocumentMenus;
  std::map<int, QString> m_MainTexts;  // the commands' texts in menu 128 where they differ from the table's
  std::map<int, QString> m_DocumentTexts;
};

}  // namespace tavrel
