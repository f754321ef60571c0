// The car tree's item model without a view: it shows the documents' outlines
// exactly, makes a colour table's rows only when they are fetched, and follows
// the documents through listing, a part's relisting and removal.

#include <QAbstractItemModelTester>
#include <QPersistentModelIndex>
#include <QSignalSpy>

#include "AppFixture.h"
#include "app/CarTreeModel.h"
#include "base/Settings.h"
#include "document/Document.h"
#include "document/ProgramValues.h"
#include "shape/PartFile.h"

namespace tavrel::test {
namespace {

class CarTreeModelTest : public AppFixture {
 protected:
  // A document on `game`, registered with the model before it has a car.
  Document& AddDocument(const std::filesystem::path& game) {
    program.OverrideGameLocation(game.string());
    program.OverridePatchLevel(0);
    program.m_TextureCfgFolder = game;
    auto& document = *documents.emplace_back(std::make_unique<Document>(program, messages, chooser));
    document.SetUntitledName("doc");
    model.AddDocument(document);
    return document;
  }

  // A game without JAM files: its texture files list as "Currently Unloaded",
  // so every item of the outline is made at once.
  std::filesystem::path GameWithoutJams() {
    std::filesystem::path game = dir / "nojams";
    std::filesystem::create_directories(game);
    std::filesystem::copy_file(DemoGame() / "zav.exe", game / "zav.exe");
    return game;
  }

  QModelIndex TopRow(int row) { return model.index(row, 0, model.AllCarsIndex()); }

  MemorySettings memory;
  ProgramValues program{memory};
  CarTreeModel model;
  std::vector<std::unique_ptr<Document>> documents;
};

// The model's subtree at `index` against the outline node: labels, pictures,
// row counts and parents, without making any node's children.
void ExpectSameTree(const CarTreeModel& model, const QModelIndex& index, const OutlineNode& node) {
  ASSERT_EQ(model.NodeOf(index), &node);
  const std::string shown = index.data().toString().toStdString();
  // A "Car:" item carries its document's name.
  if (model.parent(index) == model.AllCarsIndex())
    EXPECT_EQ(shown, node.text + " (doc)");
  else
    EXPECT_EQ(shown, node.text);
  const bool pictured = node.image >= 0 && node.image < CarTreeModel::kImageCount;
  EXPECT_EQ(index.data(Qt::DecorationRole).isValid(), pictured) << node.text << " image " << node.image;
  EXPECT_EQ(model.hasChildren(index), node.HasChildren()) << node.text;
  ASSERT_EQ(model.rowCount(index), int(node.MadeChildren().size())) << node.text;
  for (int row = 0; row < model.rowCount(index); ++row) {
    const QModelIndex child = model.index(row, 0, index);
    ASSERT_EQ(model.parent(child), index) << node.text << " row " << row;
    ExpectSameTree(model, child, *node.MadeChildren()[std::size_t(row)]);
  }
}

// The first item line of the first texture file's JAM: its four colour tables
// are the last four children.
// The item under the first JAM file's item that counts its items.
OutlineNode& FirstJamItemCount(Document& document) {
  const OutlineNode& carItem = *document.GetCar()->m_RootItem;
  const OutlineNode& jams = *carItem.MadeChildren().back();
  EXPECT_EQ(jams.text, "Car Jams");
  return *jams.MadeChildren().front()->MadeChildren().front();
}

TEST_F(CarTreeModelTest, RowsLabelsAndPicturesAreTheOutlines) {
  EXPECT_EQ(model.rowCount(), 1);
  EXPECT_EQ(model.AllCarsIndex().data().toString(), "All Cars");
  EXPECT_TRUE(model.AllCarsIndex().data(Qt::DecorationRole).isValid());
  Document& document = AddDocument(DemoGame());
  EXPECT_EQ(model.rowCount(model.AllCarsIndex()), 0) << "no car yet";

  ASSERT_TRUE(document.NewFromExecutable());
  const OutlineNode& outline = *document.Outline();
  ASSERT_EQ(model.rowCount(model.AllCarsIndex()), 5);
  for (int row = 0; row < 5; ++row) {
    EXPECT_EQ(model.parent(TopRow(row)), model.AllCarsIndex());
    ExpectSameTree(model, TopRow(row), *outline.MadeChildren()[std::size_t(row)]);
  }
  EXPECT_EQ(TopRow(1).data().toString(),
            "Car:" + QString::fromStdString(document.GetCar()->m_Helmet->GetName()) + " (doc)");
  EXPECT_EQ(model.IndexOf(*document.GetCar()->m_Points[2].m_TreeItem), model.index(2, 0, model.index(0, 0, TopRow(0))));
}

// A JAM's item lines, an item's fields and a colour table's rows are each made
// only when the model fetches them: walking the model makes none.
TEST_F(CarTreeModelTest, AJamsRowsAreMadeOnlyWhenFetchedLevelByLevel) {
  Document& document = AddDocument(DemoGame());
  ASSERT_TRUE(document.NewFromExecutable());
  ExpectSameTree(model, TopRow(0), *document.Outline()->MadeChildren().front());

  const auto fetch = [&](OutlineNode& node, int rows) {
    const QModelIndex index = model.IndexOf(node);
    EXPECT_TRUE(node.MadeChildren().empty()) << node.text << ": walking the model made no row";
    EXPECT_TRUE(model.hasChildren(index));
    EXPECT_EQ(model.rowCount(index), 0);
    ASSERT_TRUE(model.canFetchMore(index));
    QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
    model.fetchMore(index);
    ASSERT_EQ(inserted.size(), 1);
    EXPECT_EQ(inserted[0][0].toModelIndex(), index);
    EXPECT_EQ(inserted[0][1].toInt(), 0);
    EXPECT_EQ(inserted[0][2].toInt(), rows - 1);
    EXPECT_FALSE(model.canFetchMore(index));
    ExpectSameTree(model, index, node);
  };
  OutlineNode& count = FirstJamItemCount(document);
  const int items = document.GetCar()->m_CarJams[0].m_Jam->ItemCount();
  ASSERT_GT(items, 0);
  fetch(count, items);
  OutlineNode& line = *count.MadeChildren().front();
  fetch(line, 24);
  OutlineNode& table = *line.MadeChildren().back();
  EXPECT_EQ(table.text, "Palette4:256");
  fetch(table, 256);
  const QModelIndex index = model.IndexOf(table);
  EXPECT_EQ(model.index(3, 0, index).data().toString(), table.MadeChildren()[3]->text.c_str());
  EXPECT_FALSE(model.index(3, 0, index).data(Qt::DecorationRole).isValid()) << "JAM lines have no picture";
}

TEST_F(CarTreeModelTest, FollowsTheDocumentsThroughListingRelistingAndRemoval) {
  QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
  const std::filesystem::path game = GameWithoutJams();
  Document& first = AddDocument(game);
  Document& second = AddDocument(game);
  ASSERT_TRUE(first.NewFromExecutable());
  ASSERT_TRUE(second.NewFromExecutable());
  ASSERT_EQ(model.rowCount(model.AllCarsIndex()), 10);
  for (int row = 0; row < 10; ++row)
    EXPECT_EQ(model.NodeOf(TopRow(row)),
              (row < 5 ? first : second).Outline()->MadeChildren()[std::size_t(row % 5)].get());

  // An edited element's item tells the views.
  QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
  Vertex& point = first.GetCar()->m_Points[1];
  ScriptedEditorHost editors;
  editors.point = {1, 2, 3};
  first.EditElement(point, editors);
  ASSERT_EQ(changed.size(), 1);
  EXPECT_EQ(changed[0][0].toModelIndex(), model.IndexOf(*point.m_TreeItem));

  // A part import of the second document: its helmet row comes anew, every other row stays.
  const PartFileKind& helmet = kPartFileKinds[0];
  chooser.answers = {dir / "helmet.ch3"};
  second.ExportPart(helmet);
  std::vector<QPersistentModelIndex> rows;
  for (int row = 0; row < 10; ++row) rows.emplace_back(TopRow(row));
  const QPersistentModelIndex carPoint = model.IndexOf(*second.GetCar()->m_Points[0].m_TreeItem);
  chooser.answers = {dir / "helmet.ch3"};
  second.ImportPart(helmet);
  ASSERT_EQ(model.rowCount(model.AllCarsIndex()), 10);
  for (int row = 0; row < 10; ++row) EXPECT_EQ(rows[std::size_t(row)].isValid(), row != 6) << row;
  EXPECT_EQ(model.NodeOf(TopRow(6)), second.GetCar()->m_Helmet->m_RootItem);
  EXPECT_EQ(model.NodeOf(carPoint), second.GetCar()->m_Points[0].m_TreeItem);

  // Removing the first document takes exactly its five rows.
  model.RemoveDocument(first);
  ASSERT_EQ(model.rowCount(model.AllCarsIndex()), 5);
  for (int row = 0; row < 5; ++row)
    EXPECT_EQ(model.NodeOf(TopRow(row)), second.Outline()->MadeChildren()[std::size_t(row)].get());
  editors.point = {4, 5, 6};
  first.EditElement(point, editors);
  EXPECT_EQ(changed.size(), 1) << "a removed document is no longer heard";

  second.Clear();
  EXPECT_EQ(model.rowCount(model.AllCarsIndex()), 0);
}

}  // namespace
}  // namespace tavrel::test
