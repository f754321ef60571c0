// The JAM view: its drawing at scale 1 and zoomed, the ids, the status text,
// its messages, its commands on the route and the JAM it keeps.

#include <QCoreApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QScrollBar>
#include <QStatusBar>
#include <QTest>

#include "AppFixture.h"
#include "app/CommandTable.h"
#include "app/MainWindow.h"
#include "demo/JamWriter.h"
#include "document/Document.h"
#include "textures/GamePalette.h"
#include "view/JamView.h"

namespace tavrel::test {
namespace {

using namespace command;

constexpr int kStep = 7;  // canvas byte (c, r) is (c + 7r) mod 256
const QColor kBackground(255, 255, 255);

QColor GameColour(int index) {
  const Rgb rgb = kGamePalette[static_cast<std::size_t>(index % 256)];
  return {rgb.red, rgb.green, rgb.blue};
}
// The colour an item without colour tables shows for canvas byte (c, r).
QColor CanvasColour(int column, int row) { return GameColour(column + row * kStep); }

// Item 0 is a tall strip, so the canvas reads down to row 600; item 1 is the
// 64 x 32 item at (16, 8); item 3 is 64 x 20.
JamRecipe TestJam() {
  JamRecipe recipe;
  recipe.canvas = PatternCanvas(600, kStep);
  recipe.items = {PatternItem(200, 0, 40, 600, 0, 256), PatternItem(16, 8, 64, 32, 0, 257),
                  PatternItem(160, 40, 32, 16, 0, 258), PatternItem(100, 100, 64, 20, 0, 300)};
  return recipe;
}

class JamViewTest : public AppFixture {
 protected:
  Document& ImportDemo() {
    StartOnDemo();
    Trigger(kImportFromExe);
    return *app->ActiveDocument();
  }
  std::shared_ptr<JAM> WrittenJam(const std::string& name = "test.jam") {
    WriteBytes(dir / name, BuildJamFile(TestJam()));
    auto jam = std::make_shared<JAM>(dir / name);
    EXPECT_TRUE(jam->Load(true, messages));
    return jam;
  }
  // Opens a JAM view on the document's selected JAM and lets it show.
  JamView& OpenJamView() {
    Trigger(kJamView);
    QMdiSubWindow* window = app->Window().MdiArea().currentSubWindow();
    EXPECT_NE(window, nullptr);
    auto* view = dynamic_cast<JamView*>(window->widget());
    EXPECT_NE(view, nullptr);
    Settle();
    return *view;
  }
  JamView& ShowJam(std::shared_ptr<JAM> jam) {
    ImportDemo().SelectJam(std::move(jam));
    return OpenJamView();
  }
  static QImage Drawn(JamView& view) { return view.viewport()->grab().toImage(); }
  static void MoveMouse(JamView& view, QPoint at) {
    QMouseEvent move(QEvent::MouseMove, at, view.viewport()->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(view.viewport(), &move);
  }
  int CountOf(const std::string& text) const { return int(std::ranges::count(MessageTexts(), text)); }

  const std::string kNoJam = "You must select a JAM file from the tree first!";
  const std::string kTrouble =
      "Trouble Loading JAM File perhaps I don't know Zav Location or Jam Does not exist/corrupt";
};

struct ExpectedPixel {
  QPoint at;
  QColor colour;
};

void ExpectPixels(const QImage& image, const std::vector<ExpectedPixel>& pixels, const char* when) {
  for (const auto& [at, colour] : pixels)
    EXPECT_EQ(image.pixelColor(at), colour) << when << " at " << at.x() << "," << at.y();
}

TEST_F(JamViewTest, DrawsEachItemAtItsPlaceAndSizeAtScaleOneAndScaledAfterAZoom) {
  JamView& view = ShowJam(WrittenJam());
  // Only the item's own 64 x 32 pixels, from (16, 8) to (79, 39).
  ExpectPixels(Drawn(view),
               {{{16, 8}, CanvasColour(16, 8)},
                {{79, 39}, CanvasColour(79, 39)},
                {{40, 20}, CanvasColour(40, 20)},
                {{15, 8}, kBackground},
                {{80, 8}, kBackground},
                {{16, 40}, kBackground}},
               "scale 1");

  // Scale 1.1: the item stands at (17, 8), 70 x 35, its corners the picture's corners.
  Trigger(kZoomIn);
  EXPECT_DOUBLE_EQ(view.Zoom(), 1.1);
  ExpectPixels(Drawn(view),
               {{{17, 8}, CanvasColour(16, 8)},
                {{86, 42}, CanvasColour(79, 39)},
                {{16, 8}, kBackground},
                {{87, 20}, kBackground},
                {{17, 43}, kBackground}},
               "scale 1.1");

  // Back down to 0.99 (not 1): (15, 7), 63 x 31, and nothing left of the larger drawing.
  Trigger(kZoomOut);
  EXPECT_DOUBLE_EQ(view.Zoom(), 1.1 * 0.9);
  ExpectPixels(Drawn(view),
               {{{15, 7}, CanvasColour(16, 8)},
                {{77, 37}, CanvasColour(79, 39)},
                {{78, 20}, kBackground},
                {{86, 42}, kBackground}},
               "scale 0.99");
  EXPECT_TRUE(MessageTexts().empty()) << MessageTexts().front();
}

TEST_F(JamViewTest, ZoomStaysWithinItsRangeAndStillDraws) {
  JamView& view = ShowJam(WrittenJam());
  Trigger(kShowJamIds);
  for (int i = 0; i < 60; ++i) Trigger(kZoomIn);
  EXPECT_LE(view.Zoom(), JamLayout::kMaxZoom);
  EXPECT_GT(view.Zoom(), JamLayout::kMaxZoom / JamLayout::kZoomInFactor);
  // Item 1's first canvas pixel covers the top left corner of the window.
  view.horizontalScrollBar()->setValue(int(16 * view.Zoom()) + 1);
  view.verticalScrollBar()->setValue(int(8 * view.Zoom()) + 1);
  EXPECT_EQ(Drawn(view).pixelColor(0, 0), CanvasColour(16, 8));

  Trigger(kShowJamIds);
  for (int i = 0; i < 120; ++i) Trigger(kZoomOut);
  EXPECT_GE(view.Zoom(), JamLayout::kMinZoom);
  EXPECT_LT(view.Zoom(), JamLayout::kMinZoom / JamLayout::kZoomOutFactor);
  // The whole canvas in a few pixels: item 0's strip, 1 x 18 pixels at (6, 0).
  const QImage image = Drawn(view);
  EXPECT_NE(image.pixelColor(6, 9), kBackground);
  EXPECT_EQ(image.pixelColor(7, 9), kBackground);
  EXPECT_EQ(image.pixelColor(6, 19), kBackground);
}

TEST_F(JamViewTest, JamIdsOutlineEachItemInAColumnWithItsIdOverTheMiddle) {
  JamView& view = ShowJam(WrittenJam());
  Trigger(kShowJamIds);
  EXPECT_TRUE(view.ShowsJamIds());
  EXPECT_TRUE(ActionOf(kShowJamIds).isChecked());
  const QImage image = Drawn(view);
  // Item 3 (64 x 20): the outline from (0, 90) to (64, 110), its label over the
  // top right.
  const QColor black(0, 0, 0);
  ExpectPixels(image,
               {{{0, 90}, black},
                {{10, 90}, black},
                {{0, 100}, black},
                {{0, 110}, black},
                {{32, 110}, black},
                {{64, 110}, black},
                {{64, 108}, black},
                {{65, 108}, kBackground},
                {{32, 111}, kBackground},
                {{10, 89}, kBackground}},
               "outline");
  // "#300(12c)" from (22, 90): dark text on its own white, nothing left of it.
  int darkInLabel = 0;
  for (int x = 22; x < 60; ++x)
    for (int y = 91; y < 105; ++y) darkInLabel += image.pixelColor(x, y).lightness() < 128;
  EXPECT_GT(darkInLabel, 10);
  for (int x = 1; x < 22; ++x)
    for (int y = 91; y < 110; ++y) ASSERT_EQ(image.pixelColor(x, y), kBackground) << x << "," << y;

  Trigger(kShowJamIds);
  EXPECT_FALSE(ActionOf(kShowJamIds).isChecked());
  EXPECT_EQ(Drawn(view).pixelColor(0, 90), kBackground);
}

TEST_F(JamViewTest, StatusTextReportsTheCanvasByteUnderTheMouseAfterScrollAndZoom) {
  JamView& view = ShowJam(WrittenJam());
  app->Window().MdiArea().currentSubWindow()->resize(400, 300);
  Trigger(kZoomIn);
  Settle();
  view.horizontalScrollBar()->setValue(40);
  view.verticalScrollBar()->setValue(300);
  ASSERT_EQ(view.horizontalScrollBar()->value(), 40);
  ASSERT_EQ(view.verticalScrollBar()->value(), 300);

  // The drawing's (230, 337) is canvas (209, 306), inside the strip of item 0.
  const QPoint mouse(190, 37);
  const QColor drawn = Drawn(view).pixelColor(mouse);
  EXPECT_EQ(drawn, CanvasColour(209, 306));
  MoveMouse(view, mouse);
  const int value = (209 + 306 * kStep) % 256;
  EXPECT_EQ(app->Window().statusBar()->currentMessage(),
            QString::asprintf("[%d] = RGB(%d,%d,%d) x,y(209,306)", value, drawn.red(), drawn.green(), drawn.blue()));

  // Beyond the canvas's columns: value 0, and the background's colour.
  view.horizontalScrollBar()->setValue(view.horizontalScrollBar()->maximum());
  const QPoint right(view.viewport()->width() - 2, 10);
  const int x = int((right.x() + view.horizontalScrollBar()->value()) / 1.1);
  ASSERT_GT(x, 255);
  MoveMouse(view, right);
  EXPECT_EQ(app->Window().statusBar()->currentMessage(),
            QString::asprintf("[0] = RGB(255,255,255) x,y(%d,%d)", x, int((10 + 300) / 1.1)));
}

TEST_F(JamViewTest, WithoutASelectedJamItSaysSoOnceAndDrawsNothing) {
  ImportDemo();
  JamView& view = OpenJamView();
  EXPECT_EQ(MessageTexts(), std::vector<std::string>{kNoJam});
  view.viewport()->repaint();
  MoveMouse(view, {20, 20});
  Settle();
  EXPECT_EQ(MessageTexts(), std::vector<std::string>{kNoJam}) << "said once";
  const QImage image = Drawn(view);
  for (int y = 0; y < image.height(); y += 7)
    for (int x = 0; x < image.width(); x += 7) ASSERT_EQ(image.pixelColor(x, y), kBackground) << x << "," << y;
  EXPECT_EQ(app->Window().statusBar()->currentMessage(), "");
}

TEST_F(JamViewTest, AnUnreadableJamIsReportedOncePerBurstOfRepaintsAndShownOnceItsFileAppears) {
  JamView& view = ShowJam(std::make_shared<JAM>(dir / "later.jam"));
  // Every repaint tries again: let the windows' first repaints pass.
  QTest::qWait(100);
  const int shown = CountOf(kTrouble);
  EXPECT_GE(shown, 1);
  for (int i = 0; i < 3; ++i) view.viewport()->repaint();
  EXPECT_EQ(CountOf(kTrouble), shown) << "not shown from inside a repaint";
  QCoreApplication::sendPostedEvents(&view, QEvent::MetaCall);
  EXPECT_EQ(CountOf(kTrouble), shown + 1) << "three repaints before the message shows give one message";

  WriteBytes(dir / "later.jam", BuildJamFile(TestJam()));
  const QImage image = Drawn(view);
  QTest::qWait(100);
  EXPECT_EQ(CountOf(kTrouble), shown + 1);
  EXPECT_TRUE(view.Jam()->IsLoaded());
  EXPECT_EQ(image.pixelColor(16, 8), CanvasColour(16, 8));
}

TEST_F(JamViewTest, KeepsItsJamWhenTheCarsSlotIsFilledAnew) {
  Document& document = ImportDemo();
  JamFile& slot = document.GetCar()->m_CarJams[0];
  slot.SelectForDocument();
  JamView& view = OpenJamView();
  const std::weak_ptr<JAM> shown = slot.m_Jam;
  ASSERT_EQ(view.Jam(), shown.lock());

  FillCarJam(*document.GetCar(), 0, {&document, DemoGame().string(), kDefaultJamSeed, messages});
  document.SelectJam(nullptr);
  ASSERT_NE(slot.m_Jam, shown.lock());
  EXPECT_FALSE(shown.expired());
  EXPECT_EQ(view.Jam(), shown.lock());
  const QImage image = Drawn(view);
  const int x = view.Jam()->GetX(0);
  const int y = view.Jam()->GetY(0);
  EXPECT_NE(image.pixelColor(x, y), kBackground) << "the livery's first item is drawn";
}

TEST_F(JamViewTest, ItsCommandsReachTheActiveJamViewOnlyAndItsWindowsBelongToTheDocument) {
  ShowJam(WrittenJam());
  QMdiArea& area = app->Window().MdiArea();
  ASSERT_EQ(area.subWindowList().size(), 2);
  EXPECT_EQ(area.subWindowList()[0]->windowTitle(), "car1:1");
  EXPECT_EQ(area.subWindowList()[1]->windowTitle(), "car1:2 - test.jam");
  for (int id : {kZoomIn, kZoomOut, kShowJamIds, kJamView, kExportToExe}) EXPECT_TRUE(ActionOf(id).isEnabled()) << id;
  // The car view's commands are not on the JAM view's route.
  for (int id : {kPrint, kShowCar, kNormalView}) EXPECT_FALSE(ActionOf(id).isEnabled()) << id;

  // New Window opens one more JAM view; the car window keeps its own commands.
  Trigger(kNewWindow);
  ASSERT_EQ(area.subWindowList().size(), 3);
  EXPECT_NE(dynamic_cast<JamView*>(area.currentSubWindow()->widget()), nullptr);
  area.setActiveSubWindow(area.subWindowList()[0]);
  Settle();
  EXPECT_FALSE(ActionOf(kShowJamIds).isEnabled());
  EXPECT_TRUE(ActionOf(kPrint).isEnabled());

  // The document goes with its last window, JAM views included.
  area.subWindowList()[0]->close();
  Settle();
  EXPECT_EQ(app->DocumentCount(), 1u);
  EXPECT_EQ(area.subWindowList()[0]->windowTitle(), "car1:1 - test.jam");
  area.closeAllSubWindows();
  Settle();
  EXPECT_EQ(app->DocumentCount(), 0u);
}

}  // namespace
}  // namespace tavrel::test
