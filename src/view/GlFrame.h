#pragma once
// The car view's render cycle in the current GL context, shared by the window
// and the off-screen pictures: clear, load the viewpoint's matrices, draw the
// frame; then the number labels, written with QPainter over the finished picture.

#include <QColor>
#include <QSize>
#include <vector>

#include "scene/CarFrame.h"
#include "scene/Viewpoint.h"
#include "view/GlDrawing.h"

class QPainter;

namespace tavrel {

class GlFrame {
 public:
  explicit GlFrame(const TextureSlots& textures) : m_Drawing(textures) {}

  // Draws into a viewport of `devicePixels` (the client size times the device
  // pixel ratio). False, after clearing, when there is no car.
  bool Draw3D(const FrameInput& input, const ViewMatrices& view, QSize devicePixels, const QColor& background);
  // The labels the frame asks for, in the order it writes them.
  std::vector<FrameLabel> Labels(const FrameInput& input);

  GlDrawing& Drawing() { return m_Drawing; }

 private:
  GlDrawing m_Drawing;
};

// Writes each label's text with its top-left corner where its point shows,
// transparent, in the default font and colour. Labels of points the view does
// not show are left out.
void PaintLabels(QPainter& painter, const std::vector<FrameLabel>& labels, const ViewMatrices& view);

}  // namespace tavrel
