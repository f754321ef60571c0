#include <future>

#include <gtest/gtest.h>

#include "base/Files.h"
#include "demo/ExeBuilder.h"
#include "shape/CameraFile.h"
#include "support/CliRunner.h"
#include "support/SpoiltCars.h"
#include "support/TestSupport.h"

namespace tavrel {
namespace {

using test::RunCli;

class ExeCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(BuildExe(exe, SampleExeRecipe(7))); }
  std::string path(const std::string& name) const { return (dir / name).string(); }

  ScratchFolder dir;
  std::filesystem::path exe = dir / "zav.exe";
};

TEST_F(ExeCommandsTest, ExtractWritesTheCarItsPartsAndCameras) {
  const auto result = RunCli({"exe", "extract", exe.string(), "--patch-level", "7", "--out", path("out")});
  ASSERT_EQ(result.status, 0) << result.err;
  const std::pair<const char*, std::uintmax_t> files[] = {{"car.cs3", 133952},         {"helmet.ch3", 7764},
                                                          {"cockpit.cp3", 23664},      {"wheel.ty3", 27764},
                                                          {"steering-wheel.st3", 496}, {"cameras.cam", 180}};
  for (const auto& [name, size] : files) EXPECT_EQ(fileSize(dir / "out" / name), size) << name;
  const auto car = test::ReadBytes(dir / "out" / "car.cs3");
  const auto image = SampleExeRecipe(7).car;
  EXPECT_TRUE(std::equal(image.begin(), image.end(), car.begin()));
  Car cameras;
  TakeCameraBytes(cameras, test::ReadBytes(dir / "out" / "cameras.cam"));
  EXPECT_EQ(cameras.m_Cameras[8].m_Record, SampleExeRecipe(7).cameras[8]);
}

// What --out held before a failed extraction is left as it was.
TEST_F(ExeCommandsTest, AFailedExtractionWritesNothing) {
  struct Case {
    std::uint64_t size;  // 0: the whole sample executable
    const char* level;
    bool folderInTheWay;  // a folder where the last file is to go
    std::string error;
  };
  const Case cases[] = {
      {0, "0", false, "Bad magic number"},
      {1, "7", false, "Failed to find Car Data"},
      {static_cast<std::uint64_t>(kPatchedPositions.cameras) + 30, "7", false,
       "is " + std::to_string(kPatchedPositions.cameras + 30) +
           " bytes long, too short to hold the car, its parts and cameras at patch level 7"},
      {0, "7", true, "cameras.cam (it is not a regular file)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.error);
    ExeRecipe recipe = SampleExeRecipe(7);
    recipe.size = c.size;
    ASSERT_TRUE(BuildExe(exe, recipe));
    std::filesystem::remove_all(dir / "out");
    std::filesystem::create_directory(dir / "out");
    test::WriteBytes(dir / "out" / "car.cs3", {'O', 'L', 'D'});
    if (c.folderInTheWay) std::filesystem::create_directory(dir / "out" / "cameras.cam");
    const auto result = RunCli({"exe", "extract", exe.string(), "--patch-level", c.level, "--out", path("out")});
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find(c.error), std::string::npos) << result.err;
    EXPECT_EQ(test::ReadBytes(dir / "out" / "car.cs3"), (std::vector<std::uint8_t>{'O', 'L', 'D'}));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir / "out"), {}), c.folderInTheWay ? 2 : 1);
    if (c.folderInTheWay) continue;
    EXPECT_NE(RunCli({"exe", "extract", exe.string(), "--patch-level", c.level, "--out", path("new")}).status, 0);
    EXPECT_FALSE(std::filesystem::exists(dir / "new"));
  }
}

TEST_F(ExeCommandsTest, PatchingTheExtractedFilesChangesNothingAndAnEditedOneOnlyItsBytes) {
  ASSERT_EQ(RunCli({"exe", "extract", exe.string(), "--patch-level", "1", "--out", path("out")}).status, 0);
  const std::vector<std::string> items = {"--car",    "out/car.cs3",    "--cameras",        "out/cameras.cam",
                                          "--helmet", "out/helmet.ch3", "--cockpit",        "out/cockpit.cp3",
                                          "--wheel",  "out/wheel.ty3",  "--steering-wheel", "out/steering-wheel.st3"};
  std::vector<std::string> args = {"exe", "patch", exe.string(), "--patch-level", "1"};
  for (std::size_t i = 0; i < items.size(); i += 2) {
    args.push_back(items[i]);
    args.push_back(path(items[i + 1]));
  }
  const auto before = *readFile(exe);
  auto result = RunCli(args);
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out,
            "car: 0 bytes changed\ncameras: 0 bytes changed\nhelmet: 0 bytes changed\ncockpit: 0 bytes changed\n"
            "wheel: 0 bytes changed\nsteering-wheel: 0 bytes changed\n");
  EXPECT_EQ(*readFile(exe), before);

  auto cameras = test::ReadBytes(dir / "out" / "cameras.cam");
  cameras[3 * 20 + 4] ^= 0x81;  // camera 4's Y
  cameras.resize(4 * 20);       // a short file: the other cameras stay as the executable has them
  test::WriteBytes(dir / "out" / "cameras.cam", cameras);
  result = RunCli({"exe", "patch", exe.string(), "--patch-level", "1", "--cameras", path("out/cameras.cam")});
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out, "cameras: 1 bytes changed\n");
  auto expected = before;
  expected[static_cast<std::size_t>(kPatchedPositions.cameras) + 3 * 20 + 4] ^= 0x81;
  EXPECT_EQ(*readFile(exe), expected);
  EXPECT_TRUE(std::filesystem::exists(dir / "zav.exe.bak"));
}

TEST_F(ExeCommandsTest, PatchRefusesInputsItCannotUse) {
  ASSERT_EQ(RunCli({"exe", "extract", exe.string(), "--patch-level", "7", "--out", path("out")}).status, 0);
  const auto before = *readFile(exe);
  test::WriteBytes(dir / "bad.ch3", std::vector<std::uint8_t>(7764, 0));
  test::WriteBytes(dir / "empty.cam", {});
  const auto patch = [&](const char* level, std::vector<std::string> items) {
    std::vector<std::string> args = {"exe", "patch", exe.string(), "--patch-level", level};
    args.insert(args.end(), items.begin(), items.end());
    return args;
  };
  struct Case {
    std::vector<std::string> args;
    int status;
    std::string error;
  };
  const Case cases[] = {
      {patch("0", {}), 2, "Nothing to patch"},
      {{"exe", "patch", exe.string(), "--helmet", path("bad.ch3")}, 2, "--patch-level is required"},
      {patch("0", {"--car", path("none")}), 2, "Cannot read"},
      {{"exe", "patch", path("none.exe"), "--patch-level", "0", "--helmet", path("bad.ch3")}, 2, "Cannot find ZAV.EXE"},
      {patch("1", {"--helmet", path("bad.ch3")}), 1, "Bad magic number"},
      {patch("1", {"--car", path("out/car.cs3"), "--helmet", path("out/wheel.ty3")}), 1,
       "is 27764 bytes long, but a Helmet part file is 7764 bytes long"},
      {patch("1", {"--car", path("out/helmet.ch3")}), 1, "is 7764 bytes long, but a car shape file is 133952"},
      {patch("1", {"--car", path("out/car.cs3"), "--cameras", path("empty.cam")}), 1, "is empty"},
      // A level that puts no shape where each item goes.
      {patch("0", {"--car", path("out/car.cs3")}), 1,
       "zav.exe does not hold a car shape at this patch level; is the patch level right?"},
      {patch("0", {"--cameras", path("out/cameras.cam")}), 1, "zav.exe does not hold a car shape"},
      {patch("0", {"--wheel", path("out/wheel.ty3")}), 1, "zav.exe does not hold a wheel shape"},
      {patch("0", {"--cockpit", path("out/cockpit.cp3")}), 1, "zav.exe does not hold a cockpit shape"},
      {patch("0", {"--helmet", path("out/helmet.ch3")}), 1, "zav.exe does not hold a helmet shape"},
      {patch("0", {"--steering-wheel", path("out/steering-wheel.st3")}), 1,
       "zav.exe does not hold a steering wheel shape"},
      {{"rcr", exe.string(), "--patch-level", "0", "--set", "1,2,3,4"}, 1, "zav.exe does not hold a car shape"},
  };
  for (const Case& c : cases) {
    const auto result = RunCli(c.args);
    EXPECT_EQ(result.status, c.status) << c.args[2] << ' ' << c.args.back() << '\n' << result.err;
    EXPECT_NE(result.err.find(c.error), std::string::npos) << result.err;
    EXPECT_EQ(result.out, "");
  }
  EXPECT_EQ(*readFile(exe), before);
  EXPECT_FALSE(std::filesystem::exists(dir / "zav.exe.bak"));
}

// The runs players reported, on the demo game: check names the first problem,
// and exe patch refuses what is not whole (index errors unless --force) and
// writes a whole but odd car only into the car's own tables.
TEST(ExePatchOfSpoiltCars, RefusedOrPatchedOnlyIntoTheCarsOwnTables) {
  ScratchFolder dir;
  const std::string game = (dir / "game").string();
  ASSERT_EQ(RunCli({"make-demo", game}).status, 0);
  const std::string exe = game + "/zav.exe";
  const auto original = test::ReadBytes(exe);
  ASSERT_EQ(RunCli({"exe", "extract", exe, "--patch-level", "0", "--out", (dir / "before").string()}).status, 0);
  const auto patch = [&](const std::string& file, bool force) {
    std::vector<std::string> args = {"exe", "patch", exe, "--patch-level", "0", "--car", file};
    if (force) args.push_back("--force");
    return RunCli(args);
  };
  for (const test::SpoiltCar& spoilt : test::SpoiltCars(test::ReadBytes(game + "/cars/demo.cs3"))) {
    SCOPED_TRACE(spoilt.name);
    const std::string file = (dir / spoilt.name).string();
    test::WriteBytes(file, spoilt.bytes);
    const auto checked = RunCli({"check", file});
    const auto patched = patch(file, false);
    if (spoilt.severity == Severity::Warning) {
      EXPECT_EQ(checked.status, 0);
      EXPECT_EQ(checked.out.rfind("warning: ", 0), 0u) << checked.out;
      EXPECT_EQ(checked.out.find("error"), std::string::npos) << checked.out;
      ASSERT_EQ(patched.status, 0) << patched.err;
      EXPECT_NE(test::ReadBytes(exe), original);
      // Every part still decodes and is byte for byte what it was.
      ASSERT_EQ(RunCli({"exe", "extract", exe, "--patch-level", "0", "--out", (dir / "after").string()}).status, 0);
      for (const char* part : {"helmet.ch3", "cockpit.cp3", "wheel.ty3", "steering-wheel.st3", "cameras.cam"})
        EXPECT_EQ(test::ReadBytes(dir / "after" / part), test::ReadBytes(dir / "before" / part)) << part;
    } else {
      EXPECT_EQ(checked.status, 1);
      EXPECT_NE(checked.out.find(spoilt.firstProblem), std::string::npos) << checked.out;
      EXPECT_EQ(checked.out.rfind(spoilt.severity == Severity::Error ? "error: " : "index error: ", 0), 0u);
      EXPECT_EQ(patched.status, 1);
      EXPECT_NE(patched.err.find(spoilt.firstProblem), std::string::npos) << patched.err;
      EXPECT_EQ(test::ReadBytes(exe), original);
      EXPECT_FALSE(std::filesystem::exists(exe + ".bak"));
      EXPECT_EQ(patch(file, true).status, spoilt.severity == Severity::IndexError ? 0 : 1);
    }
    test::WriteBytes(exe, original);
    std::filesystem::remove(exe + ".bak");
  }
}

TEST(CheckCommand, TheDemosFilesHaveNoProblemAndJsonListsThem) {
  ScratchFolder dir;
  const std::string game = (dir / "game").string();
  ASSERT_EQ(RunCli({"make-demo", game}).status, 0);
  const std::pair<const char*, const char*> files[] = {{"demo.cs3", "car"},
                                                       {"demo.ch3", "helmet"},
                                                       {"demo.cp3", "cockpit"},
                                                       {"demo.ty3", "wheel"},
                                                       {"demo.st3", "steering-wheel"}};
  test::InFolder inside(game);  // texture.cfg is read from the working folder
  for (const auto& [name, kind] : files) {
    const auto result = RunCli({"check", game + "/cars/" + name, "--kind", kind, "--json"});
    EXPECT_EQ(result.status, 0) << name << result.err;
    EXPECT_EQ(result.out, "[]\n") << name;
  }
  const auto wrongKind = RunCli({"check", game + "/cars/demo.ch3", "--json"});
  EXPECT_EQ(wrongKind.status, 1);
  EXPECT_EQ(wrongKind.out, "[{\"severity\":\"error\",\"text\":\"\\\"" + game +
                               "/cars/demo.ch3\\\" is 7764 bytes long, but a car shape file is 133952 bytes long, so "
                               "it was not read\"}]\n");
  EXPECT_EQ(RunCli({"check", game + "/none.cs3"}).status, 2);
}

// Every item is checked before the first byte is written: a car that could be
// patched is not, when the executable ends before the cameras.
TEST_F(ExeCommandsTest, APatchOfSeveralItemsIsAllOrNothing) {
  ASSERT_EQ(RunCli({"exe", "extract", exe.string(), "--patch-level", "7", "--out", path("out")}).status, 0);
  auto car = test::ReadBytes(dir / "out" / "car.cs3");
  car[200] ^= 0xFF;
  test::WriteBytes(dir / "out" / "car.cs3", car);
  std::filesystem::resize_file(exe, static_cast<std::uintmax_t>(kPatchedPositions.cameras) + 100);
  const auto before = *readFile(exe);
  const auto result = RunCli({"exe", "patch", exe.string(), "--patch-level", "1", "--car", path("out/car.cs3"),
                              "--cameras", path("out/cameras.cam")});
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(result.err, "Failed to find Camera Data\n");
  EXPECT_EQ(*readFile(exe), before);
  EXPECT_FALSE(std::filesystem::exists(dir / "zav.exe.bak"));
}

// Patches run at the same time take turns: the backup holds the original, and
// each executable has a backup of its own name.
TEST_F(ExeCommandsTest, PatchesAtTheSameTimeKeepTheOriginalInTheBackup) {
  ASSERT_EQ(RunCli({"exe", "extract", exe.string(), "--patch-level", "7", "--out", path("out")}).status, 0);
  std::filesystem::copy_file(exe, dir / "other.exe");
  const auto original = *readFile(exe);
  std::vector<std::future<test::CliResult>> runs;
  for (int i = 0; i < 6; ++i) {
    auto cameras = test::ReadBytes(dir / "out" / "cameras.cam");
    cameras[0] = static_cast<std::uint8_t>(0x40 + i);
    const std::string file = path("c" + std::to_string(i) + ".cam");
    test::WriteBytes(file, cameras);
    const std::string target = i % 2 == 0 ? exe.string() : path("other.exe");
    runs.push_back(std::async(std::launch::async, [=] {
      return RunCli({"exe", "patch", target, "--patch-level", "7", "--cameras", file});
    }));
  }
  for (auto& run : runs) EXPECT_EQ(run.get().status, 0);
  EXPECT_EQ(*readFile(dir / "zav.exe.bak"), original);
  EXPECT_EQ(*readFile(dir / "other.exe.bak"), original);
  EXPECT_NE(*readFile(exe), original);
}

TEST_F(ExeCommandsTest, RcrAndTriggerPrintAndSetTheirValues) {
  auto result = RunCli({"rcr", exe.string(), "--patch-level", "7"});
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out, "3840\n7680\n3840\n7680\n");

  ASSERT_EQ(RunCli({"rcr", exe.string(), "--patch-level", "1", "--set=-1,2,3,2147483647"}).status, 0);
  EXPECT_EQ(RunCli({"rcr", exe.string(), "--patch-level", "1"}).out, "-1\n2\n3\n2147483647\n");
  EXPECT_EQ(RunCli({"rcr", exe.string(), "--patch-level", "0"}).out, "0\n0\n0\n0\n");
  const auto bytes = *readFile(exe);
  EXPECT_EQ(readU32(bytes, RcrBlockOffset(1)), 0xFFFFFFFFu);

  EXPECT_EQ(RunCli({"trigger", exe.string()}).out, "3200\n");
  ASSERT_EQ(RunCli({"trigger", exe.string(), "--set", "10000"}).status, 0);
  EXPECT_EQ(RunCli({"trigger", exe.string()}).out, "10000\n");
}

TEST_F(ExeCommandsTest, RcrAndTriggerExitStatuses) {
  const std::string missing = path("none.exe");
  struct Case {
    std::vector<std::string> args;
    int status;
  };
  const Case cases[] = {
      {{"rcr", exe.string()}, 2},
      {{"rcr", exe.string(), "--patch-level", "0", "--set", "1,2,3"}, 2},
      {{"rcr", exe.string(), "--patch-level", "0", "--set", "1,2,3,99999999999"}, 2},
      {{"trigger", exe.string(), "--set", "x"}, 2},
      {{"rcr", missing, "--patch-level", "0"}, 2},
      {{"trigger", missing, "--set", "5"}, 2},
  };
  for (const Case& c : cases) EXPECT_EQ(RunCli(c.args).status, c.status) << c.args.back();
  const auto result = RunCli({"trigger", missing});
  EXPECT_EQ(result.err, "Cannot find ZAV.EXE  at path=\"" + missing + "\" or (ZAV.EXE may be read only!)\n");

  // Too short for the values: nothing to print, where a 0 would pass for one.
  ExeRecipe shortRecipe = SampleExeRecipe(7);
  shortRecipe.size = static_cast<std::uint64_t>(kTriggerOffset) + 2;  // before the trigger and the block
  ASSERT_TRUE(BuildExe(exe, shortRecipe));
  struct Short {
    std::vector<std::string> args;
    std::string error;
  };
  const Short shortCases[] = {
      {{"trigger", exe.string()},
       "Cannot read the RCR trigger distance from \"" + exe.string() + "\": the file ends too early\n"},
      {{"rcr", exe.string(), "--patch-level", "7"},
       "Cannot read the RCR distances from \"" + exe.string() + "\": the file ends too early\n"},
      {{"trigger", exe.string(), "--set", "5"}, "Failed to find RCR Trigger Data\n"},
  };
  for (const Short& c : shortCases) {
    const auto shortResult = RunCli(c.args);
    EXPECT_EQ(shortResult.status, 1);
    EXPECT_EQ(shortResult.out, "");
    EXPECT_EQ(shortResult.err, c.error);
  }
}

TEST_F(ExeCommandsTest, EveryCommandHasHelp) {
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {"exe", "extract", "--help"}, {"exe", "patch", "--help"}, {"rcr", "--help"}, {"trigger", "--help"}}) {
    const auto result = RunCli(args);
    EXPECT_EQ(result.status, 0);
    EXPECT_NE(result.out.find("EXE"), std::string::npos) << args[0];
  }
}

}  // namespace
}  // namespace tavrel
