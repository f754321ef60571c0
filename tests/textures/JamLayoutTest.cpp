// The JAM view's geometry, zoom and status text, without windows.

#include "textures/JamLayout.h"

#include <gtest/gtest.h>

#include <vector>

namespace tavrel {
namespace {

// Every zoom the commands can reach, from the smallest up.
std::vector<JamLayout> EveryZoom() {
  JamLayout layout;
  for (int i = 0; i < 100; ++i) layout.ZoomOut();
  std::vector<JamLayout> zooms;
  double before = 0;
  while (layout.Zoom() != before) {
    zooms.push_back(layout);
    before = layout.Zoom();
    layout.ZoomIn();
  }
  return zooms;
}

TEST(JamLayout, ZoomStepsStayWithinTheirRange) {
  JamLayout layout;
  EXPECT_EQ(layout.Zoom(), 1.0);
  layout.ZoomIn();
  EXPECT_DOUBLE_EQ(layout.Zoom(), 1.1);
  layout.ZoomOut();
  EXPECT_DOUBLE_EQ(layout.Zoom(), 1.1 * 0.9) << "not back to 1";

  const std::vector<JamLayout> zooms = EveryZoom();
  EXPECT_GE(zooms.front().Zoom(), JamLayout::kMinZoom);
  EXPECT_LT(zooms.front().Zoom() * JamLayout::kZoomOutFactor, JamLayout::kMinZoom);
  EXPECT_LE(zooms.back().Zoom(), JamLayout::kMaxZoom);
  EXPECT_GT(zooms.back().Zoom() * JamLayout::kZoomInFactor, JamLayout::kMaxZoom);
}

TEST(JamLayout, ItemsAndAreaScaleWithTheZoomRoundedDown) {
  JamLayout layout;
  EXPECT_EQ(layout.ItemRect(16, 8, 64, 32), (JamRect{16, 8, 64, 32}));
  EXPECT_EQ(layout.AreaWidth(), 512);
  EXPECT_EQ(layout.AreaHeight(), 2000);
  layout.ZoomIn();
  EXPECT_EQ(layout.ItemRect(16, 8, 64, 32), (JamRect{17, 8, 70, 35}));
  EXPECT_EQ(layout.AreaHeight(), 2200);
  layout.ZoomOut();
  EXPECT_EQ(layout.ItemRect(16, 8, 64, 32), (JamRect{15, 7, 63, 31}));
}

TEST(JamLayout, IdOutlinesStandInAColumnWithTheirLabelOverTheMiddle) {
  JamLayout layout;
  const JamRect outline = layout.IdOutline(3, 64, 20);
  EXPECT_EQ(outline, (JamRect{0, 90, 64, 20}));
  EXPECT_EQ(JamLayout::IdLabelAt(outline), (JamPoint{22, 90}));
  EXPECT_EQ(JamIdLabel(300), "#300(12c)");
  EXPECT_EQ(JamIdLabel(-1), "#-1(ffffffff)");
  // The label may reach above the outline by its offset, and below it by a line.
  EXPECT_TRUE(JamLayout::IdRowMeets(outline, 15, 0, 80));
  EXPECT_FALSE(JamLayout::IdRowMeets(outline, 15, 0, 79));
  EXPECT_TRUE(JamLayout::IdRowMeets(outline, 15, 125, 200));
  EXPECT_FALSE(JamLayout::IdRowMeets(outline, 15, 126, 200));
}

// Zoomed out, labels are dropped so that those written stand at least a line apart.
TEST(JamLayout, IdLabelsNeverOverlapAtAnyZoom) {
  EXPECT_EQ(JamLayout().IdLabelStep(15), 1);
  for (const JamLayout& layout : EveryZoom()) {
    const int step = layout.IdLabelStep(15);
    const double spacing = JamLayout::kIdRowSpacing * layout.Zoom();
    EXPECT_GE(step * spacing, 16) << layout.Zoom();
    EXPECT_LT((step - 1) * spacing, 16) << layout.Zoom() << ": no more are dropped than must be";
  }
}

TEST(JamLayout, TheStatusNamesTheCanvasPixelUnderTheMouse) {
  JamLayout layout;
  layout.ZoomIn();
  EXPECT_EQ(layout.CanvasPoint({111, 56}), (JamPoint{100, 50}));
  EXPECT_EQ(layout.CanvasPoint({109, 54}), (JamPoint{99, 49}));
  EXPECT_EQ(JamStatusText(150, 1, 2, 3, {100, 50}), "[150] = RGB(1,2,3) x,y(100,50)");
}

}  // namespace
}  // namespace tavrel
