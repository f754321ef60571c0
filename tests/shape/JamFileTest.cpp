#include "shape/JamFile.h"

#include <gtest/gtest.h>

#include "base/Format.h"
#include "demo/JamWriter.h"
#include "shape/JamOutline.h"
#include "shape/Outline.h"
#include "support/EveryFieldJamItem.h"
#include "support/TestSupport.h"
#include "textures/CarMappingTable.h"

namespace tavrel {
namespace {

using test::RecordingMessages;

class RecordingDocument : public JamSelection {
 public:
  void SelectJam(std::shared_ptr<JAM> jam) override { selected = std::move(jam); }
  std::shared_ptr<JAM> selected;
};

std::vector<std::string> ChildTexts(OutlineNode& node) {
  std::vector<std::string> texts;
  for (const auto& child : node.Children()) texts.push_back(child->text);
  return texts;
}

// Writes `recipe` as the texture file of slot j in the game folder `game`.
void WriteCarJam(const ScratchFolder& game, int j, const JamRecipe& recipe) {
  const std::filesystem::path path = game.path() / std::string(kCarJamPaths[static_cast<std::size_t>(j)]);
  std::filesystem::create_directories(path.parent_path());
  test::WriteBytes(path, BuildJamFile(recipe));
}

std::shared_ptr<JAM> LoadedJam(const ScratchFolder& dir, const JamRecipe& recipe) {
  test::WriteBytes(dir / "file.jam", BuildJamFile(recipe));
  auto jam = std::make_shared<JAM>(dir / "file.jam");
  RecordingMessages messages;
  EXPECT_TRUE(jam->Load(true, messages));
  return jam;
}

TEST(JamOutline, ListsItemsFieldsAndTablesOnDemand) {
  JamRecipe recipe;
  recipe.totalImageSize = 4321;
  recipe.items = {test::EveryFieldItem(), PatternItem(0, 0, 1, 1, 0, 2)};
  recipe.canvas = PatternCanvas(310);
  ScratchFolder dir;
  OutlineNode fileItem("file", 9);
  AddJamOutline(fileItem, LoadedJam(dir, recipe));

  EXPECT_EQ(ChildTexts(fileItem), (std::vector<std::string>{"Num Jam Items:2", "Total Image Size:4321"}));
  OutlineNode& count = fileItem.Child(0);
  EXPECT_EQ(ChildTexts(count), (std::vector<std::string>{"JamId:777  (10 300 4 2)", "JamId:2  (0 0 1 1)"}));
  OutlineNode& line = count.Child(0);
  EXPECT_EQ(ChildTexts(line),
            (std::vector<std::string>{"X:10",         "Y:300",       "Width:4",       "Height:2",      "IDX_08:-300",
                                      "IDX_0A:43981", "IDX_0E:3599", "IDX_14:5141",   "IDX_16:22",     "IDX_17:200",
                                      "IDX_18[0]:0",  "IDX_18[1]:1", "IDX_18[2]:2",   "IDX_18[3]:3",   "IDX_18[4]:4",
                                      "IDX_18[5]:5",  "IDX_18[6]:6", "IDX_18[7]:255", "PaletteSize:3", "PalettePtr:261",
                                      "Palette1:3",   "Palette2:3",  "Palette3:3",    "Palette4:3"}));

  // The table lines exist only once their item is expanded.
  OutlineNode& palette1 = line.Child(20);
  EXPECT_TRUE(palette1.HasChildren());
  EXPECT_EQ(palette1.MadeChildren().size(), 0u);
  EXPECT_EQ(ChildTexts(palette1),
            (std::vector<std::string>{"[0] Val:0 (63 103 103)", "[1] Val:255 (255 255 255)", "[2] Val:48 (60 9 4)"}));
  EXPECT_EQ(ChildTexts(line.Child(23)), (std::vector<std::string>{"[0] Val:7", "[1] Val:8", "[2] Val:9"}));
  EXPECT_EQ(line.Child(21).MadeChildren().size(), 0u);

  // Every item of the outline has image 30.
  std::function<void(OutlineNode&)> checkImages = [&](OutlineNode& node) {
    EXPECT_EQ(node.image, 30) << node.text;
    EXPECT_EQ(node.element, nullptr);
    for (const auto& child : node.Children()) checkImages(*child);
  };
  for (const auto& child : fileItem.Children()) checkImages(*child);
}

TEST(JamOutline, TableLinesKeepTheirJamAlive) {
  JamRecipe recipe;
  recipe.items = {PatternItem(0, 0, 2, 2, 2, 1)};
  recipe.canvas = PatternCanvas(2);
  ScratchFolder dir;
  OutlineNode fileItem("file", 9);
  std::weak_ptr<JAM> watch;
  {
    auto jam = LoadedJam(dir, recipe);
    watch = jam;
    AddJamOutline(fileItem, jam);
  }
  EXPECT_FALSE(watch.expired());
  EXPECT_EQ(ChildTexts(fileItem.Child(0).Child(0).Child(21)), (std::vector<std::string>{"[0] Val:1", "[1] Val:2"}));
}

TEST(JamOutline, EmptyAndZeroSizedTables) {
  ScratchFolder dir;
  JamRecipe empty;
  empty.totalImageSize = 12;
  OutlineNode emptyItem("file", 9);
  AddJamOutline(emptyItem, LoadedJam(dir, empty));
  EXPECT_EQ(ChildTexts(emptyItem), (std::vector<std::string>{"Num Jam Items:0", "Total Image Size:12"}));
  EXPECT_FALSE(emptyItem.Child(0).HasChildren());

  JamRecipe noTables;
  noTables.items = {PatternItem(0, 0, 2, 2, 0, 5)};
  noTables.canvas = PatternCanvas(2);
  OutlineNode fileItem("file", 9);
  AddJamOutline(fileItem, LoadedJam(dir, noTables));
  OutlineNode& line = fileItem.Child(0).Child(0);
  ASSERT_EQ(line.ChildCount(), 24u);
  for (std::size_t table = 20; table < 24; ++table) {
    EXPECT_EQ(line.Child(table).text, format("Palette%zu:0", table - 19));
    EXPECT_FALSE(line.Child(table).HasChildren());
  }
}

TEST(JamOutline, UnloadedJamListsItselfAsSuch) {
  ScratchFolder dir;
  auto jam = std::make_shared<JAM>(dir / "missing.jam");
  RecordingMessages messages;
  jam->Load(false, messages);
  OutlineNode fileItem("file", 9);
  AddJamOutline(fileItem, jam);
  ASSERT_EQ(fileItem.ChildCount(), 1u);
  EXPECT_EQ(fileItem.Child(0).text, "Currently Unloaded");
  EXPECT_EQ(fileItem.Child(0).image, 31);
  EXPECT_FALSE(fileItem.Child(0).HasChildren());
}

TEST(CarJams, MissingFilesAreReportedInSlotOrderAndListedAsUnloaded) {
  ScratchFolder game;
  Car car;
  RecordingDocument document;
  RecordingMessages messages;
  OutlineNode top("All Cars", 0);
  const CarJamSource source{&document, game.path().string(), kDefaultJamSeed, messages};
  ListCar(top, car, CarMappingTable{}, &source);

  std::vector<std::string> expected;
  for (std::string_view path : kCarJamPaths)
    expected.push_back(
        format("Failed to load JAM File (%s)", (game.path().string() + "/" + std::string(path)).c_str()));
  EXPECT_EQ(messages.texts(), expected);

  OutlineNode& carItem = top.Child(0);
  ASSERT_EQ(carItem.ChildCount(), 6u);
  OutlineNode& group = carItem.Child(5);
  EXPECT_EQ(group.text, "Car Jams");
  EXPECT_EQ(group.image, 9);
  EXPECT_EQ(group.element, nullptr);
  ASSERT_EQ(group.ChildCount(), 12u);
  for (std::size_t j = 0; j < 12; ++j) {
    OutlineNode& item = group.Child(j);
    JamFile& slot = car.m_CarJams[j];
    EXPECT_EQ(item.text, kCarJamPaths[j]);
    EXPECT_EQ(slot.m_Path, kCarJamPaths[j]);
    EXPECT_EQ(item.image, 9);
    EXPECT_EQ(item.element, &slot);
    EXPECT_EQ(slot.m_TreeItem, &item);
    EXPECT_EQ(slot.m_Kind, 7);
    EXPECT_EQ(slot.m_Document, &document);
    ASSERT_NE(slot.m_Jam, nullptr);
    EXPECT_FALSE(slot.m_Jam->IsLoaded());
    EXPECT_EQ(ChildTexts(item), std::vector<std::string>{"Currently Unloaded"});
  }
  for (std::size_t j = 12; j < kCarJamSlots; ++j) {
    EXPECT_TRUE(car.m_CarJams[j].m_Path.empty());
    EXPECT_EQ(car.m_CarJams[j].m_Jam, nullptr);
    EXPECT_EQ(car.m_CarJams[j].m_TreeItem, nullptr);
  }
}

TEST(CarJams, PartsGetNoTextureFiles) {
  ScratchFolder game;
  Car car;
  car.m_Helmet = std::make_unique<Car>();
  RecordingMessages messages;
  OutlineNode top("All Cars", 0);
  const CarJamSource source{nullptr, game.path().string(), kDefaultJamSeed, messages};
  ListCar(top, car, CarMappingTable{}, &source);
  ASSERT_EQ(top.ChildCount(), 2u);
  EXPECT_EQ(top.Child(1).ChildCount(), 5u);
  EXPECT_EQ(car.m_Helmet->m_CarJams[0].m_Jam, nullptr);
}

TEST(CarJams, LoadedFilesListTheirOutline) {
  ScratchFolder game;
  JamRecipe recipe;
  recipe.totalImageSize = 99;
  recipe.items = {PatternItem(0, 0, 4, 4, 16, 3), PatternItem(4, 0, 4, 4, 16, 4)};
  recipe.canvas = PatternCanvas(4);
  WriteCarJam(game, 11, recipe);
  Car car;
  RecordingMessages messages;
  OutlineNode carItem("Car:x", 0);
  ListCarJams(carItem, car, {nullptr, game.path().string(), kDefaultJamSeed, messages});
  EXPECT_EQ(messages.shown.size(), 11u);
  OutlineNode& chassis = carItem.Child(0).Child(11);
  EXPECT_EQ(chassis.text, "zavjams/Main/Chassis3.jam");
  EXPECT_EQ(ChildTexts(chassis), (std::vector<std::string>{"Num Jam Items:2", "Total Image Size:99"}));
  // Listing read the header only: the items are read when first shown.
  const std::shared_ptr<JAM>& jam = car.m_CarJams[11].m_Jam;
  EXPECT_TRUE(jam->IsOpen());
  EXPECT_FALSE(jam->IsLoaded());
  EXPECT_EQ(ChildTexts(chassis.Child(0)), (std::vector<std::string>{"JamId:3  (0 0 4 4)", "JamId:4  (4 0 4 4)"}));
  EXPECT_TRUE(jam->IsLoaded());
}

// Opening checks the file as loading it does, with the same messages, reading only its header.
TEST(CarJams, OpeningAFileRefusesWhatLoadingItRefuses) {
  ScratchFolder dir;
  JamRecipe recipe;
  recipe.items = {PatternItem(0, 0, 4, 4, 16, 3), PatternItem(4, 0, 4, 4, 16, 4)};
  recipe.canvas = PatternCanvas(4);
  std::vector<std::uint8_t> whole = BuildJamFile(recipe);
  const std::vector<std::vector<std::uint8_t>> files = {
      whole,
      {whole.begin(), whole.begin() + 4 + 32 + 31},  // the second record cut short
      {whole.begin(), whole.begin() + 3},
      {},
  };
  for (std::size_t f = 0; f < files.size(); ++f) {
    test::WriteBytes(dir / "file.jam", files[f]);
    JAM opened(dir / "file.jam");
    JAM loaded(dir / "file.jam");
    RecordingMessages openMessages;
    RecordingMessages loadMessages;
    EXPECT_EQ(opened.Open(true, openMessages), loaded.Load(true, loadMessages)) << f;
    EXPECT_EQ(openMessages.texts(), loadMessages.texts()) << f;
    EXPECT_EQ(opened.ItemCount(), loaded.ItemCount()) << f;
    EXPECT_EQ(opened.IsOpen(), loaded.IsOpen()) << f;
  }
  RecordingMessages messages;
  JAM missing(dir / "missing.jam");
  EXPECT_FALSE(missing.Open(true, messages));
  EXPECT_EQ(messages.texts(),
            std::vector<std::string>{"Failed to load JAM File (" + (dir / "missing.jam").string() + ")"});
}

TEST(CarJams, SelectingAFileSetsTheDocumentsJamOnly) {
  ScratchFolder game;
  Car car;
  car.m_Points.resize(1);
  car.m_PointCount = 1;
  car.m_SelectedPoint = &car.m_Points[0];
  car.m_SelectedCamera = &car.m_Cameras[4];
  RecordingDocument document;
  RecordingMessages messages;
  const CarJamSource source{&document, game.path().string(), kDefaultJamSeed, messages};
  FillCarJam(car, 3, source);
  FillCarJam(car, 5, source);

  JamFile& file = car.m_CarJams[5];
  file.Select();
  EXPECT_EQ(document.selected, nullptr);
  file.SelectForDocument();
  EXPECT_EQ(document.selected, file.m_Jam);
  EXPECT_EQ(car.m_SelectedPoint, &car.m_Points[0]);
  EXPECT_EQ(car.m_SelectedCamera, &car.m_Cameras[4]);

  // Slots outside the twelve files are left alone.
  FillCarJam(car, 12, source);
  FillCarJam(car, -1, source);
  EXPECT_EQ(car.m_CarJams[12].m_Jam, nullptr);
  EXPECT_EQ(messages.shown.size(), 2u);
}

TEST(CarJams, ListingAgainReleasesTheEarlierJams) {
  ScratchFolder game;
  JamRecipe recipe;
  recipe.items = {PatternItem(0, 0, 2, 2, 2, 1)};
  recipe.canvas = PatternCanvas(2);
  for (int j = 0; j < 12; ++j) WriteCarJam(game, j, recipe);
  Car car;
  RecordingDocument document;
  RecordingMessages messages;
  const CarJamSource source{&document, game.path().string(), kDefaultJamSeed, messages};
  OutlineNode top("All Cars", 0);

  ListCar(top, car, CarMappingTable{}, &source);
  std::weak_ptr<JAM> released = car.m_CarJams[0].m_Jam;
  car.m_CarJams[1].SelectForDocument();  // the JAM view still shows it
  const std::shared_ptr<JAM> shown = document.selected;

  top.Remove(*car.m_RootItem);
  ListCar(top, car, CarMappingTable{}, &source);
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_TRUE(released.expired());
  EXPECT_NE(car.m_CarJams[1].m_Jam, shown);
  EXPECT_TRUE(shown->EnsureLoaded());
  EXPECT_EQ(shown->GetJamId(0), 1);
  EXPECT_EQ(top.ChildCount(), 1u);
  EXPECT_EQ(car.m_CarJams[1].m_TreeItem, &top.Child(0).Child(5).Child(1));
}

TEST(CarJams, TheLiveriesAreTheCarJamsButTheChassisInTheirOrder) {
  EXPECT_EQ(LiveryNames(), (std::vector<std::string>{"Arrows98.jam", "Ferrar98.jam", "Prost98.jam", "Stewar98.jam",
                                                     "Tyrrel98.jam", "Benett98.jam", "Willia98.jam", "Jordan98.jam",
                                                     "Mclare98.jam", "Sauber98.jam", "Minard98.jam"}));
}

}  // namespace
}  // namespace tavrel
