#pragma once
// Car view frames drawn without a window, into a picture of any size: the same
// render cycle and labels as the window's, for `tavrel --screenshot`.

#include <QImage>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <memory>
#include <optional>

#include "view/GlFrame.h"

class QOpenGLFramebufferObject;

namespace tavrel {

class OffscreenFrame {
 public:
  explicit OffscreenFrame(const TextureSlots& textures);
  ~OffscreenFrame();
  OffscreenFrame(const OffscreenFrame&) = delete;
  OffscreenFrame& operator=(const OffscreenFrame&) = delete;

  // False when this machine gives no GL context or off-screen buffer.
  bool Ready() const { return m_Ready; }
  // The largest picture the context can draw: its renderbuffer and viewport
  // limits. Larger sizes are refused before a buffer is made, as the driver
  // may abort the program on them.
  QSize LargestSize() const { return m_Largest; }
  // Draws the frame, labels included, at `size` and waits until it is done;
  // false when it could not be drawn or `size` is larger than LargestSize.
  bool Draw(const FrameInput& input, const ViewMatrices& view, QSize size, const QColor& background);
  // The frame drawn and read back; a null image when it could not be drawn.
  QImage Render(const FrameInput& input, const ViewMatrices& view, QSize size, const QColor& background);

 private:
  QOffscreenSurface m_Surface;
  QOpenGLContext m_Context;
  std::unique_ptr<QOpenGLFramebufferObject> m_Buffer;
  GlFrame m_Frame;
  bool m_Ready = false;
  QSize m_Largest;
};

}  // namespace tavrel
