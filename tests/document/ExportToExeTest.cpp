// Export To Exe from a document: the questions, the checks before anything is
// written, and the regions written, on executables made by the builders.
#include <fstream>
#include <functional>

#include <gtest/gtest.h>

#include "base/Files.h"
#include "base/Settings.h"
#include "demo/ExeBuilder.h"
#include "document/Document.h"
#include "document/ProgramValues.h"
#include "shape/ExeExport.h"
#include "shape/GameExecutable.h"
#include "shape/ShapeCheck.h"
#include "support/AnsweringChooser.h"
#include "support/TestSupport.h"

namespace tavrel {
namespace {

using test::Message;

class ExportToExeTest : public ::testing::Test {
 protected:
  void SetUp() override { Start(0); }
  // A fresh executable of the level, and the document's car imported from it.
  void Start(int level) {
    ASSERT_TRUE(BuildExe(exe, SampleExeRecipe(level)));
    std::filesystem::remove(BackupPath(exe));
    program.OverrideExecutablePath(exe);
    program.OverrideGameLocation(dir.path().string());
    program.OverridePatchLevel(level);
    program.m_TextureCfgFolder = dir.path();
    ASSERT_TRUE(document.NewFromExecutable());
    car = document.GetCar();
    messages.shown.clear();  // the texture files the sample game does not have
  }
  // The car as the executable now holds it.
  std::unique_ptr<Car> Import(const ExePositions& at = kOriginalPositions) {
    test::RecordingMessages quiet;
    return ImportFromExe(exe, at, quiet);
  }

  ScratchFolder dir;
  std::filesystem::path exe = dir / "zav.exe";
  MemorySettings settings;
  ProgramValues program{settings};
  test::RecordingMessages messages;
  test::AnsweringChooser chooser;
  Document document{program, messages, chooser};
  Car* car = nullptr;
};

std::vector<std::string_view> items(const std::vector<ExportStep>& steps) {
  std::vector<std::string_view> names;
  for (const ExportStep& step : steps) names.push_back(step.item);
  return names;
}

TEST_F(ExportToExeTest, WithoutAdvancedExportingOnlyTheCarAndCamerasArePatched) {
  car->m_Points[0].m_Y += 1;
  car->m_Helmet->m_Points[0].m_Y += 1;
  CameraRecord record = car->m_Cameras[0].m_Record;
  record.Y = 99;
  car->m_Cameras[0].SetRecord(record);
  const auto steps = document.ExportToExe();
  EXPECT_EQ(messages.asked, std::vector<std::string>{"Do you want advanced exporting!..."});
  EXPECT_EQ(items(steps), (std::vector<std::string_view>{"car", "cameras"}));
  EXPECT_EQ(steps[0].result.bytesChanged, 1u);
  EXPECT_EQ(steps[1].result.bytesChanged, 1u);

  const auto again = Import();
  ASSERT_TRUE(ReadCamerasFromExe(*again, exe, kOriginalPositions, messages));
  EXPECT_EQ(again->m_Points[0].m_Y, car->m_Points[0].m_Y);
  EXPECT_EQ(again->m_Cameras[0].m_Record.Y, 99);
  EXPECT_EQ(again->m_Helmet->m_Points[0].m_Y, car->m_Helmet->m_Points[0].m_Y - 1);
}

// The game keeps the cockpit, steering wheel and helmet within an image's length
// after the car. A car export writes the car's own tables only: a car imported
// earlier cannot put back the helmet a later export patched, and the player's
// No to every part leaves every part's bytes as they were.
TEST_F(ExportToExeTest, ACarExportNeverWritesIntoAPartsRegion) {
  for (const int level : {0, 1}) {
    SCOPED_TRACE(level);
    const ExePositions at = PositionsForPatchLevel(level);
    Start(level);
    Document older{program, messages, chooser};
    ASSERT_TRUE(older.NewFromExecutable());
    Car* newer = car;
    newer->m_Helmet->m_Points[0].m_Y += 1;
    messages.answers = {true, true, false, false, false};
    ASSERT_TRUE(AllPatched(document.ExportToExe()));
    const auto before = *readFile(exe);

    older.GetCar()->m_Points[0].m_Y += 1;
    older.GetCar()->m_DataValues[1].m_Value = 0x4321;
    messages.answers = {false};
    const auto steps = older.ExportToExe();
    ASSERT_TRUE(AllPatched(steps));
    EXPECT_GT(steps[0].result.bytesChanged, 0u);
    test::ExpectChangesOnlyIn(
        before, *readFile(exe),
        {{at.car, at.car + static_cast<std::int64_t>(ShapeExtent(*older.GetCar(), ShapeKind::Car))}});
    EXPECT_EQ(Import(at)->m_Helmet->m_Points[0].m_Y, newer->m_Helmet->m_Points[0].m_Y);
  }
}

// A read-only or busy executable is found before the player answers anything.
TEST_F(ExportToExeTest, AnExecutableThatCannotBePatchedNowIsFoundBeforeTheQuestions) {
  auto held = ExecutableFile::Open(exe, ExecutableFile::Mode::Update, messages);
  ASSERT_TRUE(held);
  messages.answers = {true, true};
  EXPECT_FALSE(AllPatched(document.ExportToExe()));
  EXPECT_TRUE(messages.asked.empty());
  EXPECT_EQ(messages.shown, (std::vector<Message>{{"ZAV.EXE at path=\"" + exe.string() +
                                                       "\" is being patched by another program; try again when it "
                                                       "is done",
                                                   Icon::Stop}}));
  held.reset();
  std::filesystem::remove(exe);
  messages.shown.clear();
  EXPECT_FALSE(AllPatched(document.ExportToExe()));
  EXPECT_TRUE(messages.asked.empty());
  EXPECT_EQ(messages.shown, (std::vector<Message>{{MissingExecutableMessage(exe), Icon::Stop}}));
}

// Elements that name missing ones are drawn safely by the view, so the player
// may insist; the question offers No first.
TEST_F(ExportToExeTest, IndexErrorsAreListedAndPatchedOnlyWhenThePlayerInsists) {
  car->m_Connections[0].m_To = 99;
  for (const bool insist : {false, true}) {
    messages.asked.clear();
    messages.defaults.clear();
    messages.answers = {insist, false};
    const auto before = *readFile(exe);
    EXPECT_EQ(AllPatched(document.ExportToExe()), insist);
    ASSERT_FALSE(messages.asked.empty());
    EXPECT_EQ(messages.asked[0],
              "\"Import From Exe\" names elements its tables do not hold:\nconnection 0 names "
              "point 99, but the car has 3\nThe game may not cope with it. Patch it into ZAV.EXE "
              "anyway?");
    EXPECT_EQ(messages.defaults[0], Answer::No);
    EXPECT_EQ(*readFile(exe) == before, !insist);
  }
}

// Every question comes first and every item is checked before the first byte
// is written, so an export that cannot be done whole leaves the game alone.
TEST_F(ExportToExeTest, NothingIsWrittenUnlessEveryItemCanBe) {
  struct Case {
    std::function<void()> spoil;
    PatchFailure failure;
    std::string message;
  };
  const Case cases[] = {
      {[&] { std::filesystem::resize_file(exe, static_cast<std::uintmax_t>(kOriginalPositions.cameras) + 100); },
       PatchFailure::NotReachable, "Failed to find Camera Data"},
      {[&] {
         std::fstream file(exe, std::ios::binary | std::ios::in | std::ios::out);
         file.seekp(kOriginalPositions.helmet);
         file.write("\0\0", 2);
       },
       PatchFailure::WrongPlace, "zav.exe does not hold a helmet shape at this patch level; is the patch level right?"},
      {[&] {
         writeU16(car->m_Helmet->m_Image, 0, 0x1234);
         car->m_Helmet->Decode(tableOffset(ShapeKind::Helmet), messages);
       },
       PatchFailure::InvalidSource,
       "Cannot patch \"Helmet\" into ZAV.EXE: Bad magic number 1234 in the shape image. Nothing was written."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    Start(0);
    car->m_Points[0].m_Y += 1;
    car->m_Helmet->m_Points[0].m_Y += 1;
    CameraRecord record = car->m_Cameras[0].m_Record;
    record.Y = 99;
    car->m_Cameras[0].SetRecord(record);
    c.spoil();
    const auto before = *readFile(exe);
    messages.shown.clear();
    messages.answers = {true, true, false, false, false};
    const auto steps = document.ExportToExe();
    EXPECT_EQ(items(steps), (std::vector<std::string_view>{"car", "cameras", "helmet"}));
    for (const ExportStep& step : steps) {
      EXPECT_FALSE(step.result.ok) << step.item;
      EXPECT_EQ(step.result.failure, c.failure) << step.item;
    }
    EXPECT_EQ(messages.texts(), std::vector<std::string>{c.message});
    EXPECT_EQ(*readFile(exe), before);
    EXPECT_FALSE(std::filesystem::exists(dir / "zav.exe.bak"));
  }
}

TEST_F(ExportToExeTest, ACarThatFailedTheMagicCheckIsRefusedBeforeAnyQuestion) {
  car->m_Valid = 0;
  const auto before = *readFile(exe);
  const auto steps = document.ExportToExe();
  EXPECT_TRUE(messages.asked.empty());
  EXPECT_FALSE(AllPatched(steps));
  EXPECT_EQ(*readFile(exe), before);
}

TEST_F(ExportToExeTest, AMissingPartIsSkippedWithoutAQuestion) {
  car->m_Helmet.reset();
  messages.answers = {true, false, false, false};
  const auto steps = document.ExportToExe();
  EXPECT_EQ(messages.asked, (std::vector<std::string>{"Do you want advanced exporting!...", "Export Cockpit",
                                                      "Export Tyres", "Export Steering"}));
  EXPECT_EQ(items(steps), (std::vector<std::string_view>{"car", "cameras"}));
}

TEST_F(ExportToExeTest, EveryPartAnsweredYesIsPatchedAndNoneDisturbsAnother) {
  for (const PartFileKind& kind : kPartFileKinds) kind.PartOf(*car)->m_Points[2].m_Z += 5;
  messages.answers = {true, true, true, true, true};
  const auto steps = document.ExportToExe();
  EXPECT_EQ(items(steps),
            (std::vector<std::string_view>{"car", "cameras", "helmet", "cockpit", "wheel", "steering-wheel"}));
  EXPECT_TRUE(AllPatched(steps));
  EXPECT_EQ(messages.texts(), std::vector<std::string>{"Finished Patching ZAV.EXE"});
  const auto again = Import();
  for (const PartFileKind& kind : kPartFileKinds) {
    SCOPED_TRACE(kind.name);
    EXPECT_EQ(kind.PartOf(*again)->m_Points[2].m_Z, kind.PartOf(*car)->m_Points[2].m_Z);
    EXPECT_EQ(kind.PartOf(*again)->m_Valid, 1);
  }
}

}  // namespace
}  // namespace tavrel
