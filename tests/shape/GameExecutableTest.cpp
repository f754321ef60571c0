#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <future>

#include <gtest/gtest.h>

#include "base/Files.h"
#include "demo/ExeBuilder.h"
#include "shape/CameraFile.h"
#include "shape/ExeExport.h"
#include "shape/GameExecutable.h"
#include "shape/ShapeCheck.h"
#include "support/TestSupport.h"

namespace tavrel {
namespace {

using test::Message;

// Image offset of a field of a sample shape's point record.
std::int64_t pointField(ShapeKind kind, int point, int field) {
  const ShapeRecipe recipe = SampleShapeRecipe(kind);
  const ShapeHeader header = ShapeHeaderFor(recipe);
  return header.OffsetOf(header.pointsBegin, recipe.tableOffset) + 16 * point + 4 * field;
}

class GameExecutableTest : public ::testing::Test {
 protected:
  std::filesystem::path Build(const ExeRecipe& recipe) {
    EXPECT_TRUE(BuildExe(exe, recipe));
    return exe;
  }
  std::unique_ptr<Car> Import(const ExePositions& positions = kOriginalPositions) {
    auto car = ImportFromExe(exe, positions, messages);
    EXPECT_NE(car, nullptr);
    return car;
  }

  ScratchFolder dir;
  std::filesystem::path exe = dir / "zav.exe";
  test::RecordingMessages messages;
};

TEST_F(GameExecutableTest, ImportReadsTheCarAndItsNamedPartsAtTheirPositions) {
  Build(SampleExeRecipe(0));
  const auto car = Import();
  EXPECT_TRUE(messages.shown.empty()) << messages.texts().front();
  const std::pair<const Car*, std::pair<ShapeKind, const char*>> shapes[] = {
      {car.get(), {ShapeKind::Car, "Import From Exe"}},
      {car->m_Wheel.get(), {ShapeKind::Wheel, "Wheel"}},
      {car->m_Helmet.get(), {ShapeKind::Helmet, "Helmet"}},
      {car->m_Cockpit.get(), {ShapeKind::Cockpit, "Cockpit"}},
      {car->m_SteeringWheel.get(), {ShapeKind::SteeringWheel, "Steering Wheel"}},
  };
  for (const auto& [shape, expected] : shapes) {
    SCOPED_TRACE(expected.second);
    ASSERT_NE(shape, nullptr);
    EXPECT_EQ(shape->GetName(), expected.second);
    EXPECT_EQ(shape->m_Valid, 1);
    const ShapeRecipe recipe = SampleShapeRecipe(expected.first);
    ASSERT_EQ(shape->m_PointCount, 3);
    EXPECT_EQ(shape->m_Points[1].m_Y, recipe.points[1][1]);
    EXPECT_EQ(shape->m_Points[0].m_X, -recipe.points[0][0]);
    EXPECT_EQ(shape->m_DataValues[0].m_Value, recipe.dataValues[0]);
  }
}

TEST_F(GameExecutableTest, PatchLevelZeroUsesTheFirstPositionsAndEveryOtherLevelTheSecond) {
  struct Case {
    int built;
    int read;
    bool valid;
  };
  for (const Case c :
       {Case{0, 0, true}, Case{1, 1, true}, Case{7, 7, true}, Case{7, 1, true}, Case{1, 0, false}, Case{0, 7, false}}) {
    SCOPED_TRACE(testing::Message() << "built " << c.built << " read " << c.read);
    messages.shown.clear();
    ExeRecipe recipe = SampleExeRecipe(c.built);
    recipe.size = kWholeImagesSize;  // every position of both levels lies inside
    Build(recipe);
    const auto car = Import(PositionsForPatchLevel(c.read));
    EXPECT_EQ(car->m_Valid, c.valid ? 1 : 0);
    EXPECT_EQ(car->m_Helmet->m_Valid, c.valid ? 1 : 0);
    EXPECT_EQ(ReadCamerasFromExe(*car, exe, PositionsForPatchLevel(c.read), messages), true);
    EXPECT_EQ(car->m_Cameras[0].m_Record.X, c.valid ? 10 : 0);
  }
  EXPECT_EQ(kPatchedPositions.car - kOriginalPositions.car, 5524);
  EXPECT_EQ(kPatchedPositions.cameras - kOriginalPositions.cameras, 5528);
}

TEST_F(GameExecutableTest, CamerasAreReadLoadedWithOwnerAndDegrees) {
  Build(SampleExeRecipe(1));
  const auto car = Import(kPatchedPositions);
  ASSERT_TRUE(ReadCamerasFromExe(*car, exe, kPatchedPositions, messages));
  for (int i = 0; i < 9; ++i) {
    const Camera& camera = car->m_Cameras[static_cast<std::size_t>(i)];
    EXPECT_EQ(camera.m_Record, SampleExeRecipe(1).cameras[static_cast<std::size_t>(i)]);
    EXPECT_EQ(camera.m_Loaded, 1);
    EXPECT_EQ(camera.m_Owner, car.get());
    EXPECT_EQ(camera.m_DirectionDeg, 10 * (i + 1));
    EXPECT_EQ(camera.m_PitchDeg, -(i + 1));
  }
}

TEST_F(GameExecutableTest, AMissingExecutableIsReportedWithTheStopIcon) {
  const std::string expected = "Cannot find ZAV.EXE  at path=\"" + exe.string() + "\" or (ZAV.EXE may be read only!)";
  EXPECT_EQ(ImportFromExe(exe, kOriginalPositions, messages), nullptr);
  Car car;
  EXPECT_FALSE(ReadCamerasFromExe(car, exe, kOriginalPositions, messages));
  EXPECT_FALSE(PatchCameras(exe, car, kOriginalPositions, messages).ok);
  EXPECT_EQ(messages.shown, std::vector<Message>(3, Message{expected, Icon::Stop}));
  EXPECT_FALSE(std::filesystem::exists(exe));
}

TEST_F(GameExecutableTest, AFolderInPlaceOfTheExecutableIsMissing) {
  std::filesystem::create_directory(exe);
  EXPECT_EQ(ImportFromExe(exe, kOriginalPositions, messages), nullptr);
  auto car = test::DecodedCar(SampleShapeRecipe(ShapeKind::Car));
  EXPECT_FALSE(PatchCar(exe, *car, kOriginalPositions, messages).ok);
  ASSERT_EQ(messages.shown.size(), 2u);
  EXPECT_EQ(messages.shown[1].text.rfind("Cannot find ZAV.EXE  at path=", 0), 0u);
}

TEST_F(GameExecutableTest, AReadOnlyExecutableImportsButIsNotPatched) {
  Build(SampleExeRecipe(0));
  auto car = Import();
  std::filesystem::permissions(exe, std::filesystem::perms::owner_read | std::filesystem::perms::group_read);
  EXPECT_EQ(Import()->m_Valid, 1);
  if (::geteuid() == 0) GTEST_SKIP() << "root writes to read-only files";
  car->m_Points[0].m_Y += 1;
  const PatchResult result = PatchCar(exe, *car, kOriginalPositions, messages);
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(messages.shown,
            (std::vector<Message>{
                {"Cannot find ZAV.EXE  at path=\"" + exe.string() + "\" or (ZAV.EXE may be read only!)", Icon::Stop}}));
}

TEST_F(GameExecutableTest, AFileEndingEarlyReadsWhatIsThereAndReportsWhatIsNot) {
  ExeRecipe recipe = SampleExeRecipe(0);
  recipe.size = static_cast<std::uint64_t>(kOriginalPositions.helmet) + 100;  // ends within the helmet
  Build(recipe);
  const auto car = Import();
  EXPECT_EQ(messages.texts(), std::vector<std::string>{"Failed to find Wheel Data"});
  EXPECT_EQ(car->m_Wheel->m_Valid, 0);
  EXPECT_EQ(car->m_Valid, 1);
  const Car& helmet = *car->m_Helmet;
  EXPECT_TRUE(std::equal(helmet.m_Image.begin(), helmet.m_Image.begin() + 100, recipe.helmet.begin()));
  EXPECT_TRUE(std::all_of(helmet.m_Image.begin() + 100, helmet.m_Image.end(), [](auto b) { return b == 0; }));

  EXPECT_FALSE(ReadCamerasFromExe(*car, exe, kOriginalPositions, messages));
  EXPECT_EQ(messages.texts().back(), "Failed to find Camera Data");
  EXPECT_EQ(car->m_Cameras[0].m_Loaded, 0);

  // A patch region that the file does not hold whole is not written at all.
  const auto before = *readFile(exe);
  car->m_Helmet->m_Points[0].m_Y += 1;
  EXPECT_FALSE(
      PatchPartOfKind(exe, *car->m_Helmet, *FindPartFileKind(ShapeKind::Helmet), kOriginalPositions, messages).ok);
  EXPECT_EQ(messages.texts().back(), "Failed to find Object Data");
  EXPECT_EQ(*readFile(exe), before);
}

TEST_F(GameExecutableTest, ATruncatedCameraTableFillsTheRecordsItHolds) {
  ExeRecipe recipe = SampleExeRecipe(0);
  recipe.size = static_cast<std::uint64_t>(kOriginalPositions.cameras) + 30;
  Build(recipe);
  const auto car = Import();
  ASSERT_TRUE(ReadCamerasFromExe(*car, exe, kOriginalPositions, messages));
  EXPECT_EQ(car->m_Cameras[0].m_Record, recipe.cameras[0]);
  EXPECT_EQ(car->m_Cameras[1].m_Record.Detail1, 0);  // beyond the file's end
  EXPECT_EQ(car->m_Cameras[1].m_Record.Pitch, recipe.cameras[1].Pitch);
  EXPECT_EQ(car->m_Cameras[8].m_Loaded, 1);
}

TEST_F(GameExecutableTest, PatchingWhatWasImportedWritesNothing) {
  Build(SampleExeRecipe(1));
  const auto before = *readFile(exe);
  auto car = Import(kPatchedPositions);
  ASSERT_TRUE(ReadCamerasFromExe(*car, exe, kPatchedPositions, messages));
  std::vector<PatchResult> results = {PatchCar(exe, *car, kPatchedPositions, messages),
                                      PatchCameras(exe, *car, kPatchedPositions, messages)};
  for (const PartFileKind& kind : kPartFileKinds)
    results.push_back(PatchPartOfKind(exe, *kind.PartOf(*car), kind, kPatchedPositions, messages));
  for (const PatchResult& result : results) {
    EXPECT_TRUE(result.ok);
    EXPECT_EQ(result.writes, 0u);
    EXPECT_EQ(result.bytesChanged, 0u);
  }
  // The cameras end without a completion message.
  EXPECT_EQ(messages.texts(), std::vector<std::string>(5, "Finished Patching ZAV.EXE"));
  EXPECT_EQ(*readFile(exe), before);
  EXPECT_FALSE(std::filesystem::exists(dir / "zav.exe.bak"));
}

TEST_F(GameExecutableTest, AChangedPointWritesOnlyItsChangedBytesOneWritePerRun) {
  struct Case {
    std::int32_t y;
    std::size_t writes;
    std::vector<int> changedBytes;  // of the 32-bit value, little-endian order
  };
  // The sample's y is 200 (C8 00 00 00).
  for (const Case& c :
       {Case{201, 1, {0}}, Case{200 + 0x100, 1, {1}}, Case{0x010000C9, 2, {0, 3}}, Case{-1, 1, {0, 1, 2, 3}}}) {
    SCOPED_TRACE(c.y);
    Build(SampleExeRecipe(0));
    std::filesystem::remove(dir / "zav.exe.bak");
    const auto before = *readFile(exe);
    auto car = Import();
    car->m_Points[0].m_Y = c.y;
    const PatchResult result = PatchCar(exe, *car, kOriginalPositions, messages);
    EXPECT_TRUE(result.ok);
    EXPECT_EQ(result.writes, c.writes);
    EXPECT_EQ(result.bytesChanged, c.changedBytes.size());
    std::vector<std::size_t> expected;
    for (int byte : c.changedBytes)
      expected.push_back(static_cast<std::size_t>(kOriginalPositions.car + pointField(ShapeKind::Car, 0, 1) + byte));
    EXPECT_EQ(test::ChangedOffsets(before, *readFile(exe)), expected);
    EXPECT_EQ(*readFile(dir / "zav.exe.bak"), before);
    EXPECT_EQ(messages.texts().back(), "Finished Patching ZAV.EXE");
  }
}

TEST_F(GameExecutableTest, TheBackupKeepsTheFirstOriginal) {
  Build(SampleExeRecipe(0));
  const auto original = *readFile(exe);
  auto car = Import();
  for (int y : {1, 2}) {
    car->m_Points[0].m_Y = y;
    ASSERT_TRUE(PatchCar(exe, *car, kOriginalPositions, messages).ok);
  }
  EXPECT_EQ(*readFile(dir / "zav.exe.bak"), original);

  // A backup the player already has is never replaced.
  std::vector<std::uint8_t> players(original.size(), 0x5A);
  test::WriteBytes(dir / "zav.exe.bak", players);
  car->m_Points[0].m_Y = 3;
  ASSERT_TRUE(PatchCar(exe, *car, kOriginalPositions, messages).ok);
  EXPECT_EQ(*readFile(dir / "zav.exe.bak"), players);
}

TEST_F(GameExecutableTest, EachExecutableHasABackupOfItsOwnName) {
  const std::filesystem::path other = dir / "ZAV-copy.EXE";
  Build(SampleExeRecipe(0));
  std::filesystem::copy_file(exe, other);
  const auto original = *readFile(exe);
  for (const std::filesystem::path& path : {exe, other}) {
    auto car = ImportFromExe(path, kOriginalPositions, messages);
    car->m_Points[0].m_Y += 1;
    ASSERT_TRUE(PatchCar(path, *car, kOriginalPositions, messages).ok) << path;
  }
  EXPECT_EQ(BackupPath(other), dir / "ZAV-copy.EXE.bak");
  EXPECT_EQ(*readFile(dir / "zav.exe.bak"), original);
  EXPECT_EQ(*readFile(dir / "ZAV-copy.EXE.bak"), original);
  // Nothing is left under a temporary name.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 4);
}

// Only a regular file of the executable's size can be a copy of it; anything
// else in the backup's place would leave the player without their original.
TEST_F(GameExecutableTest, SomethingElseInTheBackupsPlaceStopsThePatch) {
  const std::filesystem::path backup = dir / "zav.exe.bak";
  const std::function<void()> makes[] = {
      [&] { test::WriteBytes(backup, {}); },
      [&] {
        test::WriteBytes(backup, {1, 2, 3});
      },
      [&] { test::WriteBytes(backup, std::vector<std::uint8_t>(*fileSize(exe) + 1, 0)); },
      [&] { std::filesystem::create_directory(backup); },
      [&] {
        std::filesystem::copy_file(exe, dir / "elsewhere");
        std::filesystem::create_symlink(dir / "elsewhere", backup);
      },
  };
  for (std::size_t i = 0; i < std::size(makes); ++i) {
    SCOPED_TRACE(i);
    Build(SampleExeRecipe(0));
    std::filesystem::remove_all(backup);
    std::filesystem::remove(dir / "elsewhere");
    makes[i]();
    const auto before = *readFile(exe);
    auto car = Import();
    car->m_Points[0].m_Y += 1;
    messages.shown.clear();
    const PatchResult result = PatchCar(exe, *car, kOriginalPositions, messages);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.failure, PatchFailure::NoBackup);
    EXPECT_EQ(*readFile(exe), before);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].icon, Icon::Stop);
    EXPECT_EQ(messages.shown[0].text.rfind("\"" + backup.string() + "\" is not a backup of zav.exe", 0), 0u)
        << messages.shown[0].text;
  }
}

// A patch holds the executable locked from its first read to its last
// read-back, so no other patch reads it half written or backs up patched bytes.
TEST_F(GameExecutableTest, APatchWaitsForTheOneUnderWay) {
  Build(SampleExeRecipe(0));
  const auto original = *readFile(exe);
  auto car = Import();
  car->m_Points[0].m_Y += 1;
  auto held = ExecutableFile::Open(exe, ExecutableFile::Mode::Update, messages);
  ASSERT_TRUE(held);
  auto patch = std::async(std::launch::async, [&] { return PatchCar(exe, *car, kOriginalPositions, messages); });
  EXPECT_EQ(patch.wait_for(std::chrono::milliseconds(300)), std::future_status::timeout);
  EXPECT_EQ(*readFile(exe), original);
  EXPECT_FALSE(std::filesystem::exists(dir / "zav.exe.bak"));
  held.reset();
  EXPECT_TRUE(patch.get().ok);
  EXPECT_EQ(*readFile(dir / "zav.exe.bak"), original);
}

TEST_F(GameExecutableTest, NothingIsPatchedWhenTheBackupCannotBeMade) {
  Build(SampleExeRecipe(0));
  const auto before = *readFile(exe);
  auto car = Import();
  // The copy is made under this temporary name first; a folder there stops it,
  // even for root.
  std::filesystem::path temporary = dir / "zav.exe.bak";
  temporary += ".tavrel-" + std::to_string(::getpid()) + ".tmp";
  std::filesystem::create_directories(temporary / "inside");
  car->m_Points[0].m_Y += 1;
  const PatchResult result = PatchCar(exe, *car, kOriginalPositions, messages);
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(result.writes, 0u);
  EXPECT_EQ(*readFile(exe), before);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].icon, Icon::Stop);
  EXPECT_EQ(messages.shown[0].text.rfind(
                "Cannot make the backup copy \"" + (dir / "zav.exe.bak").string() + "\" of zav.exe", 0),
            0u);
  EXPECT_FALSE(std::filesystem::exists(dir / "zav.exe.bak"));
}

TEST_F(GameExecutableTest, AShapeThatFailedTheMagicCheckIsNeverPatched) {
  ExeRecipe recipe = SampleExeRecipe(0);
  recipe.car = {1, 2, 3, 4};
  Build(recipe);
  const auto before = *readFile(exe);
  auto car = Import();
  ASSERT_EQ(car->m_Valid, 0);
  messages.shown.clear();
  const PatchResult result = PatchCar(exe, *car, kOriginalPositions, messages);
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(messages.shown,
            (std::vector<Message>{
                {"Cannot patch \"Import From Exe\" into ZAV.EXE: Bad magic number 201 in the shape image. Nothing was "
                 "written.",
                 Icon::Stop}}));
  EXPECT_EQ(*readFile(exe), before);
}

// A shape written where the patch level puts none would overwrite whatever the
// game keeps there; the cameras are found with the car of the same level.
TEST_F(GameExecutableTest, NothingIsWrittenWhereThePatchLevelPutsNoShape) {
  struct Case {
    int built;
    int patched;
  };
  for (const Case c : {Case{0, 1}, Case{1, 0}, Case{0, 7}}) {
    SCOPED_TRACE(testing::Message() << "built " << c.built << " patched " << c.patched);
    ExeRecipe recipe = SampleExeRecipe(c.built);
    recipe.size = kWholeImagesSize;  // every position of both levels lies inside
    Build(recipe);
    const auto before = *readFile(exe);
    auto car = Import(PositionsForPatchLevel(c.built));
    ASSERT_TRUE(ReadCamerasFromExe(*car, exe, PositionsForPatchLevel(c.built), messages));
    const ExePositions wrong = PositionsForPatchLevel(c.patched);
    std::vector<std::pair<std::string, std::function<PatchResult()>>> patches = {
        {"car", [&] { return PatchCar(exe, *car, wrong, messages); }},
        {"car", [&] { return PatchCameras(exe, *car, wrong, messages); }},
    };
    const std::pair<ShapeKind, const char*> parts[] = {{ShapeKind::Helmet, "helmet"},
                                                       {ShapeKind::Cockpit, "cockpit"},
                                                       {ShapeKind::Wheel, "wheel"},
                                                       {ShapeKind::SteeringWheel, "steering wheel"}};
    for (const auto& [kind, name] : parts) {
      const PartFileKind& partKind = *FindPartFileKind(kind);
      patches.push_back(
          {name, [&] { return PatchPartOfKind(exe, *partKind.PartOf(*car), partKind, wrong, messages); }});
    }
    for (const auto& [name, patch] : patches) {
      messages.shown.clear();
      const PatchResult result = patch();
      EXPECT_FALSE(result.ok);
      EXPECT_EQ(result.failure, PatchFailure::WrongPlace);
      EXPECT_EQ(messages.shown, (std::vector<Message>{{"zav.exe does not hold a " + name +
                                                           " shape at this patch level; is the patch level right?",
                                                       Icon::Stop}}));
    }
    EXPECT_EQ(*readFile(exe), before);
    EXPECT_FALSE(std::filesystem::exists(dir / "zav.exe.bak"));
  }
}

TEST_F(GameExecutableTest, EachLoadedCameraIsWrittenInItsOwnSlot) {
  Build(SampleExeRecipe(0));
  const auto before = *readFile(exe);
  auto car = Import();
  EXPECT_EQ(PatchCameras(exe, *car, kOriginalPositions, messages).writes, 0u);  // none loaded yet

  ASSERT_TRUE(ReadCamerasFromExe(*car, exe, kOriginalPositions, messages));
  CameraRecord changed = car->m_Cameras[2].m_Record;
  changed.X = 0x7777;
  car->m_Cameras[2].SetRecord(changed);
  car->m_Cameras[1].m_Loaded = 0;
  car->m_Cameras[1].SetRecord({});  // unloaded: its slot keeps the executable's bytes
  const PatchResult result = PatchCameras(exe, *car, kOriginalPositions, messages);
  EXPECT_TRUE(result.ok);
  EXPECT_EQ(result.writes, 1u);
  const auto slot = static_cast<std::size_t>(kOriginalPositions.cameras) + 2 * 20;
  EXPECT_EQ(test::ChangedOffsets(before, *readFile(exe)), (std::vector<std::size_t>{slot, slot + 1}));
  EXPECT_TRUE(messages.shown.empty());
}

// Patching files: the car imported, edited and saved as files first.
class PatchFilesTest : public GameExecutableTest {
 protected:
  void SetUp() override {
    Build(SampleExeRecipe(0));
    car = Import();
    ASSERT_TRUE(ReadCamerasFromExe(*car, exe, kOriginalPositions, messages));
  }
  std::unique_ptr<Car> car;
};

// The files of a patch of several items are all read and checked before the
// first byte is written: one unusable file, and nothing is patched.
TEST_F(PatchFilesTest, PatchingFilesRefusesAllForOneOfTheWrongSizeOrAnEmptyCameraFile) {
  car->m_Points[0].m_Y += 1;
  car->WriteBack(tableOffset(ShapeKind::Car));
  ASSERT_TRUE(car->SaveShapeFile(dir / "car.cs3", messages));
  ASSERT_TRUE(WritePartFile(dir / "wheel.ty3", *car->m_Wheel, *FindPartFileKind(ShapeKind::Wheel), messages));
  test::WriteBytes(dir / "helmet.ch3", {});
  test::WriteBytes(dir / "one.st3", {0x03});
  test::WriteBytes(dir / "empty.cam", {});
  ASSERT_TRUE(SaveCameras(dir / "cameras.cam", *car, messages));
  const auto before = *readFile(exe);
  const auto path = [&](const char* name) { return (dir / name).string(); };
  const auto withCar = [&](auto fill) {
    ExePatchFiles files;
    files.car = dir / "car.cs3";
    fill(files);
    return files;
  };
  struct Case {
    ExePatchFiles files;
    Message message;
  };
  const Case cases[] = {
      {withCar([&](ExePatchFiles& f) { f.parts[0] = dir / "wheel.ty3"; }),
       {"\"" + path("wheel.ty3") +
            "\" is 27764 bytes long, but a Helmet part file is 7764 bytes long, so it was not read",
        Icon::Plain}},
      {withCar([&](ExePatchFiles& f) { f.parts[0] = dir / "helmet.ch3"; }),
       {"\"" + path("helmet.ch3") + "\" is 0 bytes long, but a Helmet part file is 7764 bytes long, so it was not read",
        Icon::Plain}},
      {withCar([&](ExePatchFiles& f) { f.parts[3] = dir / "one.st3"; }),
       {"\"" + path("one.st3") +
            "\" is 1 bytes long, but a Steering Wheel part file is 496 bytes long, so it was not "
            "read",
        Icon::Plain}},
      {withCar([&](ExePatchFiles& f) { f.cameras = dir / "empty.cam"; }),
       {"Camera file \"" + path("empty.cam") + "\" is empty: it holds no camera", Icon::Stop}},
      {withCar([&](ExePatchFiles& f) {
         f.car = dir / "wheel.ty3";
         f.cameras = dir / "cameras.cam";
       }),
       {"\"" + path("wheel.ty3") +
            "\" is 27764 bytes long, but a car shape file is 133952 bytes long, so it was not "
            "read",
        Icon::Plain}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message.text);
    messages.shown.clear();
    const auto steps = PatchFilesIntoExe(exe, c.files, kOriginalPositions, messages);
    EXPECT_EQ(steps.size(), 2u);
    for (const ExportStep& step : steps) EXPECT_EQ(step.result.failure, PatchFailure::InvalidSource) << step.item;
    EXPECT_EQ(messages.shown, std::vector<Message>{c.message});
    EXPECT_EQ(*readFile(exe), before);
  }
  EXPECT_FALSE(std::filesystem::exists(dir / "zav.exe.bak"));
}

}  // namespace
}  // namespace tavrel
