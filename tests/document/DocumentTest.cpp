// The car document: its life (import, open, clear), its commands against
// scripted file choosers and answered questions, and what it announces.
#include <gtest/gtest.h>

#include "base/Settings.h"
#include "demo/DemoGame.h"
#include "document/DemoDocumentTest.h"
#include "document/Document.h"
#include "document/ProgramValues.h"
#include "shape/CameraFile.h"
#include "shape/ExecutableFile.h"
#include "shape/ShapeCheck.h"
#include "shape/ShapeFile.h"
#include "support/AnsweredPatchLevel.h"
#include "support/AnsweringChooser.h"
#include "support/SpoiltCars.h"
#include "support/TestSupport.h"

namespace tavrel::test {
namespace {

// Whether a table holds what texture.cfg in `folder` (or its absence) gives.
bool SameMapping(const CarMappingTable& table, const std::filesystem::path& folder) {
  CarMappingTable expected;
  expected.ReadTextureCfg(folder);
  for (int position = 0; position < CarMappingTable::kEntryCount; ++position)
    if (!(table.GetMapping(position) == expected.GetMapping(position))) return false;
  return true;
}

class DocumentTest : public DemoDocumentTest {};

TEST_F(DocumentTest, ImportFromExecutableListsTheCarWithItsParts) {
  int listed = 0;
  auto connection = document.CarListed().Connect([&] { ++listed; });
  ASSERT_TRUE(document.NewFromExecutable());
  ASSERT_TRUE(document.HasCar());
  EXPECT_EQ(document.GetCar()->m_Valid, 1);
  EXPECT_EQ(listed, 1);
  ASSERT_NE(document.Outline(), nullptr);
  EXPECT_EQ(document.Outline()->ChildCount(), 5u);  // the car and its four parts
  EXPECT_TRUE(document.GetCar()->m_Cameras[0].m_Loaded);
  EXPECT_TRUE(document.Title().empty());
  EXPECT_TRUE(SameMapping(document.Mapping(), Game())) << "texture.cfg is read before the car is listed";
  EXPECT_FALSE(SameMapping(document.Mapping(), dir.path())) << "the demo's texture.cfg is not the built-in table";
}

// The screenshot's document: the car and its textures, no outline and no texture files loaded for it.
TEST_F(DocumentTest, ADocumentThatListsNothingStillImportsWithItsTextures) {
  document.ListNothing();
  int listed = 0;
  auto connection = document.CarListed().Connect([&] { ++listed; });
  ASSERT_TRUE(document.NewFromExecutable());
  ASSERT_TRUE(document.HasCar());
  EXPECT_EQ(document.Outline(), nullptr);
  EXPECT_EQ(listed, 0);
  document.ResetTextures("Mclare98.jam");
  EXPECT_GT(document.TextureBitmaps().Slot(1).width, 0);
  EXPECT_EQ(document.GetCar()->m_Points[0].m_TreeItem, nullptr);
}

TEST_F(DocumentTest, ImportFromMissingExecutableSaysBadExePath) {
  program.OverrideGameLocation((dir / "nowhere").string());
  EXPECT_FALSE(document.NewFromExecutable());
  EXPECT_FALSE(document.HasCar());
  const std::string exe = program.ExecutablePath().string();
  EXPECT_EQ(messages.texts(), (std::vector<std::string>{MissingExecutableMessage(exe), "Bad Exe Path " + exe}));
}

TEST_F(DocumentTest, ImportOfAnImageWithoutMagicLeavesTheDocumentEmpty) {
  UseOwnExecutable();
  std::vector<std::uint8_t> exe = ReadBytes(dir / "zav.exe");
  exe[static_cast<std::size_t>(program.Positions().car) + 0] ^= 0xFF;  // the magic number's first byte
  exe[static_cast<std::size_t>(program.Positions().car) + 1] ^= 0xFF;
  WriteBytes(dir / "zav.exe", exe);
  int listed = 0;
  auto connection = document.CarListed().Connect([&] { ++listed; });
  EXPECT_TRUE(document.NewFromExecutable());
  EXPECT_FALSE(document.HasCar());
  EXPECT_EQ(listed, 0);
  document.Save();
  document.ExportToExe();
  EXPECT_TRUE(chooser.asked.empty());
  EXPECT_EQ(ReadBytes(dir / "zav.exe"), exe);
}

// Save writes to the document's own file; Save As asks, and the document is
// the new file from then on.
TEST_F(DocumentTest, SaveWritesItsOwnFileAndSaveAsAsksForANewOne) {
  const auto file = dir / "mycar.cs3";
  std::filesystem::copy_file(Game() / "cars" / "demo.cs3", file);
  ASSERT_TRUE(document.Open(file));
  EXPECT_EQ(document.Title(), "mycar.cs3");
  EXPECT_EQ(document.Outline()->ChildCount(), 1u);

  ScriptedEditorHost editors;
  editors.point = {999, 0, 0};
  document.EditElement(document.GetCar()->m_Points[1], editors);
  EXPECT_TRUE(document.IsModified());
  EXPECT_EQ(document.Save(), file);
  EXPECT_TRUE(chooser.asked.empty());
  EXPECT_FALSE(document.IsModified());
  ASSERT_TRUE(LoadShapeFile(file, messages));
  EXPECT_EQ(LoadShapeFile(file, messages)->m_Points[1].m_X, 999);

  EXPECT_EQ(document.SaveAs(), std::nullopt);  // cancelled
  chooser.answers = {dir / "saved.cs3"};
  EXPECT_EQ(document.SaveAs(), dir / "saved.cs3");
  ASSERT_EQ(chooser.asked.size(), 2u);
  for (const auto& request : chooser.asked) {
    EXPECT_EQ(request.action, FileAction::Save);
    EXPECT_EQ(request.defaultName, "unnamed.cs3");
  }
  EXPECT_EQ(ReadBytes(dir / "saved.cs3"), ReadBytes(file));
  EXPECT_EQ(document.PathName(), dir / "saved.cs3");
  EXPECT_EQ(document.Title(), "saved.cs3");
}

TEST_F(DocumentTest, ShapeFileWithBadMagicOpensListedWithoutElements) {
  std::vector<std::uint8_t> bytes(Car::kImageSize, 0);
  WriteBytes(dir / "bad.cs3", bytes);
  EXPECT_TRUE(document.Open(dir / "bad.cs3"));
  ASSERT_TRUE(document.HasCar());
  EXPECT_EQ(document.GetCar()->m_Valid, 0);
  EXPECT_NE(document.Outline(), nullptr);
}

// Commands of an empty document say "No Car Loaded": the camera and transfer
// commands after their dialog, the others at once.
TEST_F(DocumentTest, CommandsOfAnEmptyDocument) {
  struct Case {
    const char* name;
    std::function<void()> command;
    bool asksForAFile;
    std::vector<std::string> shown;
  };
  const std::vector<Case> cases = {
      {"Save", [&] { document.Save(); }, false, {"No Car Loaded"}},
      {"SaveAs", [&] { document.SaveAs(); }, false, {"No Car Loaded"}},
      {"ExportToExe", [&] { document.ExportToExe(); }, false, {"No Car Loaded"}},
      {"ExportCameras", [&] { document.ExportCameras(); }, true, {"No Car Loaded"}},
      {"ImportCameras", [&] { document.ImportCameras(); }, true, {"No Car Loaded"}},
      {"ExportCtf", [&] { document.ExportCtf(); }, true, {"No Car Loaded"}},
      {"ImportCtf", [&] { document.ImportCtf(); }, true, {"No Car Loaded"}},
      {"ImportObjPoints", [&] { document.ImportObjPoints(); }, true, {"No Car Loaded"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    chooser.asked.clear();
    messages.shown.clear();
    chooser.answers = {dir / "out.file"};
    c.command();
    EXPECT_EQ(chooser.asked.size(), c.asksForAFile ? 1u : 0u);
    EXPECT_EQ(messages.texts(), c.shown);
    EXPECT_FALSE(std::filesystem::exists(dir / "out.file"));
  }
  for (const PartFileKind& kind : kPartFileKinds) {
    document.ExportPart(kind);
    document.ImportPart(kind);
  }
  EXPECT_EQ(chooser.asked.size(), 1u) << "the part commands ask nothing without a car";
}

TEST_F(DocumentTest, CamerasGoOutAndComeBack) {
  ASSERT_TRUE(document.NewFromExecutable());
  chooser.answers = {dir / "cams.cam"};
  document.ExportCameras();
  EXPECT_EQ(chooser.asked.back().action, FileAction::Save);
  EXPECT_EQ(chooser.asked.back().defaultName, "unnamed.cam");
  const auto exported = ReadBytes(dir / "cams.cam");
  EXPECT_EQ(exported.size(), kCameraFileSize);

  Car& car = *document.GetCar();
  car.m_Cameras[2].m_Record.X = 1234;
  chooser.answers = {dir / "cams.cam"};
  document.ImportCameras();
  EXPECT_EQ(chooser.asked.back().action, FileAction::Open);
  std::array<std::uint8_t, kCameraFileSize> expected{};
  std::copy(exported.begin(), exported.end(), expected.begin());
  EXPECT_EQ(CameraFileBytes(car), expected);
}

TEST_F(DocumentTest, PartImportRelistsOnlyThatPartInItsPlace) {
  ASSERT_TRUE(document.NewFromExecutable());
  const PartFileKind& helmet = kPartFileKinds[0];
  chooser.answers = {dir / "helmet.ch3"};
  document.ExportPart(helmet);
  EXPECT_EQ(ReadBytes(dir / "helmet.ch3").size(), helmet.length);

  Car& car = *document.GetCar();
  OutlineNode& top = *document.Outline();
  std::vector<const OutlineNode*> before;
  for (const auto& item : top.MadeChildren()) before.push_back(item.get());
  const std::size_t helmetRow = car.m_Helmet->m_RootItem->row;
  const std::string helmetText = car.m_Helmet->m_RootItem->text;
  const OutlineNode* firstPointItem = car.m_Points[0].m_TreeItem;
  const std::shared_ptr<JAM> firstJam = car.m_CarJams[0].m_Jam;

  std::vector<std::string> events;
  auto unlisted = document.CarUnlisted().Connect([&] { events.push_back("car unlisted"); });
  auto listed = document.CarListed().Connect([&] { events.push_back("car listed"); });
  auto redrawn = document.RedrawWanted().Connect([&] { events.push_back("redraw"); });
  const auto record = [&](const char* what) {
    return [&events, what](std::size_t row) { events.push_back(what + std::to_string(row)); };
  };
  auto shapeUnlisting = document.ShapeUnlisting().Connect(record("unlisting "));
  auto shapeUnlisted = document.ShapeUnlisted().Connect(record("unlisted "));
  auto shapeListing = document.ShapeListing().Connect(record("listing "));
  auto shapeListed = document.ShapeListed().Connect([&](std::size_t row) {
    events.push_back("listed " + std::to_string(row));
    EXPECT_EQ(car.m_Helmet->m_RootItem, &top.Child(row)) << "the new items are in place when announced";
  });
  car.m_SelectedPoint = &car.m_Helmet->m_Points.at(0);  // as a pick on the helmet leaves it
  chooser.answers = {dir / "helmet.ch3"};
  document.ImportPart(helmet);
  EXPECT_EQ(car.m_SelectedPoint, nullptr) << "the car keeps no selection among the helmet's old points";
  const std::string row = std::to_string(helmetRow);
  EXPECT_EQ(events, (std::vector<std::string>{"unlisting " + row, "unlisted " + row, "listing " + row, "listed " + row,
                                              "redraw"}));

  ASSERT_EQ(top.ChildCount(), 5u);
  for (std::size_t i = 0; i < before.size(); ++i) {
    EXPECT_EQ(top.Child(i).row, i);
    if (i != helmetRow) {
      EXPECT_EQ(&top.Child(i), before[i]) << "row " << i << " kept its item";
    }
  }
  OutlineNode& newHelmet = top.Child(helmetRow);
  EXPECT_EQ(car.m_Helmet->m_RootItem, &newHelmet);
  EXPECT_EQ(newHelmet.text, helmetText);
  EXPECT_EQ(newHelmet.image, 6);
  EXPECT_EQ(car.m_Helmet->m_Points.at(0).m_TreeItem, &newHelmet.Child(0).Child(0))
      << "the helmet's points are listed anew";
  EXPECT_EQ(car.m_Points[0].m_TreeItem, firstPointItem);
  EXPECT_EQ(car.m_CarJams[0].m_Jam, firstJam) << "the car's texture files are not read again";
}

TEST_F(DocumentTest, ExportToExeAnsweredNoChangesOnlyTheCarAndTheCameras) {
  UseOwnExecutable();
  ASSERT_TRUE(document.NewFromExecutable());
  const auto before = ReadBytes(dir / "zav.exe");
  Car& car = *document.GetCar();
  car.m_Points[0].m_X += 7;
  car.m_Cameras[0].m_Record.X += 3;
  messages.answers = {false};
  document.ExportToExe();
  EXPECT_EQ(messages.asked, (std::vector<std::string>{"Do you want advanced exporting!..."}));

  const auto after = ReadBytes(dir / "zav.exe");
  ASSERT_EQ(after.size(), before.size());
  const auto inside = [&](std::size_t at, std::int64_t start, std::size_t length) {
    return at >= static_cast<std::size_t>(start) && at < static_cast<std::size_t>(start) + length;
  };
  std::size_t changed = 0;
  for (std::size_t at = 0; at < after.size(); ++at) {
    if (after[at] == before[at]) continue;
    ++changed;
    EXPECT_TRUE(inside(at, program.Positions().car, Car::kImageSize) ||
                inside(at, program.Positions().cameras, kCameraFileSize))
        << "byte " << at;
  }
  EXPECT_GT(changed, 0u);
}

// Files players met: one cut short is not opened; the others open, and Export
// To Exe refuses those that are not whole, asks about index errors (No first)
// and patches a whole but odd one only into the car's own tables.
TEST_F(DocumentTest, SpoiltCarFilesAreRefusedOrPatchedOnlyIntoTheCarsOwnTables) {
  UseOwnExecutable();
  const auto original = ReadBytes(dir / "zav.exe");
  const auto carAt = static_cast<std::size_t>(program.Positions().car);
  for (const SpoiltCar& spoilt : SpoiltCars(ReadBytes(Game() / "cars" / "demo.cs3"))) {
    SCOPED_TRACE(spoilt.name);
    WriteBytes(dir / "zav.exe", original);
    const auto file = dir / spoilt.name;
    WriteBytes(file, spoilt.bytes);
    messages.shown.clear();
    messages.asked.clear();
    messages.defaults.clear();
    if (!document.Open(file)) {
      EXPECT_EQ(spoilt.name, "short.cs3");
      EXPECT_EQ(messages.texts(), std::vector<std::string>{"\"" + file.string() + "\" " + spoilt.firstProblem});
      continue;
    }
    messages.answers = {false, false};
    document.ExportToExe();
    const auto after = ReadBytes(dir / "zav.exe");
    switch (spoilt.severity) {
      case Severity::Error:
        EXPECT_TRUE(messages.asked.empty());
        ASSERT_FALSE(messages.shown.empty());
        EXPECT_EQ(messages.shown.back().text.rfind(
                      "Cannot patch \"" + file.string() + "\" into ZAV.EXE: " + spoilt.firstProblem, 0),
                  0u)
            << messages.shown.back().text;
        EXPECT_EQ(after, original);
        break;
      case Severity::IndexError:
        ASSERT_EQ(messages.asked.size(), 1u);
        EXPECT_NE(messages.asked[0].find(spoilt.firstProblem), std::string::npos) << messages.asked[0];
        EXPECT_EQ(messages.defaults[0], Answer::No);
        EXPECT_EQ(after, original);
        break;
      case Severity::Warning: {
        EXPECT_EQ(messages.asked, std::vector<std::string>{"Do you want advanced exporting!..."});
        const std::size_t extent = ShapeExtent(*document.GetCar(), ShapeKind::Car);
        ASSERT_EQ(after.size(), original.size());
        EXPECT_NE(after, original);
        for (std::size_t at = 0; at < after.size(); ++at)
          EXPECT_TRUE(after[at] == original[at] || (at >= carAt && at < carAt + extent)) << "byte " << at;
        std::filesystem::remove(dir / "zav.exe.bak");
        break;
      }
    }
    EXPECT_FALSE(std::filesystem::exists(dir / "zav.exe.bak"));
  }
}

// An executable at the other level than the stored one: one question, and the
// answer holds for this and later imports.
TEST_F(DocumentTest, AnExecutableAtTheOtherPatchLevelIsOfferedOnce) {
  settings.WriteInt(kPreferences, "ZavPatchLevel", 1);
  AnsweredPatchLevel cancelled;
  program.ReadPatchLevel(cancelled);
  messages.answers = {false};
  EXPECT_FALSE(document.NewFromExecutable());
  EXPECT_FALSE(document.HasCar());
  EXPECT_EQ(program.PatchLevel(), 1);

  messages.answers = {true};
  ASSERT_TRUE(document.NewFromExecutable());
  const std::string question =
      "zav.exe does not hold a car at patch level 1.13, but it does at the original level. Use the original level?";
  EXPECT_EQ(messages.asked, (std::vector<std::string>{question, question}));
  EXPECT_TRUE(messages.shown.empty()) << "no bad magic number for any shape";
  ASSERT_TRUE(document.HasCar());
  EXPECT_EQ(document.GetCar()->m_Valid, 1);
  EXPECT_EQ(program.PatchLevel(), 0);
  EXPECT_EQ(settings.ReadInt(kPreferences, "ZavPatchLevel", -1), 0);

  Document later{program, messages, chooser};
  ASSERT_TRUE(later.NewFromExecutable());
  EXPECT_EQ(messages.asked.size(), 2u);
}

TEST_F(DocumentTest, ClearingUnlistsTheCarOnce) {
  ASSERT_TRUE(document.NewFromExecutable());
  int unlisted = 0;
  auto connection = document.CarUnlisted().Connect([&] { ++unlisted; });
  document.Clear();
  document.Clear();
  EXPECT_EQ(unlisted, 1);
  EXPECT_EQ(document.Outline(), nullptr);
  EXPECT_TRUE(document.HasCar()) << "the car stays until the document goes";
}

TEST_F(DocumentTest, SelectingAJamAnnouncesIt) {
  ASSERT_TRUE(document.NewFromExecutable());
  int changed = 0;
  auto connection = document.SelectionChanged().Connect([&] { ++changed; });
  document.GetCar()->m_CarJams[3].SelectForDocument();
  EXPECT_EQ(document.SelectedJam(), document.GetCar()->m_CarJams[3].m_Jam);
  EXPECT_EQ(changed, 1);
}

}  // namespace
}  // namespace tavrel::test
