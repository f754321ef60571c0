// The command table on its own, without windows.

#include <gtest/gtest.h>

#include <QKeySequence>
#include <algorithm>
#include <map>
#include <set>

#include "app/CommandTable.h"
#include "scene/Viewpoint.h"

namespace tavrel {
namespace {

void CollectIds(const std::vector<MenuItem>& items, std::vector<int>& ids) {
  for (const MenuItem& item : items) {
    if (item.id != command::kSeparator) ids.push_back(item.id);
    CollectIds(item.submenu, ids);
  }
}

TEST(CommandTable, IdsAreUniqueAndEveryMenuItemAndButtonHasACommand) {
  std::set<int> ids;
  for (const CommandInfo& info : Commands()) EXPECT_TRUE(ids.insert(info.id).second) << "twice: " << info.id;

  std::vector<int> used;
  for (const auto* menu : {&MainMenu(), &DocumentMenu()})
    for (const MenuTitle& title : *menu) CollectIds(title.items, used);
  for (auto buttons : {MainToolbar(), DisplayToolbar()})
    for (int id : buttons)
      if (id != command::kSeparator) used.push_back(id);
  for (int id : used) EXPECT_NE(FindCommand(id), nullptr) << id;
}

// Each fixed view has one command, its menu text the view's: the scene knows
// the views by name only.
TEST(CommandTable, EveryFixedViewHasItsCommand) {
  const std::map<std::string_view, std::string_view> texts = {{"right", "View Right Side"},
                                                              {"left", "View Left Side"},
                                                              {"front", "View Front"},
                                                              {"bottom", "View Bottom"},
                                                              {"top", "View Top"},
                                                              {"back", "View Back"},
                                                              {"front-left", "View Front Left"},
                                                              {"front-right", "View Front Right"},
                                                              {"back-left", "View Back Left"},
                                                              {"back-right", "View Back Right"}};
  ASSERT_EQ(command::kFixedViewCommands.size(), kFixedViews.size());
  for (const FixedView& view : kFixedViews) {
    const auto fixed = std::ranges::find(command::kFixedViewCommands, view.name, &command::FixedViewCommand::view);
    ASSERT_NE(fixed, command::kFixedViewCommands.end()) << view.name;
    ASSERT_NE(FindCommand(fixed->id), nullptr) << view.name;
    EXPECT_EQ(FindCommand(fixed->id)->menuText, texts.at(view.name));
  }
}

// Every flag a car view stores has one switch, a checkable command of the view.
TEST(CommandTable, EveryDisplayFlagHasItsSwitch) {
  for (const DisplayFlagKey& key : DisplayFlagKeys()) {
    const auto count = std::ranges::count(DisplaySwitches(), key.flag, &DisplaySwitch::flag);
    EXPECT_EQ(count, 1) << key.key;
  }
  EXPECT_EQ(DisplaySwitches().size(), DisplayFlagKeys().size());
  for (const DisplaySwitch& entry : DisplaySwitches()) {
    const CommandInfo* info = FindCommand(entry.id);
    ASSERT_NE(info, nullptr) << entry.menuText;
    EXPECT_EQ(info->menuText, entry.menuText);
    EXPECT_EQ(info->route, Route::View);
    EXPECT_TRUE(info->checkable) << entry.menuText;
  }
}

TEST(CommandTable, NoTwoCommandsShareAKey) {
  std::map<QKeySequence, int> owners;
  for (const CommandInfo& info : Commands())
    for (std::string_view key : info.keys) {
      const QKeySequence sequence(QString::fromUtf8(key.data(), qsizetype(key.size())), QKeySequence::PortableText);
      ASSERT_FALSE(sequence.isEmpty()) << key;
      const auto [owner, added] = owners.emplace(sequence, info.id);
      EXPECT_TRUE(added) << key << " of " << info.id << " is already " << owner->second << "'s";
    }
  // The tab in a menu text names the command's first key.
  for (const CommandInfo& info : Commands())
    if (const auto tab = info.menuText.find('\t'); tab != std::string_view::npos) {
      ASSERT_FALSE(info.keys.empty()) << info.id;
      EXPECT_EQ(info.menuText.substr(tab + 1), info.keys.front());
    }
}

TEST(CommandTable, PromptSplitsIntoStatusTextAndTooltip) {
  const CommandInfo& import = *FindCommand(command::kImportFromExe);
  EXPECT_EQ(import.StatusPrompt(), "Import Car From zav.exe");
  EXPECT_EQ(import.Tooltip(), " Import Car from Exe");
  const CommandInfo& open = *FindCommand(command::kOpen);
  EXPECT_EQ(open.MenuLabel(), "&Load Car...");
  EXPECT_EQ(open.Tooltip(), "Open");
  // Without a tooltip of its own a command's button says its menu text.
  EXPECT_EQ(FindCommand(command::kShowCockpit)->Tooltip(), "Show Cockpit");
}

}  // namespace
}  // namespace tavrel
