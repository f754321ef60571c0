#pragma once
// A Drawing that keeps what a frame draws: one batch per Begin/End with the
// state it was drawn with, the camera markers' cylinders with their matrices,
// and the labels in order. It starts as a fresh GL context does: line width 1,
// point size 1, no normal, no texture bound, texturing off, depth test on.

#include <array>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "scene/Drawing.h"
#include "scene/Matrix4.h"

namespace tavrel {

struct RecordedVertex {
  Vec3 at;  // model coordinates after the frame's own translations and turns
  DrawColour color;
};

struct RecordedBatch {
  DrawMode mode = DrawMode::Points;
  double size = 0;             // the point size for points, the line width for lines, 0 for polygons
  int texture = 0;             // the bound slot while texturing is on, else 0
  std::optional<Vec3> normal;  // the current normal when the batch began
  bool overAll = false;        // drawn with the depth test off, over everything drawn before
  std::vector<RecordedVertex> vertices;
  // One per vertex when the batch gave texture coordinates.
  std::optional<std::vector<std::array<double, 2>>> uv;
};

struct RecordedCylinder {
  double base = 0;
  double top = 0;
  double height = 0;
  int slices = 0;
  int stacks = 0;
  DrawColour color{};
  Matrix4 matrix;
};

using RecordedItem = std::variant<RecordedBatch, RecordedCylinder>;

class FrameRecorder : public Drawing {
 public:
  void Begin(DrawMode mode) override;
  void End() override;
  void Vertex(double x, double y, double z) override;
  void Color(double r, double g, double b) override { m_Color = {r, g, b}; }
  void TexCoord(double u, double v) override;
  void Normal(double x, double y, double z) override { m_Normal = Vec3{x, y, z}; }
  void Enable(Capability capability) override { SetEnabled(capability, true); }
  void Disable(Capability capability) override { SetEnabled(capability, false); }
  void BindTexture(int slot) override { m_BoundSlot = slot; }
  void MakeTextures() override;
  void LineWidth(double width) override { m_LineWidth = width; }
  void PointSize(double size) override { m_PointSize = size; }
  int PushMatrix() override;
  int PopMatrix() override;
  void Translate(double x, double y, double z) override;
  void Rotate(double degrees, double x, double y, double z) override;
  void Cylinder(double base, double top, double height, int slices, int stacks) override;
  void Label(const std::string& text, double x, double y, double z) override;

  const std::vector<RecordedItem>& Items() const { return m_Items; }
  const std::vector<FrameLabel>& Labels() const { return m_Labels; }
  int MatrixDepth() const { return m_Depth; }
  bool TexturesMade() const { return m_TexturesMade; }
  bool Enabled(Capability capability) const;

  // {"batches": [...], "labels": [...]}, numbers with at most 3 decimals.
  std::string Json() const;

 private:
  void SetEnabled(Capability capability, bool on);
  Vec3 Transformed(double x, double y, double z) const;

  std::vector<RecordedItem> m_Items;
  std::vector<FrameLabel> m_Labels;
  std::optional<RecordedBatch> m_Batch;
  std::vector<std::array<double, 2>> m_BatchUv;  // the current coordinate at each vertex
  bool m_BatchHasUv = false;                     // the batch gave texture coordinates

  std::vector<Matrix4> m_Saved;
  Matrix4 m_Matrix;
  int m_Depth = 0;
  DrawColour m_Color{1, 1, 1};
  std::optional<Vec3> m_Normal;
  std::array<double, 2> m_TexCoord{0, 0};
  double m_LineWidth = 1;
  double m_PointSize = 1;
  bool m_Texturing = false;
  bool m_Lighting = false;
  bool m_Culling = false;
  bool m_DepthTest = true;
  int m_BoundSlot = 0;
  bool m_TexturesMade = false;
};

}  // namespace tavrel
