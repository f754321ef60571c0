#include "view/OffscreenFrame.h"

#include <GL/gl.h>

#include <algorithm>

#include <QOpenGLFramebufferObject>
#include <QOpenGLPaintDevice>
#include <QPainter>

namespace tavrel {

OffscreenFrame::OffscreenFrame(const TextureSlots& textures) : m_Frame(textures) {
  m_Surface.setFormat(QSurfaceFormat::defaultFormat());
  m_Surface.create();
  m_Context.setFormat(QSurfaceFormat::defaultFormat());
  m_Ready = m_Surface.isValid() && m_Context.create() && m_Context.makeCurrent(&m_Surface);
  if (!m_Ready) return;
  GLint renderbuffer = 0;
  GLint viewport[2] = {0, 0};
  glGetIntegerv(GL_MAX_RENDERBUFFER_SIZE, &renderbuffer);
  glGetIntegerv(GL_MAX_VIEWPORT_DIMS, viewport);
  m_Largest = QSize(std::min(renderbuffer, viewport[0]), std::min(renderbuffer, viewport[1]));
}

OffscreenFrame::~OffscreenFrame() {
  if (!m_Ready) return;
  m_Context.makeCurrent(&m_Surface);
  m_Frame.Drawing().ReleaseTextures();
  m_Buffer.reset();
  m_Context.doneCurrent();
}

bool OffscreenFrame::Draw(const FrameInput& input, const ViewMatrices& view, QSize size, const QColor& background) {
  if (!m_Ready || size.width() > m_Largest.width() || size.height() > m_Largest.height() ||
      !m_Context.makeCurrent(&m_Surface))
    return false;
  if (!m_Buffer || m_Buffer->size() != size) {
    m_Buffer = std::make_unique<QOpenGLFramebufferObject>(size, QOpenGLFramebufferObject::CombinedDepthStencil);
    if (!m_Buffer->isValid()) {
      m_Buffer.reset();
      return false;
    }
  }
  m_Buffer->bind();
  if (m_Frame.Draw3D(input, view, size, background)) {
    // The labels go onto the same buffer, as the window writes them over its picture.
    // A painter on the buffer costs a set of shader programs, so none is made for no labels.
    const std::vector<FrameLabel> labels = m_Frame.Labels(input);
    if (!labels.empty()) {
      QOpenGLPaintDevice device(size);
      QPainter painter(&device);
      PaintLabels(painter, labels, view);
    }
  }
  glFinish();
  return true;
}

QImage OffscreenFrame::Render(const FrameInput& input, const ViewMatrices& view, QSize size, const QColor& background) {
  if (!Draw(input, view, size, background)) return {};
  return m_Buffer->toImage().convertToFormat(QImage::Format_RGB32);
}

}  // namespace tavrel
