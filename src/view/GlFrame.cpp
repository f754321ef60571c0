#include "view/GlFrame.h"

#include <GL/gl.h>

#include <QGlyphRun>
#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <QPainter>
#include <QRawFont>

#include "scene/PointPicking.h"

namespace tavrel {

bool GlFrame::Draw3D(const FrameInput& input, const ViewMatrices& view, QSize devicePixels, const QColor& background) {
  glClearColor(static_cast<GLfloat>(background.redF()), static_cast<GLfloat>(background.greenF()),
               static_cast<GLfloat>(background.blueF()), 1.0F);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glDepthFunc(GL_LESS);
  glEnable(GL_DEPTH_TEST);
  glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
  glShadeModel(GL_FLAT);
  glViewport(0, 0, devicePixels.width(), devicePixels.height());
  // The toolkit's own drawing between frames may leave another unit active and another texture bound.
  QOpenGLContext::currentContext()->functions()->glActiveTexture(GL_TEXTURE0);
  m_Drawing.RestoreBinding();
  glMatrixMode(GL_PROJECTION);
  glLoadMatrixd(view.projection.m.data());
  glMatrixMode(GL_MODELVIEW);
  glLoadMatrixd(view.modelview.m.data());
  if (view.client.width > 0) m_Drawing.SetPixelRatio(devicePixels.width() / static_cast<double>(view.client.width));
  FrameInput frame = input;
  frame.texturesMade = m_Drawing.TexturesMade();
  return DrawCarFrame3D(m_Drawing, frame);
}

std::vector<FrameLabel> GlFrame::Labels(const FrameInput& input) {
  m_Drawing.TakeLabels();
  FrameLabels(m_Drawing, input);
  return m_Drawing.TakeLabels();
}

void PaintLabels(QPainter& painter, const std::vector<FrameLabel>& labels, const ViewMatrices& view) {
  if (labels.empty()) return;
  painter.setPen(Qt::black);
  painter.setBackgroundMode(Qt::TransparentMode);
  // All labels in one glyph run: the GL paint engine draws a run at once, where
  // a text each costs a draw of its own (over a thousand on a numbered car).
  const QRawFont font = QRawFont::fromFont(painter.font());
  const int ascent = painter.fontMetrics().ascent();
  QList<quint32> glyphs;
  QList<QPointF> positions;
  for (const FrameLabel& label : labels) {
    const auto at = ScreenPositionOf(label.at, view);
    if (!at) continue;
    const QList<quint32> indexes = font.glyphIndexesForString(QString::fromStdString(label.text));
    const QList<QPointF> advances = font.advancesForGlyphIndexes(indexes);
    QPointF pen(at->x, at->y + ascent);
    for (qsizetype i = 0; i < indexes.size(); ++i) {
      glyphs.append(indexes[i]);
      positions.append(pen);
      pen += advances[i];
    }
  }
  QGlyphRun run;
  run.setRawFont(font);
  run.setGlyphIndexes(glyphs);
  run.setPositions(positions);
  painter.drawGlyphRun(QPointF(0, 0), run);
}

}  // namespace tavrel
