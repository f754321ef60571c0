#include <gtest/gtest.h>

#include "base/Files.h"
#include "builders/ExeBuilder.h"
#include "shape/CameraFile.h"
#include "support/CliRunner.h"
#include "support/TestSupport.h"

namespace tavrel {
namespace {

using test::RunCli;

class ExeCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(BuildExe(exe, SampleExeSpec(7))); }
  std::string path(const std::string& name) const { return (dir / name).string(); }

  test::TempDir dir;
  std::filesystem::path exe = dir / "zav.exe";
};

TEST_F(ExeCommandsTest, ExtractWritesTheCarItsPartsAndCameras) {
  const auto result = RunCli({"exe", "extract", exe.string(), "--patch-level", "7", "--out", path("out")});
  ASSERT_EQ(result.status, 0) << result.err;
  const std::pair<const char*, std::uintmax_t> files[] = {
      {"car.cs3", 133952},  {"helmet.ch3", 7764},         {"cockpit.cp3", 23664},
      {"wheel.ty3", 27764}, {"steering-wheel.st3", 496}, {"cameras.cam", 180}};
  for (const auto& [name, size] : files) EXPECT_EQ(fileSize(dir / "out" / name), size) << name;
  const auto car = test::ReadBytes(dir / "out" / "car.cs3");
  const auto image = SampleExeSpec(7).car;
  EXPECT_TRUE(std::equal(image.begin(), image.end(), car.begin()));
  Car cameras;
  TakeCameraBytes(cameras, test::ReadBytes(dir / "out" / "cameras.cam"));
  EXPECT_EQ(cameras.m_Cameras[8].m_Record, SampleExeSpec(7).cameras[8]);
}

TEST_F(ExeCommandsTest, ExtractFromTheWrongPatchLevelFails) {
  const auto result = RunCli({"exe", "extract", exe.string(), "--patch-level", "0", "--out", path("out")});
  EXPECT_EQ(result.status, 1);
  EXPECT_NE(result.err.find("Bad magic number"), std::string::npos);
}

TEST_F(ExeCommandsTest, PatchingTheExtractedFilesChangesNothingAndAnEditedOneOnlyItsBytes) {
  ASSERT_EQ(RunCli({"exe", "extract", exe.string(), "--patch-level", "1", "--out", path("out")}).status, 0);
  const std::vector<std::string> items = {"--car",   "out/car.cs3",   "--cameras", "out/cameras.cam",
                                          "--helmet", "out/helmet.ch3", "--cockpit", "out/cockpit.cp3",
                                          "--wheel", "out/wheel.ty3", "--steering-wheel", "out/steering-wheel.st3"};
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
  const auto before = *readFile(exe);
  test::WriteBytes(dir / "bad.ch3", std::vector<std::uint8_t>(100, 0));
  struct Case {
    std::vector<std::string> args;
    int status;
  };
  const Case cases[] = {
      {{"exe", "patch", exe.string(), "--patch-level", "0"}, 2},                          // nothing to patch
      {{"exe", "patch", exe.string(), "--helmet", path("bad.ch3")}, 2},                   // no patch level
      {{"exe", "patch", exe.string(), "--patch-level", "0", "--car", path("none")}, 2},  // unreadable input
      {{"exe", "patch", path("none.exe"), "--patch-level", "0", "--helmet", path("bad.ch3")}, 2},
      {{"exe", "patch", exe.string(), "--patch-level", "1", "--helmet", path("bad.ch3")}, 1},  // bad magic
      {{"exe", "patch", exe.string(), "--patch-level", "1", "--car", path("bad.ch3")}, 1},
  };
  for (const Case& c : cases) {
    const auto result = RunCli(c.args);
    EXPECT_EQ(result.status, c.status) << c.args[2] << ' ' << c.args.back() << '\n' << result.err;
    EXPECT_EQ(result.out, "");
  }
  EXPECT_EQ(*readFile(exe), before);
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

  ExeSpec shortSpec;
  shortSpec.size = 100;
  ASSERT_TRUE(BuildExe(exe, shortSpec));
  EXPECT_EQ(RunCli({"trigger", exe.string()}).out, "0\n");
  EXPECT_EQ(RunCli({"trigger", exe.string(), "--set", "5"}).status, 1);
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
