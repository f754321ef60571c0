// The game location and the patch level: what is stored, what is asked, and
// what a run's own values override.
#include <gtest/gtest.h>

#include <cstdlib>

#include "base/GamePaths.h"
#include "base/Settings.h"
#include "document/ProgramValues.h"
#include "support/AnsweredPatchLevel.h"
#include "support/AnsweringChooser.h"
#include "support/TestSupport.h"

namespace tavrel::test {
namespace {

TEST(ProgramValuesTest, PatchLevelIsAskedOnlyAtTheFirstStart) {
  struct Case {
    const char* name;
    std::optional<int> stored;
    std::optional<int> answer;
    int asked;
    int level;
    int storedAfter;
  };
  const Case cases[] = {
      {"first start, OK", std::nullopt, 1, 1, 1, 1},
      {"first start, Cancel keeps 0 and stores it", std::nullopt, std::nullopt, 1, 0, 0},
      {"second start", 0, 1, 0, 0, 0},
      {"second start, patched", 1, 0, 0, 1, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    MemorySettings settings;
    if (c.stored) settings.WriteInt(kPreferences, "ZavPatchLevel", *c.stored);
    ProgramValues program(settings);
    AnsweredPatchLevel question(c.answer);
    program.ReadPatchLevel(question);
    EXPECT_EQ(question.asked, c.asked);
    EXPECT_EQ(program.PatchLevel(), c.level);
    EXPECT_EQ(program.Positions().car, PositionsForPatchLevel(c.level).car);
    EXPECT_EQ(settings.ReadInt(kPreferences, "ZavPatchLevel", -1), c.storedAfter);
  }
}

TEST(ProgramValuesTest, EditingThePatchLevelStoresItAndTakesEffectAtOnce) {
  MemorySettings settings;
  settings.WriteInt(kPreferences, "ZavPatchLevel", 0);
  ProgramValues program(settings);
  AnsweredPatchLevel cancelled;
  program.ReadPatchLevel(cancelled);

  AnsweredPatchLevel patched(1);
  program.EditPatchLevel(patched);
  EXPECT_EQ(program.PatchLevel(), 1);
  EXPECT_EQ(settings.ReadInt(kPreferences, "ZavPatchLevel", -1), 1);
  EXPECT_EQ(program.Positions().car, kPatchedPositions.car) << "the next import or export uses the new level";

  settings.WriteInt(kPreferences, "ZavPatchLevel", 7);
  program.EditPatchLevel(cancelled);
  EXPECT_EQ(settings.ReadInt(kPreferences, "ZavPatchLevel", -1), 1) << "Cancel still writes the current level";
}

TEST(ProgramValuesTest, RunOverridesAreNeitherAskedNorStored) {
  MemorySettings settings;
  ProgramValues program(settings);
  program.OverridePatchLevel(1);
  program.OverrideGameLocation("/games/zav");
  AnsweredPatchLevel question(0);
  program.ReadPatchLevel(question);
  EXPECT_EQ(question.asked, 0);
  EXPECT_EQ(program.PatchLevel(), 1);
  EXPECT_EQ(program.Positions().car, kPatchedPositions.car);
  EXPECT_EQ(settings.ReadInt(kPreferences, "ZavPatchLevel", -1), -1);
  EXPECT_EQ(program.GameLocation(), "/games/zav");
  EXPECT_EQ(settings.ReadString(kPreferences, "ZavLocation", "none"), "none");
}

TEST(ProgramValuesTest, GameLocationIsReadAtEveryUse) {
  MemorySettings settings;
  ProgramValues program(settings);
  EXPECT_EQ(program.GameLocation(), "c:\\zav\\");
  program.SetGameLocation("/srv/zav");
  EXPECT_EQ(settings.ReadString(kPreferences, "ZavLocation", ""), "/srv/zav");
  settings.WriteString(kPreferences, "ZavLocation", "/elsewhere");
  EXPECT_EQ(program.GameLocation(), "/elsewhere");
  EXPECT_EQ(program.ExecutablePath(), std::filesystem::path("/elsewhere/zav.exe"));
}

TEST(GamePathsTest, WindowsLocationsLieInTheWinePrefix) {
  ::setenv("WINEPREFIX", "/home/p/.wine", 1);
  const std::pair<const char*, const char*> cases[] = {
      {"c:\\zav\\", "/home/p/.wine/drive_c/zav/"},
      {"C:\\Games\\Zav", "/home/p/.wine/drive_c/Games/Zav"},
      {"d:", "/home/p/.wine/drive_d/"},
      {"/opt/zav", "/opt/zav"},
  };
  for (const auto& [location, host] : cases) EXPECT_EQ(HostGameLocation(location), host) << location;
  ::unsetenv("WINEPREFIX");
  const std::string home = std::getenv("HOME") ? std::getenv("HOME") : "";
  ::setenv("HOME", "/home/q", 1);
  EXPECT_EQ(HostGameLocation("c:\\zav"), "/home/q/.wine/drive_c/zav");
  ::setenv("HOME", home.c_str(), 1);
}

TEST(ProgramValuesTest, TheGameLocationIsTheFolderChosen) {
  struct Case {
    const char* name;
    std::optional<std::filesystem::path> chosen;
    std::string location;
    std::vector<test::Message> said;
  };
  for (const Case& c : {
           Case{"a folder", "/games/zav", "/games/zav", {}},
           Case{"cancelled", std::nullopt, kDefaultGameLocation, {{"Failed to find Zav directory", Icon::Plain}}},
           Case{"not of this machine", "", kDefaultGameLocation, {{"Failed to Locate Zav directory", Icon::Plain}}},
       }) {
    MemorySettings settings;
    ProgramValues program(settings);
    AnsweringChooser chooser;
    chooser.answers = {c.chosen};
    RecordingMessages messages;
    program.EditGameLocation(chooser, messages);
    EXPECT_EQ(chooser.foldersAsked, std::vector<std::string>{"Select Zav Location"}) << c.name;
    EXPECT_EQ(program.GameLocation(), c.location) << c.name;
    EXPECT_EQ(messages.shown, c.said) << c.name;
  }
}

}  // namespace
}  // namespace tavrel::test
