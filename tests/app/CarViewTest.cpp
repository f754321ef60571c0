// The car view in real windows under Xvfb: its settings, the point under the
// cursor at any device pixel ratio, textures in every view and context, and
// pictures compared with references a person has looked at.

#include <gtest/gtest.h>

#include <QCursor>
#include <QDir>
#include <QHBoxLayout>
#include <QImage>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStatusBar>
#include <QTest>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "AppFixture.h"
#include "ModalDialog.h"
#include "app/CarTree.h"
#include "app/CommandTable.h"
#include "app/MainWindow.h"
#include "app/Screenshot.h"
#include "base/Settings.h"
#include "demo/ShapeImageBuilder.h"
#include "document/Document.h"
#include "scene/PointPicking.h"
#include "shape/Car.h"
#include "shape/Outline.h"
#include "view/CarView.h"

namespace tavrel::test {
namespace {

// Two points far apart and one polygon over three connections.
ShapeRecipe SmallCar() {
  ShapeRecipe recipe;
  recipe.points = {{0, 0, 0, 0}, {-1500, 600, 0, 0}, {0, 1500, 300, 0}};
  recipe.connections = {{0, 1, 0, 0}, {1, 2, 0, 0}, {2, 0, 0, 0}};
  recipe.commands = {{1, 1, 2, 3, 0}};
  return recipe;
}

class CarViewTest : public AppFixture {
 protected:
  std::filesystem::path WriteSmallCar() {
    std::filesystem::path file = dir / "small.cs3";
    WriteBytes(file, BuildShapeFile(SmallCar()));
    return file;
  }

  CarView& OpenSmallCar() {
    StartOnDemo();
    EXPECT_TRUE(app->OpenFile(QString::fromStdString(WriteSmallCar().string())));
    CarView* view = app->ActiveView();
    EXPECT_NE(view, nullptr);
    // Far enough that every point shows in the view at any pixel ratio: only a pointer over the view picks.
    for (int i = 0; i < 10 && !AllShown(*view); ++i) view->View().ZoomOut();
    EXPECT_TRUE(AllShown(*view));
    return *view;
  }

  static bool AllShown(CarView& view) {
    const QRect inside = view.rect().adjusted(10, 10, -10, -10);
    for (int point = 0; point < 3; ++point)
      if (!inside.contains(WhereShown(view, point).toPoint())) return false;
    return true;
  }

  // Moves the cursor to a place in the view and draws a frame, which picks.
  static void PickAt(CarView& view, QPointF at) {
    QCursor::setPos(view.mapToGlobal(at.toPoint()));
    QCoreApplication::processEvents();
    view.GrabFrame();
  }

  static QPointF WhereShown(CarView& view, int point) {
    Car& car = *view.GetDocument().GetCar();
    const Vertex& p = car.m_Points.at(static_cast<std::size_t>(point));
    const ViewMatrices matrices = ViewMatricesFor(view.View(), &car, {view.width(), view.height()});
    const auto at = ScreenPositionOf({double(p.m_X), double(p.m_Y), double(p.m_Z)}, matrices);
    EXPECT_TRUE(at.has_value());
    return at ? QPointF(at->x, at->y) : QPointF();
  }
};

TEST_F(CarViewTest, ShowCarSwitchedOffIsStoredAndTheNextViewStartsWithTheCarHidden) {
  StartOnDemo();
  Trigger(command::kImportFromExe);
  ASSERT_TRUE(app->ActiveView()->Flags().showCar);
  Trigger(command::kShowCar);
  EXPECT_FALSE(app->ActiveView()->Flags().showCar);
  EXPECT_FALSE(ActionOf(command::kShowCar).isChecked());
  Trigger(command::kClose);
  EXPECT_EQ(settings->ReadInt(kPreferences, "showCar", 1), 0);
  EXPECT_EQ(settings->ReadString(kPreferences, "DefaultZavJamFileName", ""), "Mclare98.jam");

  Trigger(command::kImportFromExe);
  EXPECT_FALSE(app->ActiveView()->Flags().showCar);
  EXPECT_TRUE(app->ActiveView()->Flags().showTyres);
}

// The pick works in the view's logical pixels while the GL viewport counts
// device pixels: run once more with QT_SCALE_FACTOR=2, the same test must pass.
TEST_F(CarViewTest, PicksThePointUnderTheCursor) {
  CarView& view = OpenSmallCar();
  view.window()->activateWindow();
  Car& car = *view.GetDocument().GetCar();
  for (int point : {1, 2, 0}) {
    PickAt(view, WhereShown(view, point) + QPointF(3, -4));  // 5 pixels off
    EXPECT_EQ(car.m_SelectedPoint, &car.m_Points[static_cast<std::size_t>(point)]) << point;
  }
  // Nowhere near a point: the selection stays.
  PickAt(view, WhereShown(view, 1) + QPointF(0, 40));
  EXPECT_EQ(car.m_SelectedPoint, &car.m_Points[0]);
}

// Points and lines keep their logical size at every pixel ratio: the selected
// point's marker is 7 logical pixels square. The high-density run checks it at 2.
TEST_F(CarViewTest, TheSelectedPointsMarkerKeepsItsLogicalSize) {
  CarView& view = OpenSmallCar();
  view.window()->activateWindow();
  DisplayFlags& flags = view.Flags();
  flags.showFilled = flags.showAxis = flags.showCameras = flags.showPoints = false;
  PickAt(view, WhereShown(view, 1));
  ASSERT_NE(view.GetDocument().GetCar()->m_SelectedPoint, nullptr);
  const QImage frame = view.GrabFrame().convertToFormat(QImage::Format_RGB32);
  int red = 0;
  for (int y = 0; y < frame.height(); ++y)
    for (int x = 0; x < frame.width(); ++x) red += frame.pixel(x, y) == qRgb(255, 0, 0) ? 1 : 0;
  const int side = qRound(7 * view.devicePixelRatioF());
  EXPECT_EQ(red, side * side);
}

// A double-click on the point under the cursor edits it through its document,
// as the tree does: its item is relabelled and the edit can be undone.
TEST_F(CarViewTest, DoubleClickEditsThePickedPointAsOneStep) {
  CarView& view = OpenSmallCar();
  view.window()->activateWindow();
  Vertex& point = view.GetDocument().GetCar()->m_Points[1];
  const int before = point.m_X;
  const QPointF at = WhereShown(view, 1);
  PickAt(view, at);
  ASSERT_TRUE(AnswerDialog([&] { QTest::mouseDClick(&view, Qt::LeftButton, {}, at.toPoint()); },
                           [](QDialog& dialog) {
                             SetText(dialog, "edit1000", "77");
                             Click(dialog, kOk);
                           }));
  EXPECT_EQ(point.m_X, 77);
  EXPECT_EQ(point.m_TreeItem->text, *ItemLabel(point));
  Trigger(command::kUndo);
  EXPECT_EQ(point.m_X, before);
  EXPECT_EQ(point.m_TreeItem->text, *ItemLabel(point));
}

// The editor a double-click opens takes the button's release: no drag is left
// over for a later move with another button to turn the car.
TEST_F(CarViewTest, NoDragOutlivesTheEditorADoubleClickOpens) {
  CarView& view = OpenSmallCar();
  view.window()->activateWindow();
  const QPointF at = WhereShown(view, 1);
  PickAt(view, at);
  const auto send = [&](QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons held, QPointF where) {
    QMouseEvent event(type, where, view.mapToGlobal(where), button, held, Qt::NoModifier);
    QCoreApplication::sendEvent(&view, &event);
  };
  send(QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, at);
  send(QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, at);
  send(QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, at);
  ASSERT_TRUE(AnswerDialog([&] { send(QEvent::MouseButtonDblClick, Qt::LeftButton, Qt::LeftButton, at); },
                           [](QDialog& dialog) { dialog.reject(); }));
  const Viewpoint before = view.View();
  for (const Qt::MouseButton other : {Qt::RightButton, Qt::MiddleButton}) {
    send(QEvent::MouseButtonPress, other, other, at);
    send(QEvent::MouseMove, Qt::NoButton, other, at + QPointF(40, 30));
    send(QEvent::MouseButtonRelease, other, Qt::NoButton, at + QPointF(40, 30));
  }
  EXPECT_EQ(view.View().m_AngleX, before.m_AngleX);
  EXPECT_EQ(view.View().m_AngleY, before.m_AngleY);
  EXPECT_EQ(view.View().m_AngleZ, before.m_AngleZ);
}

// Shift + left drag moves the point under the pointer on the demo car: it
// follows the pointer with the status bar, the drop is one step that undo takes
// back to the same bytes, and Esc or another window taking the focus puts it back.
TEST_F(CarViewTest, ShiftDragMovesThePointUnderThePointer) {
  StartOnDemo();
  Trigger(command::kImportFromExe);
  CarView& view = *app->ActiveView();
  view.window()->activateWindow();
  view.setFocus();
  Car& car = *view.GetDocument().GetCar();
  const auto start = CarBytes(car);
  const auto send = [&](QEvent::Type type, Qt::MouseButtons held, QPointF where) {
    QMouseEvent event(type, where, view.mapToGlobal(where), Qt::LeftButton, held, Qt::ShiftModifier);
    QCoreApplication::sendEvent(&view, &event);
  };
  const auto shownAt = [&](const Vertex& point) {
    const ViewMatrices matrices = ViewMatricesFor(view.View(), &car, {view.width(), view.height()});
    const auto at = ScreenPositionOf({double(point.m_X), double(point.m_Y), double(point.m_Z)}, matrices);
    return at ? QPointF(at->x, at->y) : QPointF(-1000, -1000);
  };
  const auto values = [](const Vertex& point) { return std::array{point.m_X, point.m_Y, point.m_Z}; };
  const Viewpoint viewpoint = view.View();

  const QPointF at = WhereShown(view, 10);
  send(QEvent::MouseButtonPress, Qt::LeftButton, at);
  ASSERT_NE(car.m_SelectedPoint, nullptr);
  Vertex& grabbed = *car.m_SelectedPoint;
  const auto before = values(grabbed);
  EXPECT_LT(QLineF(shownAt(grabbed), at).length(), kPickRadius);
  for (const QPointF step : {QPointF(10, 5), QPointF(30, 20)}) {
    send(QEvent::MouseMove, Qt::LeftButton, at + step);
    EXPECT_LT(QLineF(shownAt(grabbed), at + step).length(), 1.5) << step.x() << "," << step.y();
    EXPECT_EQ(app->Window().statusBar()->currentMessage().toStdString(), *ItemLabel(grabbed));
  }
  EXPECT_FALSE(view.GetDocument().CanUndo());
  send(QEvent::MouseButtonRelease, Qt::NoButton, at + QPointF(30, 20));
  EXPECT_NE(values(grabbed), before);
  EXPECT_EQ(grabbed.m_TreeItem->text, *ItemLabel(grabbed));
  EXPECT_EQ(view.GetDocument().UndoName(), "Move Point");
  EXPECT_EQ(app->Window().statusBar()->currentMessage(), "");
  EXPECT_EQ(view.View().m_AngleX, viewpoint.m_AngleX);  // the drag moved the point, not the view
  EXPECT_EQ(view.View().m_AngleZ, viewpoint.m_AngleZ);
  Trigger(command::kUndo);
  EXPECT_EQ(CarBytes(car), start);

  const std::vector<std::function<void()>> putsBack = {
      [&] { QTest::keyClick(&view, Qt::Key_Escape); },
      [&] {
        QFocusEvent lost(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
        QCoreApplication::sendEvent(&view, &lost);
      },
  };
  for (const auto& putBack : putsBack) {
    send(QEvent::MouseButtonPress, Qt::LeftButton, at);
    send(QEvent::MouseMove, Qt::LeftButton, at + QPointF(25, -15));
    ASSERT_NE(values(grabbed), before);
    putBack();
    EXPECT_EQ(values(grabbed), before);
    send(QEvent::MouseMove, Qt::LeftButton, at + QPointF(40, 40));  // the drag is over
    send(QEvent::MouseButtonRelease, Qt::NoButton, at + QPointF(40, 40));
    EXPECT_EQ(values(grabbed), before);
    EXPECT_EQ(view.GetDocument().UndoName(), "");
    EXPECT_EQ(CarBytes(car), start);
  }
}

// A window closed in the middle of a drag (its key, while the button is held)
// leaves the document, still shown in another window, as it was.
TEST_F(CarViewTest, ClosingAWindowInTheMiddleOfADragPutsThePointBack) {
  StartOnDemo();
  Trigger(command::kImportFromExe);
  CarView& dragged = *app->ActiveView();
  Car& car = *dragged.GetDocument().GetCar();
  const auto start = CarBytes(car);
  Trigger(command::kNewWindow);
  ASSERT_NE(app->ActiveView(), &dragged);
  const QPointF at = WhereShown(dragged, 10);
  const auto send = [&](QEvent::Type type, QPointF where) {
    QMouseEvent event(type, where, dragged.mapToGlobal(where), Qt::LeftButton, Qt::LeftButton, Qt::ShiftModifier);
    QCoreApplication::sendEvent(&dragged, &event);
  };
  send(QEvent::MouseButtonPress, at);
  send(QEvent::MouseMove, at + QPointF(30, 20));
  ASSERT_NE(CarBytes(car), start);
  QWidget* window = &dragged;
  while (qobject_cast<QMdiSubWindow*>(window) == nullptr) window = window->parentWidget();
  window->close();
  Settle();
  ASSERT_EQ(app->Window().findChildren<CarView*>().size(), 1);
  EXPECT_EQ(CarBytes(car), start);
  EXPECT_FALSE(app->ActiveView()->GetDocument().CanUndo());
}

// The wheel and + and - zoom as the zoom commands do: x0.8 in, x1.2 out a notch;
// a touchpad's small steps add up to notches.
TEST_F(CarViewTest, TheWheelAndPlusAndMinusZoom) {
  CarView& view = OpenSmallCar();
  const double start = view.View().m_Distance;
  const QPointF at(view.width() / 2.0, view.height() / 2.0);
  const auto wheel = [&](int eighths) {
    QWheelEvent event(at, view.mapToGlobal(at), {}, {0, eighths}, Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
                      false);
    QCoreApplication::sendEvent(&view, &event);
  };
  wheel(120);
  EXPECT_DOUBLE_EQ(view.View().m_Distance, start * 0.8);
  wheel(-240);
  EXPECT_DOUBLE_EQ(view.View().m_Distance, start * 0.8 * 1.2 * 1.2);
  wheel(60);
  wheel(60);
  EXPECT_DOUBLE_EQ(view.View().m_Distance, start * 0.8 * 1.2 * 1.2 * 0.8);
  const double before = view.View().m_Distance;
  QTest::keyClick(&view, Qt::Key_Plus);
  EXPECT_DOUBLE_EQ(view.View().m_Distance, before * 0.8);
  QTest::keyClick(&view, Qt::Key_Minus);
  EXPECT_DOUBLE_EQ(view.View().m_Distance, before * 0.8 * 1.2);
  EXPECT_EQ(ActionOf(command::kZoomOut).toolTip(), "Zoom Out");
  EXPECT_EQ(ActionOf(command::kZoomOut).statusTip(), "Zoom Out");
}

TEST_F(CarViewTest, EveryViewAndEveryContextShowsTheTextures) {
  StartOnDemo();
  Trigger(command::kImportFromExe);
  CarView& first = *app->ActiveView();
  QCursor::setPos(0, 0);  // no pick changes the pictures between grabs
  first.resize(320, 240);
  const QImage plain = first.GrabFrame();
  Trigger(command::kUseTextureMaps);
  const QImage textured = first.GrabFrame();
  ASSERT_FALSE(textured.isNull());
  EXPECT_NE(textured, plain) << "textures change the picture";

  Trigger(command::kNewWindow);
  CarView& second = *app->ActiveView();
  ASSERT_NE(&second, &first);
  Trigger(command::kUseTextureMaps);
  second.resize(320, 240);
  const QImage secondPicture = second.GrabFrame();
  EXPECT_EQ(secondPicture, textured) << "a second view makes its own textures";

  // In another top-level window the view gets a new context and fills it again.
  QWidget elsewhere;
  auto* layout = new QHBoxLayout(&elsewhere);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(&second);
  elsewhere.resize(320, 240);
  elsewhere.show();
  QCoreApplication::processEvents();
  EXPECT_EQ(second.GrabFrame(), textured);
  layout->removeWidget(&second);
  second.setParent(nullptr);
  delete &second;
}

TEST_F(CarViewTest, ViewpointCommandsTurnZoomAndCheckTheirItems) {
  StartOnDemo();
  Trigger(command::kImportFromExe);
  Viewpoint& viewpoint = app->ActiveView()->View();
  EXPECT_TRUE(ActionOf(command::kNormalView).isChecked());
  Trigger(command::kCameraViews[2]);
  EXPECT_EQ(viewpoint.m_CameraView, 3);
  EXPECT_TRUE(ActionOf(command::kCameraViews[2]).isChecked());
  EXPECT_FALSE(ActionOf(command::kNormalView).isChecked());
  Trigger(std::ranges::find(command::kFixedViewCommands, "top", &command::FixedViewCommand::view)->id);
  EXPECT_EQ(viewpoint.m_AngleX, 0);
  EXPECT_EQ(viewpoint.m_AngleZ, -90);
  EXPECT_EQ(viewpoint.m_CameraView, Viewpoint::kNormalView) << "a fixed view returns to the normal view";
  EXPECT_TRUE(ActionOf(command::kNormalView).isChecked());
  for (int i = 0; i < 3; ++i) Trigger(command::kZoomIn);
  EXPECT_DOUBLE_EQ(viewpoint.m_Distance, 4096);
  Trigger(command::kStartStopAnimation);
  EXPECT_TRUE(ActionOf(command::kStartStopAnimation).isChecked());
  const double angle = viewpoint.m_AngleY;
  QTest::qWait(100);
  EXPECT_LT(viewpoint.m_AngleY, angle) << "the animation turns the car";
  QTest::mouseClick(app->ActiveView(), Qt::LeftButton, {}, QPoint(10, 10));
  EXPECT_FALSE(viewpoint.m_Animating) << "a click stops it";
}

TEST_F(CarViewTest, RcrImagesAreTheBackViewSavedAsAPictureEvenFromACameraView) {
  StartOnDemo();
  Trigger(command::kImportFromExe);
  CarView& view = *app->ActiveView();
  Trigger(command::kCameraViews[0]);
  const std::filesystem::path out = dir / "rcr-back.png";
  chooser.answers = {out};
  Trigger(command::kProduceRcrImages);
  EXPECT_EQ(view.View().m_AngleX, -90);
  EXPECT_EQ(view.View().m_AngleY, 0);
  EXPECT_EQ(view.View().m_AngleZ, 0);
  EXPECT_EQ(view.View().m_CameraView, Viewpoint::kNormalView);
  const QImage saved(QString::fromStdString(out.string()));
  ASSERT_FALSE(saved.isNull());
  EXPECT_EQ(saved.size(), view.size() * view.devicePixelRatio());
  EXPECT_EQ(saved.convertToFormat(QImage::Format_RGB32), view.GrabFrame().convertToFormat(QImage::Format_RGB32));
  Trigger(command::kExportRcrJam);
  EXPECT_EQ(MessageTexts().back(), "Current Not Implemented");
}

// Pictures within a tolerance of a reference a person has looked at. On a
// mismatch the picture and an image of where it differs (differing pixels white)
// are written into the build tree and named; a missing reference is written
// there too, and the test fails until it is looked at and added to the sources.
void ExpectLooksLike(const QImage& picture, const std::string& name) {
  const QString reference = QString(TAVREL_REFERENCE_DIR) + "/" + QString::fromStdString(name) + ".png";
  const QString outPrefix = QString(TAVREL_PICTURE_OUT_DIR) + "/" + QString::fromStdString(name);
  QDir().mkpath(TAVREL_PICTURE_OUT_DIR);
  const QImage expected(reference);
  if (expected.isNull()) {
    picture.save(outPrefix + ".png");
    FAIL() << "no reference " << reference.toStdString() << "; this run's picture is "
           << (outPrefix + ".png").toStdString() << ": look at it, then add it";
  }
  ASSERT_EQ(picture.size(), expected.size());
  const QImage a = picture.convertToFormat(QImage::Format_RGB32);
  const QImage b = expected.convertToFormat(QImage::Format_RGB32);
  QImage difference(a.size(), QImage::Format_RGB32);
  difference.fill(Qt::black);
  int differing = 0;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x) {
      const QColor p = a.pixelColor(x, y);
      const QColor q = b.pixelColor(x, y);
      if (std::abs(p.red() - q.red()) + std::abs(p.green() - q.green()) + std::abs(p.blue() - q.blue()) <= 24) continue;
      ++differing;
      difference.setPixel(x, y, qRgb(255, 255, 255));
    }
  if (differing <= a.width() * a.height() / 200) return;
  picture.save(outPrefix + ".png");
  difference.save(outPrefix + "-difference.png");
  ADD_FAILURE() << name << ": " << differing << " pixels differ from " << reference.toStdString() << "; see "
                << (outPrefix + ".png").toStdString() << " and " << (outPrefix + "-difference.png").toStdString();
}

struct PictureCase {
  const char* name;
  const char* view;
  const char* set;
  int camera = 0;
};

// Each reference picture is a test of its own (and a CTest entry of its own, label gl).
class DemoPicture : public CarViewTest, public testing::WithParamInterface<PictureCase> {};

TEST_P(DemoPicture, LooksLikeItsReference) {
  const PictureCase& c = GetParam();
  const InFolder inDemo(DemoGame());
  ScreenshotOptions options;
  options.out = QString::fromStdString((dir / (std::string(c.name) + ".png")).string());
  options.size = QSize(320, 240);
  if (c.view) options.view = c.view;
  if (c.camera != 0) options.camera = c.camera;
  options.set = c.set;
  StartOptions start;
  start.gameDirectory = DemoGame().string();
  start.patchLevel = 0;
  start.importFromExe = true;
  ASSERT_EQ(RunScreenshot(options, start, *settings), 0);
  ExpectLooksLike(QImage(options.out), c.name);
}

INSTANTIATE_TEST_SUITE_P(Pictures, DemoPicture,
                         testing::Values(PictureCase{"demo-normal", nullptr, ""},
                                         PictureCase{"demo-front-textured", "front", "showTexture=1,showAxis=0"},
                                         PictureCase{"demo-top-points", "top",
                                                     "showPoints=1,showFilled=0,showCameras=0"},
                                         PictureCase{"demo-camera-2", nullptr, "showTexture=1", 2}),
                         [](const testing::TestParamInfo<PictureCase>& param) {
                           std::string name = param.param.name;
                           std::replace(name.begin(), name.end(), '-', '_');
                           return name;
                         });

// A picture larger than the GL context draws is refused before any buffer is
// made (the driver aborts the program on some), naming the size and the limit.
TEST_F(CarViewTest, AScreenshotLargerThanOpenGlDrawsIsRefused) {
  const InFolder inDemo(DemoGame());
  StartOptions start;
  start.gameDirectory = DemoGame().string();
  start.patchLevel = 0;
  start.importFromExe = true;
  for (const QSize size : {QSize(33554432, 1), QSize(1, 33554432), QSize(65536, 65536)}) {
    ScreenshotOptions options;
    options.out = QString::fromStdString((dir / "huge.png").string());
    options.size = size;
    testing::internal::CaptureStderr();
    EXPECT_EQ(RunScreenshot(options, start, *settings), 2) << size.width() << "," << size.height();
    const std::string said = testing::internal::GetCapturedStderr();
    const std::string asked = "--size " + std::to_string(size.width()) + "," + std::to_string(size.height());
    EXPECT_EQ(said.rfind("tavrel: " + asked + " is larger than OpenGL draws here: at most ", 0), 0u) << said;
    EXPECT_FALSE(std::filesystem::exists(dir / "huge.png"));
  }
}

}  // namespace
}  // namespace tavrel::test
