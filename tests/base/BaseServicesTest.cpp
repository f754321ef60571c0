// Trace, files and game paths.
#include <fstream>

#include <gtest/gtest.h>

#include "base/Files.h"
#include "base/GamePaths.h"
#include "base/Trace.h"
#include "support/TestSupport.h"

namespace tavrel {
namespace {

TEST(Trace, FormatsIntoTheInstalledSinkAndIsSilentWithout) {
  std::string captured;
  setTraceSink([&](const std::string& line) { captured += line; });
  trace("Offset1 = %d 0x%x\n", 94, 94);
  setTraceSink({});
  trace("lost %d\n", 1);
  EXPECT_EQ(captured, "Offset1 = 94 0x5e\n");
}

TEST(Files, AtomicWriteReplacesTheTargetAndLeavesNoTemporaryFile) {
  ScratchFolder dir;
  const auto target = dir / "car.cs3";
  test::WriteBytes(target, {9, 9, 9, 9, 9});
  const std::vector<std::uint8_t> bytes = {1, 2, 3};
  ASSERT_TRUE(writeFileAtomically(target, bytes));
  EXPECT_EQ(test::ReadBytes(target), bytes);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

TEST(Files, FailedWriteReportsFailure) {
  ScratchFolder dir;
  EXPECT_FALSE(writeFileAtomically(dir / "missing-folder" / "car.cs3", std::vector<std::uint8_t>{1}));
  EXPECT_FALSE(readFile(dir / "nothing").has_value());
  EXPECT_FALSE(fileSize(dir.path()).has_value());
}

TEST(GamePaths, JoinsWithOneSeparatorAndKeepsADoubledOne) {
  EXPECT_EQ(GamePath("/games/zav", "zavjams/Main/Chassis3.jam").string(), "/games/zav/zavjams/Main/Chassis3.jam");
  EXPECT_EQ(ExecutablePath("/games/zav/").string(), "/games/zav//zav.exe");
}

TEST(GamePaths, ResolvesOtherCaseSpellingsOfAnExistingGame) {
  ScratchFolder dir;
  std::filesystem::create_directories(dir / "ZAVJAMS" / "LIVERIES");
  std::ofstream(dir / "ZAV.EXE") << "x";
  std::ofstream(dir / "ZAVJAMS" / "LIVERIES" / "ARROWS98.JAM") << "x";
  const std::string location = dir.path().string();
  EXPECT_EQ(ExecutablePath(location), dir / "ZAV.EXE");
  EXPECT_EQ(GamePath(location, "zavjams/Liveries/Arrows98.jam"), dir / "ZAVJAMS" / "LIVERIES" / "ARROWS98.JAM");
  // A file that exists in no spelling keeps the path as formed, for the message.
  EXPECT_EQ(GamePath(location, "zavjams/Main/Chassis3.jam").string(), location + "/zavjams/Main/Chassis3.jam");
}

}  // namespace
}  // namespace tavrel
