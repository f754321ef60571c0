#include "view/GlDrawing.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <utility>

#include "textures/TextureSlots.h"

namespace tavrel {
namespace {

GLenum glMode(DrawMode mode) {
  switch (mode) {
    case DrawMode::Points: return GL_POINTS;
    case DrawMode::Lines: return GL_LINES;
    case DrawMode::Polygon: return GL_POLYGON;
  }
  return GL_POINTS;
}

GLenum glCapability(Capability capability) {
  switch (capability) {
    case Capability::Texturing: return GL_TEXTURE_2D;
    case Capability::Lighting: return GL_LIGHTING;
    case Capability::Culling: return GL_CULL_FACE;
    case Capability::DepthTest: return GL_DEPTH_TEST;
  }
  return GL_TEXTURE_2D;
}

// OpenGL takes the bottom row first: t = 0 is the picture's bottom edge.
std::vector<std::uint8_t> bottomRowFirst(const Picture& picture) {
  const std::size_t row = static_cast<std::size_t>(picture.width) * 3;
  std::vector<std::uint8_t> flipped(picture.rgb.size());
  for (int y = 0; y < picture.height; ++y)
    std::copy_n(picture.rgb.begin() + static_cast<std::ptrdiff_t>(y * row), row,
                flipped.begin() + static_cast<std::ptrdiff_t>((picture.height - 1 - y) * row));
  return flipped;
}

void upload(const Picture& picture) {
  const std::vector<std::uint8_t> rows = bottomRowFirst(picture);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, picture.width, picture.height, 0, GL_RGB, GL_UNSIGNED_BYTE, rows.data());
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_DECAL);
  glEnable(GL_TEXTURE_2D);
  glShadeModel(GL_FLAT);
}

}  // namespace

void GlDrawing::Begin(DrawMode mode) { glBegin(glMode(mode)); }
void GlDrawing::End() { glEnd(); }
void GlDrawing::Vertex(double x, double y, double z) { glVertex3d(x, y, z); }
void GlDrawing::Color(double r, double g, double b) { glColor3d(r, g, b); }
void GlDrawing::TexCoord(double u, double v) { glTexCoord2d(u, v); }
void GlDrawing::Normal(double x, double y, double z) { glNormal3d(x, y, z); }

void GlDrawing::Enable(Capability capability) {
  if (capability == Capability::Culling) glCullFace(GL_FRONT);
  glEnable(glCapability(capability));
}

void GlDrawing::Disable(Capability capability) { glDisable(glCapability(capability)); }

void GlDrawing::BindTexture(int slot) {
  if (m_Textures[0] == 0 || slot < 1 || slot > 4) return;
  glBindTexture(GL_TEXTURE_2D, m_Textures[static_cast<std::size_t>(slot - 1)]);
  m_BoundSlot = slot;
}

void GlDrawing::RestoreBinding() {
  if (m_BoundSlot == 0) return;
  BindTexture(m_BoundSlot);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_DECAL);
}

void GlDrawing::MakeTextures() {
  if (m_Textures[0] == 0) glGenTextures(4, m_Textures.data());
  for (int slot = 1; slot <= 4; ++slot) {
    glBindTexture(GL_TEXTURE_2D, m_Textures[static_cast<std::size_t>(slot - 1)]);
    upload(m_Slots.Slot(slot));
  }
  m_BoundSlot = 4;
  m_TexturesMade = true;
}

void GlDrawing::ReleaseTextures() {
  if (m_Textures[0] != 0) glDeleteTextures(4, m_Textures.data());
  m_Textures = {};
  m_TexturesMade = false;
  m_BoundSlot = 0;
}

void GlDrawing::LineWidth(double width) { glLineWidth(static_cast<GLfloat>(width * m_PixelRatio)); }
void GlDrawing::PointSize(double size) { glPointSize(static_cast<GLfloat>(size * m_PixelRatio)); }

int GlDrawing::PushMatrix() {
  glPushMatrix();
  return ++m_MatrixDepth;
}

int GlDrawing::PopMatrix() {
  glPopMatrix();
  return --m_MatrixDepth;
}

void GlDrawing::Translate(double x, double y, double z) { glTranslated(x, y, z); }
void GlDrawing::Rotate(double degrees, double x, double y, double z) { glRotated(degrees, x, y, z); }

// The outline a silhouette cylinder shows: one line along each slice edge and
// the rims at both ends.
void GlDrawing::Cylinder(double base, double top, double height, int slices, int /*stacks*/) {
  if (slices < 1) return;
  const auto corner = [slices](int i) {
    const double angle = 2 * std::numbers::pi * i / slices;
    return std::pair{std::sin(angle), std::cos(angle)};
  };
  glBegin(GL_LINES);
  for (int i = 0; i < slices; ++i) {
    const auto [s, c] = corner(i);
    glVertex3d(s * base, c * base, 0);
    glVertex3d(s * top, c * top, height);
  }
  glEnd();
  for (const auto& [radius, z] : {std::pair{base, 0.0}, std::pair{top, height}}) {
    glBegin(GL_LINE_LOOP);
    for (int i = 0; i < slices; ++i) {
      const auto [s, c] = corner(i);
      glVertex3d(s * radius, c * radius, z);
    }
    glEnd();
  }
}

void GlDrawing::Label(const std::string& text, double x, double y, double z) { m_Labels.push_back({text, {x, y, z}}); }

}  // namespace tavrel
