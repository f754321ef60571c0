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
    case DrawMode::Points:
      return GL_POINTS;
    case DrawMode::Lines:
      return GL_LINES;
    case DrawMode::Polygon:
      return GL_POLYGON;
  }
  return GL_POINTS;
}

GLenum glCapability(Capability capability) {
  switch (capability) {
    case Capability::Texturing:
      return GL_TEXTURE_2D;
    case Capability::Lighting:
      return GL_LIGHTING;
    case Capability::Culling:
      return GL_CULL_FACE;
    case Capability::DepthTest:
      return GL_DEPTH_TEST;
  }
  return GL_TEXTURE_2D;
}

// The four slots as one texture, slot 1 at the bottom, each band bottom row
// first as OpenGL takes it. One texture for the whole frame: a software
// renderer pays dearly for every change of bound texture between polygons.
std::vector<std::uint8_t> atlasRows(const TextureSlots& slots) {
  constexpr int kSize = TextureSlots::kSize;
  std::vector<std::uint8_t> rows;
  rows.reserve(static_cast<std::size_t>(kSize) * kSize * 3 * TextureSlots::kSlotCount);
  for (int slot = 1; slot <= TextureSlots::kSlotCount; ++slot)
    for (int y = kSize - 1; y >= 0; --y)
      for (int x = 0; x < kSize; ++x) {
        const Rgb colour = slots.Slot(slot).At(x, y);
        rows.insert(rows.end(), {colour.red, colour.green, colour.blue});
      }
  return rows;
}

void upload(const TextureSlots& slots) {
  const std::vector<std::uint8_t> rows = atlasRows(slots);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, TextureSlots::kSize, TextureSlots::kSize * TextureSlots::kSlotCount, 0, GL_RGB,
               GL_UNSIGNED_BYTE, rows.data());
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
void GlDrawing::TexCoord(double u, double v) {
  m_TexCoord = {u, v};
  SendTexCoord();
}

// A slot's t from 0 to 1 is its band of the atlas.
void GlDrawing::SendTexCoord() const {
  const int band = std::max(m_BoundSlot, 1) - 1;
  glTexCoord2d(m_TexCoord[0], (band + m_TexCoord[1]) / TextureSlots::kSlotCount);
}
void GlDrawing::Normal(double x, double y, double z) { glNormal3d(x, y, z); }

void GlDrawing::Enable(Capability capability) {
  if (capability == Capability::Culling) glCullFace(GL_FRONT);
  glEnable(glCapability(capability));
}

void GlDrawing::Disable(Capability capability) { glDisable(glCapability(capability)); }

// Binding a slot moves the current texture coordinate into its band, as binding
// another texture would make the same coordinate read that texture.
void GlDrawing::BindTexture(int slot) {
  if (m_Texture == 0 || slot < 1 || slot > TextureSlots::kSlotCount || slot == m_BoundSlot) return;
  m_BoundSlot = slot;
  SendTexCoord();
}

void GlDrawing::RestoreBinding() {
  if (m_BoundSlot == 0) return;
  glBindTexture(GL_TEXTURE_2D, m_Texture);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_DECAL);
  SendTexCoord();
}

void GlDrawing::MakeTextures() {
  if (m_Texture == 0) glGenTextures(1, &m_Texture);
  glBindTexture(GL_TEXTURE_2D, m_Texture);
  upload(m_Slots);
  m_BoundSlot = TextureSlots::kSlotCount;  // the last slot made stays bound
  SendTexCoord();
  m_TexturesMade = true;
}

void GlDrawing::ReleaseTextures() {
  if (m_Texture != 0) glDeleteTextures(1, &m_Texture);
  m_Texture = 0;
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
