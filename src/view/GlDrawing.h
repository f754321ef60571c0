#pragma once
// The drawing interface over OpenGL's immediate mode, for the context current at
// the time, and the texture object that context holds for a document's four
// texture slots. Texture objects belong to one context: every view has its own.

#include <array>
#include <string>
#include <utility>
#include <vector>

#include "scene/Drawing.h"
#include "scene/Matrix4.h"

namespace tavrel {

class TextureSlots;

class GlDrawing : public Drawing {
 public:
  explicit GlDrawing(const TextureSlots& textures) : m_Slots(textures) {}

  void Begin(DrawMode mode) override;
  void End() override;
  void Vertex(double x, double y, double z) override;
  void Color(double r, double g, double b) override;
  void TexCoord(double u, double v) override;
  void Normal(double x, double y, double z) override;
  void Enable(Capability capability) override;
  void Disable(Capability capability) override;
  void BindTexture(int slot) override;
  void MakeTextures() override;
  void LineWidth(double width) override;
  void PointSize(double size) override;
  int PushMatrix() override;
  int PopMatrix() override;
  void Translate(double x, double y, double z) override;
  void Rotate(double degrees, double x, double y, double z) override;
  void Cylinder(double base, double top, double height, int slices, int stacks) override;
  void Label(const std::string& text, double x, double y, double z) override;

  // Whether the texture objects hold the slots' pictures.
  bool TexturesMade() const { return m_TexturesMade; }
  // The next textured frame fills the texture objects again from the slots.
  void ForgetTextures() { m_TexturesMade = false; }
  // Deletes the texture objects; their context must be current.
  void ReleaseTextures();
  // Binds again the texture the last frame left bound. A frame relies on what
  // the one before left (a polygon without a texture number keeps the binding),
  // but between frames the toolkit draws with the same context and changes it.
  void RestoreBinding();
  // Device pixels to the logical pixel: widths and sizes are given in logical pixels.
  void SetPixelRatio(double ratio) { m_PixelRatio = ratio; }
  // The labels of the frame drawn last, taken away.
  std::vector<FrameLabel> TakeLabels() { return std::exchange(m_Labels, {}); }

 private:
  void SendTexCoord() const;

  const TextureSlots& m_Slots;
  unsigned m_Texture = 0;  // the slots one above the other; 0 until made in the current context
  bool m_TexturesMade = false;
  int m_BoundSlot = 0;                 // none yet
  std::array<double, 2> m_TexCoord{};  // the current coordinate within the bound slot
  int m_MatrixDepth = 0;
  double m_PixelRatio = 1;
  std::vector<FrameLabel> m_Labels;
};

}  // namespace tavrel
