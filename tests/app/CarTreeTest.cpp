// The car tree panel in the program: items come and go with the documents, a
// click or an arrow key selects the element of its item, a double-click opens
// the element's editor, and a part import relists only that part.

#include <QCursor>
#include <QDockWidget>
#include <QMdiArea>
#include <QPersistentModelIndex>
#include <QTest>
#include <QTreeView>

#include "AppFixture.h"
#include "ModalDialog.h"
#include "app/CarTree.h"
#include "app/CarTreeModel.h"
#include "app/CommandTable.h"
#include "app/MainWindow.h"
#include "document/Document.h"
#include "shape/Outline.h"
#include "shape/PartFile.h"

namespace tavrel::test {
namespace {

using namespace command;

class CarTreeTest : public AppFixture {
 protected:
  // The program on the demo game with its car imported; redraw requests counted.
  Document& ImportDemo() {
    if (!app) StartOnDemo();
    Trigger(kImportFromExe);
    Document& document = *app->ActiveDocument();
    redraws.push_back(document.RedrawWanted().Connect([this] { ++redrawCount; }));
    return document;
  }

  QTreeView& View() {
    auto* view = app->Window().findChild<QTreeView*>("carTree");
    EXPECT_NE(view, nullptr);
    return *view;
  }
  CarTreeModel& Model() { return app->Window().Tree().Model(); }
  QModelIndex IndexOf(const OutlineNode* node) {
    EXPECT_NE(node, nullptr);
    return node ? Model().IndexOf(*node) : QModelIndex();
  }

  // Where the item starts, scrolled into view: long labels run past the view's edge.
  QPoint Place(const QModelIndex& index) {
    View().scrollTo(index);
    const QRect rect = View().visualRect(index);
    return {rect.left() + 8, rect.center().y()};
  }
  // The pointer goes there too: left over a car view it would pick a point as the view redraws.
  void Click(const QModelIndex& index) {
    const QPoint place = Place(index);
    QCursor::setPos(View().viewport()->mapToGlobal(place));
    QTest::mouseClick(View().viewport(), Qt::LeftButton, {}, place);
    Settle();
  }
  // The view takes a double-click only on the item the button went down on.
  void DoubleClick(const QModelIndex& index) {
    const QPoint place = Place(index);
    QTest::mouseClick(View().viewport(), Qt::LeftButton, {}, place);
    QTest::mouseDClick(View().viewport(), Qt::LeftButton, {}, place);
    Settle();
  }

  int redrawCount = 0;
  std::vector<Signal<>::Connection> redraws;
};

TEST_F(CarTreeTest, TwoDocumentsGiveTenCarItemsAndClosingOneTakesItsFive) {
  StartOnDemo();
  auto* dock = app->Window().findChild<QDockWidget*>("carTreeDock");
  ASSERT_NE(dock, nullptr);
  EXPECT_EQ(dock->windowTitle(), "Cars");
  EXPECT_EQ(app->Window().dockWidgetArea(dock), Qt::LeftDockWidgetArea);
  EXPECT_EQ(dock->allowedAreas(), Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);

  Document& first = ImportDemo();
  Document& second = ImportDemo();
  const QModelIndex allCars = Model().AllCarsIndex();
  ASSERT_EQ(Model().rowCount(allCars), 10);
  EXPECT_TRUE(View().isExpanded(allCars));
  // Each document's items carry its name.
  EXPECT_EQ(Model().index(0, 0, allCars).data().toString(), "Car:Import From Exe (car1)");
  EXPECT_EQ(Model().index(5, 0, allCars).data().toString(),
            "Car:" + QString::fromStdString(second.GetCar()->GetName()) + " (car2)");
  EXPECT_EQ(Model().index(6, 0, allCars).data().toString(), "Car:Helmet (car2)");
  chooser.answers = {dir / "fast.cs3"};
  ASSERT_TRUE(second.SaveAs().has_value());
  EXPECT_EQ(Model().index(6, 0, allCars).data().toString(), "Car:Helmet (fast.cs3)");

  app->Window().MdiArea().setActiveSubWindow(app->Window().MdiArea().subWindowList().front());
  ASSERT_EQ(app->ActiveDocument(), &first);
  Trigger(kClose);
  ASSERT_EQ(app->DocumentCount(), 1u);
  ASSERT_EQ(Model().rowCount(allCars), 5);
  for (int row = 0; row < 5; ++row)
    EXPECT_EQ(Model().NodeOf(Model().index(row, 0, allCars)), second.Outline()->MadeChildren()[std::size_t(row)].get());
}

// Without a width in the settings the tree shows the demo's point labels whole.
TEST_F(CarTreeTest, TheDefaultWidthShowsWholePointLabels) {
  Car& car = *ImportDemo().GetCar();
  QCoreApplication::processEvents();
  for (const Vertex& point : car.m_Points) {
    const QModelIndex index = IndexOf(point.m_TreeItem);
    View().scrollTo(index);
    const int textWidth = View().fontMetrics().horizontalAdvance(index.data().toString());
    const QRect shown = View().visualRect(index);
    EXPECT_LE(shown.left() + View().iconSize().width() + textWidth, View().viewport()->width())
        << index.data().toString().toStdString();
  }
}

TEST_F(CarTreeTest, SelectingACarPointThenAHelmetPoint) {
  Car& car = *ImportDemo().GetCar();
  Car& helmet = *car.m_Helmet;
  car.m_SelectedConnection = &car.m_Connections[0];
  car.m_SelectedCommand = &car.m_Commands[0];
  car.m_SelectedCamera = &car.m_Cameras[2];

  Click(IndexOf(car.m_Points[3].m_TreeItem));
  EXPECT_EQ(car.m_SelectedPoint, &car.m_Points[3]);
  EXPECT_EQ(car.m_SelectedConnection, nullptr);
  EXPECT_EQ(car.m_SelectedCommand, nullptr);
  EXPECT_EQ(car.m_SelectedCamera, &car.m_Cameras[2]) << "a camera's selection stays";
  EXPECT_EQ(redrawCount, 1);

  Click(IndexOf(helmet.m_Points[1].m_TreeItem));
  EXPECT_EQ(helmet.m_SelectedPoint, &helmet.m_Points[1]);
  EXPECT_EQ(car.m_SelectedPoint, &car.m_Points[3]);
  EXPECT_EQ(redrawCount, 2) << "the helmet is drawn in its car's views";

  // Group and "Car:" items are no elements: nothing changes.
  Click(IndexOf(car.m_RootItem));
  Click(IndexOf(car.m_Points[0].m_TreeItem->parent));
  EXPECT_EQ(car.m_SelectedPoint, &car.m_Points[3]);
  EXPECT_EQ(redrawCount, 2);
}

TEST_F(CarTreeTest, ArrowKeysSelectLikeClicks) {
  Car& car = *ImportDemo().GetCar();
  Click(IndexOf(car.m_Points[0].m_TreeItem));
  ASSERT_EQ(car.m_SelectedPoint, &car.m_Points[0]);
  for (int point = 1; point <= 2; ++point) {
    QTest::keyClick(&View(), Qt::Key_Down);
    EXPECT_EQ(car.m_SelectedPoint, &car.m_Points[std::size_t(point)]);
  }
  QTest::keyClick(&View(), Qt::Key_Up);
  EXPECT_EQ(car.m_SelectedPoint, &car.m_Points[1]);
  EXPECT_EQ(redrawCount, 4);
}

TEST_F(CarTreeTest, ATextureFilesItemBecomesTheSelectedJamWithoutARedraw) {
  Document& document = ImportDemo();
  Car& car = *document.GetCar();
  car.m_SelectedPoint = &car.m_Points[0];
  Click(IndexOf(car.m_CarJams[4].m_TreeItem));
  ASSERT_NE(car.m_CarJams[4].m_Jam, nullptr);
  EXPECT_EQ(document.SelectedJam(), car.m_CarJams[4].m_Jam);
  EXPECT_EQ(car.m_SelectedPoint, &car.m_Points[0]);
  EXPECT_EQ(redrawCount, 0);

  // Its item lines, an item's lines and a colour table's rows are made as the
  // view expands each level, and not before.
  const auto expand = [&](OutlineNode& node) {
    EXPECT_TRUE(node.MadeChildren().empty()) << node.text << ": shown but not expanded";
    View().expand(IndexOf(&node));
    Settle();
    EXPECT_FALSE(node.MadeChildren().empty()) << node.text;
    EXPECT_EQ(Model().rowCount(IndexOf(&node)), static_cast<int>(node.MadeChildren().size())) << node.text;
  };
  View().expand(IndexOf(car.m_CarJams[4].m_TreeItem));
  Settle();
  OutlineNode& count = *car.m_CarJams[4].m_TreeItem->MadeChildren().front();
  expand(count);
  OutlineNode& itemLine = *count.MadeChildren().front();
  expand(itemLine);
  OutlineNode& table = *itemLine.MadeChildren().back();
  expand(table);
  EXPECT_EQ(table.MadeChildren().size(), 256u);
}

TEST_F(CarTreeTest, DoubleClickOnAPointEditsItAndRelabelsItsItem) {
  Document& document = ImportDemo();
  Vertex& point = document.GetCar()->m_Points[2];
  const PointValues opened{point.m_X, point.m_Y, point.m_Z};
  const QModelIndex index = IndexOf(point.m_TreeItem);
  const bool shown = AnswerDialog([&] { DoubleClick(index); },
                                  [&](QDialog& dialog) {
                                    EXPECT_EQ(Text(dialog, "edit1000").toInt(), opened.x);
                                    // "View Center" takes the values the dialog opened with.
                                    SetText(dialog, "edit1000", "-11");
                                    test::Click(dialog, "button1024");
                                    EXPECT_TRUE(dialog.isVisible());
                                    SetText(dialog, "edit1001", "22");
                                    SetText(dialog, "edit1002", "33");
                                    test::Click(dialog, kOk);
                                  });
  ASSERT_TRUE(shown);
  EXPECT_EQ(std::vector<int>({point.m_X, point.m_Y, point.m_Z}), std::vector<int>({-11, 22, 33}));
  const Point3D& centre = document.GetCar()->m_ViewCenter;
  EXPECT_EQ(std::vector<int>({centre.m_From, centre.m_To, centre.m_U1}),
            std::vector<int>({opened.x, opened.y, opened.z}));
  // Relabelled in the form it was listed in.
  EXPECT_EQ(index.data().toString().toStdString(), "p[2] -11 22 33 (U1=" + std::to_string(point.m_U1) + ")");
  EXPECT_GE(redrawCount, 2) << "after View Center and after the edit";
}

// A camera relabels its item as it was listed; a data-value line carries
// its first value, whose editor keeps the line's label.
TEST_F(CarTreeTest, DoubleClickOnACameraOrADataValueLineOpensItsEditor) {
  Document& document = ImportDemo();
  Car& car = *document.GetCar();
  Camera& camera = car.m_Cameras[0];
  const QModelIndex cameraIndex = IndexOf(camera.m_TreeItem);
  ASSERT_TRUE(AnswerDialog([&] { DoubleClick(cameraIndex); },
                           [](QDialog& dialog) {
                             SetText(dialog, "edit1000", "70000");
                             SetText(dialog, "edit1003", "1000");
                             test::Click(dialog, kOk);
                           }));
  EXPECT_EQ(camera.m_Record.X, 70000 - 65536);
  EXPECT_EQ(camera.m_DirectionDeg, -80) << "182000 raw units kept in 16 bits are -14608";
  EXPECT_EQ(cameraIndex.data().toString().toStdString(), *ItemLabel(camera));
  EXPECT_TRUE(cameraIndex.data().toString().startsWith("c[1] (4464,"));
  EXPECT_TRUE(cameraIndex.data().toString().endsWith(
      QString(" (%1 %2)").arg(camera.m_Record.RearWheel).arg(camera.m_Record.FrontWheel)));

  DatVal& value = car.m_DataValues[8];
  const QModelIndex line = IndexOf(value.m_TreeItem);
  const QString label = line.data().toString();
  ASSERT_TRUE(label.startsWith("u[8]"));
  ASSERT_TRUE(AnswerDialog([&] { DoubleClick(line); },
                           [](QDialog& dialog) {
                             SetText(dialog, "edit1000", "4321");
                             test::Click(dialog, kOk);
                           }));
  EXPECT_EQ(value.m_Value, 4321);
  EXPECT_EQ(line.data().toString(), label);
}

TEST_F(CarTreeTest, DoubleClickOnAGroupOrCarItemOpensNothing) {
  Car& car = *ImportDemo().GetCar();
  for (const OutlineNode* item : {car.m_Points[0].m_TreeItem->parent, car.m_RootItem}) {
    const std::string before = item->text;
    const QModelIndex index = IndexOf(item);
    const bool expanded = View().isExpanded(index);
    EXPECT_FALSE(AnswerDialog([&] { DoubleClick(index); }, [](QDialog& dialog) { dialog.reject(); })) << before;
    EXPECT_NE(View().isExpanded(index), expanded) << "the double-click reached the view";
    EXPECT_EQ(item->text, before);
  }
  EXPECT_EQ(redrawCount, 0);
}

TEST_F(CarTreeTest, APartImportRelistsOnlyThatPart) {
  Car& car = *ImportDemo().GetCar();
  const PartCommands& helmet = PartCommandIds().front();
  chooser.answers = {dir / "helmet.ch3"};
  Trigger(helmet.exportId);
  const QModelIndex allCars = Model().AllCarsIndex();
  std::vector<const OutlineNode*> nodes;
  std::vector<QPersistentModelIndex> rows;
  for (int row = 0; row < 5; ++row) {
    rows.emplace_back(Model().index(row, 0, allCars));
    nodes.push_back(Model().NodeOf(rows.back()));
  }
  const QPersistentModelIndex carPoint = IndexOf(car.m_Points[0].m_TreeItem);
  View().expand(carPoint.parent());

  chooser.answers = {dir / "helmet.ch3"};
  Trigger(helmet.importId);
  ASSERT_EQ(Model().rowCount(allCars), 5);
  for (int row = 0; row < 5; ++row) {
    if (row == 1) continue;
    EXPECT_EQ(rows[std::size_t(row)], Model().index(row, 0, allCars)) << row;
    EXPECT_EQ(Model().NodeOf(Model().index(row, 0, allCars)), nodes[std::size_t(row)]) << row;
  }
  EXPECT_FALSE(rows[1].isValid()) << "the helmet's old items are gone";
  EXPECT_EQ(Model().NodeOf(Model().index(1, 0, allCars)), car.m_Helmet->m_RootItem);
  EXPECT_EQ(Model().NodeOf(carPoint), car.m_Points[0].m_TreeItem);
  EXPECT_TRUE(View().isExpanded(carPoint.parent())) << "the car's items keep their state";
}

}  // namespace
}  // namespace tavrel::test
