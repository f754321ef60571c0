// Every change to a document's car is a step of its history: made through the
// document, named, undone and redone exactly, and marking the document modified.
#include <gtest/gtest.h>

#include <random>

#include "base/Settings.h"
#include "demo/DemoGame.h"
#include "document/DemoDocumentTest.h"
#include "document/Document.h"
#include "document/ProgramValues.h"
#include "shape/CameraFile.h"
#include "shape/Outline.h"
#include "shape/ShapeFile.h"
#include "shape/TransferFile.h"
#include "support/AnsweringChooser.h"
#include "support/TestSupport.h"

namespace tavrel::test {
namespace {

// The demo car imported from its game, with files to import made from it.
class HistoryTest : public DemoDocumentTest {
 protected:
  void SetUp() override {
    DemoDocumentTest::SetUp();
    ASSERT_TRUE(document.NewFromExecutable());
    MakeImportFiles();
  }

  Car& TheCar() { return *document.GetCar(); }

  // A helmet, a camera file and a transfer file, each differing from the car's.
  void MakeImportFiles() {
    auto helmet = LoadShapeFile(Game() / "cars" / "demo.ch3", messages, ShapeKind::Helmet);
    helmet->m_Points[3].m_Y += 40;
    ASSERT_TRUE(WritePartFile(dir / "helmet.ch3", *helmet, kPartFileKinds[0], messages));
    auto cameras = CameraFileBytes(TheCar());
    cameras[4] ^= 0x11;
    WriteBytes(dir / "cameras.cam", {cameras.begin(), cameras.end()});
    auto moved = LoadShapeFile(Game() / "cars" / "demo.cs3", messages);
    moved->m_Points[7].m_Z -= 12;
    moved->m_Connections[2].m_To = 3;
    ASSERT_TRUE(ExportCtf(dir / "moved.ctf", *moved, messages));
  }

  ScriptedEditorHost editors;
};

TEST_F(HistoryTest, EachEditorConfirmedIsOneNamedStepThatRelabelsItsItem) {
  Car& car = TheCar();
  Vertex& point = car.m_Points[1];
  const std::array shown{point.m_X, point.m_Y, point.m_Z};
  editors.point = {1, 2, 3};
  document.EditElement(point, editors);
  const PointValues& opened = editors.pointsShown.at(0);
  EXPECT_EQ((std::array{opened.x, opened.y, opened.z}), shown);
  EXPECT_EQ((std::array{point.m_X, point.m_Y, point.m_Z}), (std::array{1, 2, 3}));
  EXPECT_EQ(point.m_TreeItem->text, *ItemLabel(point));
  EXPECT_EQ(document.UndoName(), "Point Edit");

  Point3D& connection = car.m_Connections[0];
  const std::array ends{connection.m_From, connection.m_To, connection.m_U1};
  editors.point = {4, 2, 9};
  document.EditElement(connection, editors);
  const PointValues& connectionShown = editors.pointsShown.at(1);
  EXPECT_EQ((std::array{connectionShown.x, connectionShown.y, connectionShown.z}), ends);
  EXPECT_EQ(connection.m_TreeItem->text, "v[1] 4-> 2  (U1=9 U2=" + std::to_string(connection.m_U2) + ")");
  EXPECT_EQ(document.UndoName(), "Connection Edit");

  Camera& camera = car.m_Cameras[0];
  editors.camera = camera.Fields();
  editors.camera.x = 70000;
  document.EditElement(camera, editors);
  EXPECT_EQ(camera.m_Record.X, 4464);  // the low 16 bits
  EXPECT_EQ(camera.m_TreeItem->text, *ItemLabel(camera));
  EXPECT_EQ(document.UndoName(), "Camera Edit");

  DatVal& value = car.m_DataValues[0];
  const std::string line = value.m_TreeItem->text;
  editors.dataValue = 65535;
  document.EditElement(value, editors);
  EXPECT_EQ(value.m_Value, 65535);
  EXPECT_EQ(value.m_TreeItem->text, line) << "a data value's item shows a line of eight";
  EXPECT_EQ(document.UndoName(), "Data Value Edit");

  // Cancelled, or confirmed unchanged: no step.
  editors.confirm = false;
  document.EditElement(point, editors);
  editors.confirm = true;
  editors.dataValue = 65535;
  document.EditElement(value, editors);
  document.Undo();
  EXPECT_EQ(document.UndoName(), "Camera Edit");
}

TEST_F(HistoryTest, UndoPutsBackValuesAndLabelSelectsTheElementAndRedrawsOnce) {
  Vertex& point = TheCar().m_Points[5];
  const std::array before{point.m_X, point.m_Y, point.m_Z};
  editors.point = {11, 22, 33};
  document.EditElement(point, editors);
  TheCar().ClearSelection();
  int redraws = 0;
  int edits = 0;
  auto redraw = document.RedrawWanted().Connect([&] { ++redraws; });
  auto edited = document.ElementEdited().Connect([&](Observer& element) {
    ++edits;
    EXPECT_EQ(&element, &point);
  });
  document.Undo();
  EXPECT_EQ((std::array{point.m_X, point.m_Y, point.m_Z}), before);
  EXPECT_EQ(point.m_TreeItem->text, *ItemLabel(point));
  EXPECT_EQ(TheCar().m_SelectedPoint, &point);
  EXPECT_EQ(document.RedoName(), "Point Edit");
  EXPECT_FALSE(document.CanUndo());
  document.Redo();
  EXPECT_EQ(point.m_X, 11);
  EXPECT_EQ(redraws, 2);
  EXPECT_EQ(edits, 2);
}

// A modeller's file of the car's points comes back as one step; a refused file makes none.
TEST_F(HistoryTest, WaveFrontPointsImportIsOneStepAndARefusedFileNone) {
  ASSERT_TRUE(document.NewFromExecutable());
  const auto start = CarBytes(TheCar());
  chooser.answers = {dir / "car.obj"};
  document.ExportObj();
  std::string text;
  for (const std::uint8_t byte : ReadBytes(dir / "car.obj")) text += static_cast<char>(byte);
  text.replace(0, text.find('\n'), "v 12.6 -7 3");  // point 0 moved
  WriteBytes(dir / "edited.obj", std::vector<std::uint8_t>(text.begin(), text.end()));

  chooser.answers = {dir / "edited.obj"};
  document.ImportObjPoints();
  const Vertex& point = TheCar().m_Points[0];
  EXPECT_EQ((std::array{point.m_X, point.m_Y, point.m_Z}), (std::array{13, -7, 3}));
  EXPECT_EQ(point.m_TreeItem->text, *ItemLabel(point));
  EXPECT_EQ(document.UndoName(), "WaveFront Points Import");
  document.Undo();
  EXPECT_EQ(CarBytes(TheCar()), start);
  EXPECT_FALSE(document.CanUndo());

  WriteBytes(dir / "short.obj", {'v', ' ', '1', ' ', '2', ' ', '3', '\n'});
  chooser.answers = {dir / "short.obj"};
  document.ImportObjPoints();
  EXPECT_FALSE(document.CanUndo());
  EXPECT_EQ(CarBytes(TheCar()), start);
  ASSERT_EQ(messages.texts().size(), 1u);
  EXPECT_NE(messages.texts()[0].find("has 1 vertices, but the shape has 365 points"), std::string::npos)
      << messages.texts()[0];
}

// A view dragging a point shows it moved without a step, and the drop makes one;
// a drag that ends where it began, or is put back, makes none.
TEST_F(HistoryTest, ADraggedPointIsOneStepWhenDroppedAndNoneWhenPutBack) {
  const auto start = CarBytes(TheCar());
  Vertex& point = TheCar().m_Points[5];
  const PointValues from{point.m_X, point.m_Y, point.m_Z};
  int redraws = 0;
  const auto counting = document.RedrawWanted().Connect([&] { ++redraws; });

  document.ShowPointAt(point, {from.x + 5, from.y, from.z});
  document.ShowPointAt(point, {from.x + 9, from.y - 3, from.z});
  EXPECT_EQ(redraws, 2);
  EXPECT_FALSE(document.CanUndo());
  document.MovePoint(point, from);
  EXPECT_EQ((std::array{point.m_X, point.m_Y, point.m_Z}), (std::array{from.x + 9, from.y - 3, from.z}));
  EXPECT_EQ(point.m_TreeItem->text, *ItemLabel(point));
  EXPECT_EQ(document.UndoName(), "Move Point");
  EXPECT_TRUE(document.IsModified());
  document.Undo();
  EXPECT_EQ(CarBytes(TheCar()), start);
  EXPECT_EQ(point.m_TreeItem->text, *ItemLabel(point));

  document.ShowPointAt(point, {from.x + 1, from.y, from.z});
  document.ShowPointAt(point, from);
  document.MovePoint(point, from);
  EXPECT_EQ(document.UndoName(), "");
  EXPECT_FALSE(document.IsModified());

  // A tyre's point is a step of the part.
  Vertex& tyrePoint = TheCar().m_Wheel->m_Points[2];
  const PointValues tyreFrom{tyrePoint.m_X, tyrePoint.m_Y, tyrePoint.m_Z};
  document.ShowPointAt(tyrePoint, {tyreFrom.x, tyreFrom.y, tyreFrom.z + 40});
  document.MovePoint(tyrePoint, tyreFrom);
  EXPECT_EQ(document.UndoName(), "Move Point");
  document.Undo();
  EXPECT_EQ(CarBytes(TheCar()), start);
}

// Whatever the steps, undoing them all gives back the car's bytes before them
// (image, parts, cameras), and redoing them all the bytes after them.
TEST_F(HistoryTest, UndoingEveryStepGivesTheBytesBackExactly) {
  std::mt19937 random(16);
  const auto below = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
  const std::vector<std::function<void()>> kinds = {
      [&] {
        Car* shape = below(2) == 0 ? &TheCar() : kPartFileKinds[std::size_t(below(4))].PartOf(TheCar());
        editors.point = {below(2000) - 1000, below(2000) - 1000, below(2000) - 1000};
        document.EditElement(shape->m_Points[std::size_t(below(shape->m_PointCount))], editors);
      },
      [&] {
        editors.point = {below(300), below(300), below(9)};
        document.EditElement(TheCar().m_Connections[std::size_t(below(TheCar().m_ConnectionCount))], editors);
      },
      [&] {
        editors.camera = {below(500), below(500), below(500), below(360), below(90), below(90), 1, 2, 0, 256};
        document.EditElement(TheCar().m_Cameras[std::size_t(below(9))], editors);
      },
      [&] {
        editors.dataValue = below(65536);
        document.EditElement(TheCar().m_DataValues[std::size_t(below(TheCar().m_DataValueCount))], editors);
      },
      [&] {
        chooser.answers = {dir / "helmet.ch3"};
        document.ImportPart(kPartFileKinds[0]);
      },
      [&] {
        chooser.answers = {dir / "cameras.cam"};
        document.ImportCameras();
      },
      [&] {
        chooser.answers = {dir / "moved.ctf"};
        document.ImportCtf();
      },
  };
  for (int run = 0; run < 4; ++run) {
    ASSERT_TRUE(document.NewFromExecutable());
    EXPECT_FALSE(document.CanUndo()) << "a new car starts a new history";
    const auto start = CarBytes(TheCar());
    int steps = 0;
    for (int i = 0; i < 40; ++i) {
      kinds[std::size_t(below(int(kinds.size())))]();
      if (below(5) == 0 && document.CanUndo()) document.Undo();  // and the steps undone are then replaced
    }
    const auto end = CarBytes(TheCar());
    while (document.CanUndo()) {
      document.Undo();
      ++steps;
    }
    EXPECT_EQ(CarBytes(TheCar()), start) << "run " << run;
    EXPECT_FALSE(document.IsModified());
    for (int i = 0; i < steps; ++i) document.Redo();
    EXPECT_EQ(CarBytes(TheCar()), end) << "run " << run;
    EXPECT_FALSE(document.CanRedo());
  }
  EXPECT_TRUE(messages.texts().empty()) << testing::PrintToString(messages.texts());
}

TEST_F(HistoryTest, ModifiedFollowsTheSavePointThroughUndoAndRedo) {
  int changes = 0;
  auto state = document.StateChanged().Connect([&] { ++changes; });
  EXPECT_FALSE(document.IsModified());
  editors.point = {1, 1, 1};
  document.EditElement(TheCar().m_Points[0], editors);
  EXPECT_TRUE(document.IsModified());
  chooser.answers = {dir / "saved.cs3"};
  ASSERT_TRUE(document.Save());
  EXPECT_FALSE(document.IsModified());
  document.Undo();
  EXPECT_TRUE(document.IsModified()) << "undone away from the saved state";
  document.Redo();
  EXPECT_FALSE(document.IsModified()) << "redone back to it";
  document.Undo();
  editors.point = {2, 2, 2};
  document.EditElement(TheCar().m_Points[0], editors);
  document.Undo();
  EXPECT_TRUE(document.IsModified()) << "the saved state was replaced: no undo reaches it";
  EXPECT_EQ(changes, 7);
}

// A car file holds no parts: saving it leaves changed parts unsaved, and says so.
TEST_F(HistoryTest, SavingTheCarFileLeavesChangedPartsModified) {
  editors.point = {5, 5, 5};
  document.EditElement(TheCar().m_Helmet->m_Points[0], editors);
  chooser.answers = {dir / "saved.cs3"};
  ASSERT_TRUE(document.Save());
  EXPECT_TRUE(document.IsModified());
  ASSERT_EQ(messages.texts().size(), 1u);
  EXPECT_EQ(messages.texts()[0].rfind("The car is saved in saved.cs3, but the changes to its parts are not", 0), 0u);
  document.Undo();
  EXPECT_FALSE(document.IsModified()) << "back as it was imported";
  editors.point = {6, 6, 6};
  document.EditElement(TheCar().m_Points[0], editors);
  ASSERT_TRUE(document.Save());
  EXPECT_FALSE(document.IsModified()) << "only the car changed since";
}

}  // namespace
}  // namespace tavrel::test
