#include "textures/JamLayout.h"

#include <algorithm>
#include <cmath>

#include "base/Format.h"

namespace tavrel {

void JamLayout::ZoomBy(double factor) {
  const double zoom = m_Zoom * factor;
  if (zoom > kMaxZoom || zoom < kMinZoom) return;
  m_Zoom = zoom;
}

JamRect JamLayout::ItemRect(int x, int y, int width, int height) const {
  return {Scaled(x), Scaled(y), Scaled(width), Scaled(height)};
}

JamRect JamLayout::IdOutline(int index, int width, int height) const {
  return {0, static_cast<int>(kIdRowSpacing * index * m_Zoom), Scaled(width), Scaled(height)};
}

JamPoint JamLayout::IdLabelAt(const JamRect& outline) {
  return {(outline.x + outline.x + outline.width) / 2 - kLabelOffset,
          (outline.y + outline.y + outline.height) / 2 - kLabelOffset};
}

bool JamLayout::IdRowMeets(const JamRect& outline, int textHeight, int top, int bottom) {
  return outline.y - kLabelOffset <= bottom && outline.y + outline.height + textHeight >= top;
}

int JamLayout::IdLabelStep(int textHeight) const {
  const double spacing = kIdRowSpacing * m_Zoom;
  return std::max(1, static_cast<int>(std::ceil((textHeight + 1) / spacing)));
}

JamPoint JamLayout::CanvasPoint(JamPoint drawn) const {
  return {static_cast<int>(drawn.x / m_Zoom), static_cast<int>(drawn.y / m_Zoom)};
}

std::string JamIdLabel(int id) { return format("#%d(%x)", id, static_cast<unsigned>(id)); }

std::string JamStatusText(int canvasByte, int red, int green, int blue, JamPoint canvas) {
  return format("[%d] = RGB(%d,%d,%d) x,y(%d,%d)", canvasByte, red, green, blue, canvas.x, canvas.y);
}

}  // namespace tavrel
