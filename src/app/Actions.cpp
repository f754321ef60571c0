#include "app/Actions.h"

#include <QAction>
#include <QFileInfo>
#include <QIcon>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QWidget>
#include <algorithm>

namespace tavrel {
namespace {

QString Text(std::string_view text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }

}  // namespace

Actions::Actions(QWidget& owner, Resolver resolve) : QObject(&owner), m_Owner(owner), m_Resolve(std::move(resolve)) {
  for (const CommandInfo& info : Commands()) CreateAction(info);
  for (int i = 0; i < command::kRecentFileCount; ++i) {
    auto* action = new QAction(&m_Owner);
    action->setObjectName(QString("recentFile%1").arg(i + 1));
    action->setStatusTip(Text(FindCommand(command::kRecentFile)->StatusPrompt()));
    action->setVisible(false);
    connect(action, &QAction::triggered, this, [this, action] { emit RecentFileChosen(action->data().toString()); });
    m_RecentActions.push_back(action);
  }
  for (const MenuTitle& menu : MainMenu()) m_MainMenus.push_back(BuildMenu(Text(menu.title), menu.items, m_MainTexts));
  for (const MenuTitle& menu : DocumentMenu())
    m_DocumentMenus.push_back(BuildMenu(Text(menu.title), menu.items, m_DocumentTexts));
}

void Actions::CreateAction(const CommandInfo& info) {
  auto* action = new QAction(Text(info.MenuLabel()), &m_Owner);
  action->setObjectName(QString("command%1").arg(info.id));
  action->setStatusTip(Text(info.StatusPrompt()));
  action->setToolTip(Text(info.Tooltip()));
  QList<QKeySequence> keys;
  for (std::string_view key : info.keys) keys << QKeySequence(Text(key), QKeySequence::PortableText);
  action->setShortcuts(keys);
  action->setShortcutContext(Qt::ApplicationShortcut);
  if (!info.icon.empty()) action->setIcon(QIcon(":/icons/" + Text(info.icon) + ".svg"));
  action->setCheckable(info.checkable);
  action->setEnabled(false);
  m_Owner.addAction(action);
  connect(action, &QAction::triggered, this, [this, id = info.id] { Run(id); });
  m_Actions[info.id] = action;
}

QMenu* Actions::BuildMenu(const QString& title, const std::vector<MenuItem>& items, std::map<int, QString>& texts) {
  auto* menu = new QMenu(title, &m_Owner);
  // Enabled states are checked as a menu opens: a command's state follows the active window.
  connect(menu, &QMenu::aboutToShow, this, &Actions::Update);
  for (const MenuItem& item : items) {
    if (!item.submenu.empty()) {
      menu->addMenu(BuildMenu(Text(item.text), item.submenu, texts));
    } else if (item.id == command::kSeparator) {
      menu->addSeparator();
    } else {
      menu->addAction(Find(item.id));
      if (item.id == command::kRecentFile)
        for (QAction* recent : m_RecentActions) menu->addAction(recent);
      if (!item.text.empty()) texts[item.id] = Text(item.text);
    }
  }
  return menu;
}

QAction* Actions::Find(int id) const {
  const auto found = m_Actions.find(id);
  return found == m_Actions.end() ? nullptr : found->second;
}

const CommandHandler* Actions::HandlerOf(int id) const {
  const CommandInfo* info = FindCommand(id);
  if (!info) return nullptr;
  CommandTarget* target = m_Resolve(info->route);
  return target ? target->FindHandler(id) : nullptr;
}

void Actions::FillToolbar(QToolBar& toolbar, std::span<const int> buttons) const {
  for (int id : buttons) {
    if (id == command::kSeparator)
      toolbar.addSeparator();
    else
      toolbar.addAction(Find(id));
  }
}

void Actions::ShowMenu(QMenuBar& bar, bool documentMenu) {
  const auto& menus = documentMenu ? m_DocumentMenus : m_MainMenus;
  if (!bar.actions().isEmpty() && bar.actions().front() == menus.front()->menuAction()) return;
  bar.clear();
  for (QMenu* menu : menus) bar.addMenu(menu);
  const auto& texts = documentMenu ? m_DocumentTexts : m_MainTexts;
  for (const auto* changed : {&m_MainTexts, &m_DocumentTexts})
    for (const auto& [id, text] : *changed) {
      const auto own = texts.find(id);
      Find(id)->setText(own != texts.end() ? own->second : Text(FindCommand(id)->MenuLabel()));
    }
}

void Actions::Update() {
  for (const auto& [id, action] : m_Actions) {
    const CommandHandler* handler = HandlerOf(id);
    action->setEnabled(handler != nullptr && (!handler->enabled || handler->enabled()));
    if (handler != nullptr && handler->text) action->setText(Text(handler->text()));
    if (action->isCheckable()) action->setChecked(handler && handler->checked && handler->checked());
  }
  // The fixed item stands in for an empty list, disabled.
  const bool anyRecent = std::ranges::any_of(m_RecentActions, [](QAction* a) { return a->isVisible(); });
  Find(command::kRecentFile)->setVisible(!anyRecent);
  Find(command::kRecentFile)->setEnabled(false);
}

void Actions::SetRecentFiles(const std::vector<std::string>& paths) {
  for (std::size_t i = 0; i < m_RecentActions.size(); ++i) {
    QAction* action = m_RecentActions[i];
    action->setVisible(i < paths.size());
    if (i >= paths.size()) continue;
    const QString path = QString::fromStdString(paths[i]);
    action->setText(QString("&%1 %2").arg(i + 1).arg(QFileInfo(path).fileName()));
    action->setData(path);
  }
  Update();
}

void Actions::Run(int id) {
  if (const CommandHandler* handler = HandlerOf(id)) handler->run();
  Update();
}

}  // namespace tavrel
