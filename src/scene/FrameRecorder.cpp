#include "scene/FrameRecorder.h"

#include <cmath>
#include <nlohmann/json.hpp>

namespace tavrel {
namespace {

// Keys in the order the frame format lists them.
using json = nlohmann::ordered_json;

// Rounded to 3 decimals; whole numbers as integers, so 150 reads 150, not 150.0.
json number(double value) {
  const double rounded = std::round(value * 1000) / 1000;
  if (rounded == std::trunc(rounded) && std::abs(rounded) < 1e15) return static_cast<std::int64_t>(rounded);
  return rounded;
}

json numbers(std::initializer_list<double> values) {
  json list = json::array();
  for (double value : values) list.push_back(number(value));
  return list;
}

const char* modeName(DrawMode mode) {
  switch (mode) {
    case DrawMode::Points:
      return "points";
    case DrawMode::Lines:
      return "lines";
    case DrawMode::Polygon:
      return "polygon";
  }
  return "points";
}

json batchJson(const RecordedBatch& batch) {
  json vertices = json::array();
  for (const RecordedVertex& v : batch.vertices)
    vertices.push_back(numbers({v.at.x, v.at.y, v.at.z, v.color[0], v.color[1], v.color[2]}));
  json uv = nullptr;
  if (batch.uv) {
    uv = json::array();
    for (const auto& [u, v] : *batch.uv) uv.push_back(numbers({u, v}));
  }
  return {{"mode", modeName(batch.mode)},
          {"size", number(batch.size)},
          {"texture", batch.texture},
          {"normal", batch.normal ? numbers({batch.normal->x, batch.normal->y, batch.normal->z}) : json(nullptr)},
          {"vertices", std::move(vertices)},
          {"uv", std::move(uv)},
          {"overAll", batch.overAll}};
}

json cylinderJson(const RecordedCylinder& cylinder) {
  json matrix = json::array();
  for (double value : cylinder.matrix.m) matrix.push_back(number(value));
  return {{"mode", "cylinder"},
          {"base", number(cylinder.base)},
          {"top", number(cylinder.top)},
          {"height", number(cylinder.height)},
          {"slices", cylinder.slices},
          {"stacks", cylinder.stacks},
          {"color", numbers({cylinder.color[0], cylinder.color[1], cylinder.color[2]})},
          {"matrix", std::move(matrix)}};
}

}  // namespace

void FrameRecorder::Begin(DrawMode mode) {
  RecordedBatch batch;
  batch.mode = mode;
  batch.size = mode == DrawMode::Points ? m_PointSize : mode == DrawMode::Lines ? m_LineWidth : 0;
  batch.texture = m_Texturing ? m_BoundSlot : 0;
  batch.normal = m_Normal;
  batch.overAll = !m_DepthTest;
  m_Batch = std::move(batch);
  m_BatchUv.clear();
  m_BatchHasUv = false;
}

void FrameRecorder::End() {
  if (!m_Batch) return;
  if (m_BatchHasUv) m_Batch->uv = std::move(m_BatchUv);
  m_Items.emplace_back(std::move(*m_Batch));
  m_Batch.reset();
}

// Outside Begin/End a vertex draws nothing, as in OpenGL.
void FrameRecorder::Vertex(double x, double y, double z) {
  if (!m_Batch) return;
  m_Batch->vertices.push_back({Transformed(x, y, z), m_Color});
  m_BatchUv.push_back(m_TexCoord);
}

void FrameRecorder::TexCoord(double u, double v) {
  m_TexCoord = {u, v};
  if (m_Batch) m_BatchHasUv = true;
}

// Filling the objects binds each slot in turn.
void FrameRecorder::MakeTextures() {
  m_TexturesMade = true;
  m_BoundSlot = 4;
}

int FrameRecorder::PushMatrix() {
  m_Saved.push_back(m_Matrix);
  return ++m_Depth;
}

// A pop without its push leaves the matrix alone and shows in the depth.
int FrameRecorder::PopMatrix() {
  if (!m_Saved.empty()) {
    m_Matrix = m_Saved.back();
    m_Saved.pop_back();
  }
  return --m_Depth;
}

void FrameRecorder::Translate(double x, double y, double z) { m_Matrix = m_Matrix * Translation(x, y, z); }

void FrameRecorder::Rotate(double degrees, double x, double y, double z) {
  m_Matrix = m_Matrix * Rotation(degrees, x, y, z);
}

void FrameRecorder::Cylinder(double base, double top, double height, int slices, int stacks) {
  m_Items.emplace_back(RecordedCylinder{base, top, height, slices, stacks, m_Color, m_Matrix});
}

void FrameRecorder::Label(const std::string& text, double x, double y, double z) {
  m_Labels.push_back({text, Transformed(x, y, z)});
}

bool FrameRecorder::Enabled(Capability capability) const {
  switch (capability) {
    case Capability::Texturing:
      return m_Texturing;
    case Capability::Lighting:
      return m_Lighting;
    case Capability::Culling:
      return m_Culling;
    case Capability::DepthTest:
      return m_DepthTest;
  }
  return false;
}

void FrameRecorder::SetEnabled(Capability capability, bool on) {
  switch (capability) {
    case Capability::Texturing:
      m_Texturing = on;
      break;
    case Capability::Lighting:
      m_Lighting = on;
      break;
    case Capability::Culling:
      m_Culling = on;
      break;
    case Capability::DepthTest:
      m_DepthTest = on;
      break;
  }
}

Vec3 FrameRecorder::Transformed(double x, double y, double z) const { return TransformPoint(m_Matrix, {x, y, z}); }

std::string FrameRecorder::Json() const {
  json batches = json::array();
  for (const RecordedItem& item : m_Items)
    batches.push_back(std::holds_alternative<RecordedBatch>(item) ? batchJson(std::get<RecordedBatch>(item))
                                                                  : cylinderJson(std::get<RecordedCylinder>(item)));
  json labels = json::array();
  for (const FrameLabel& label : m_Labels)
    labels.push_back({{"text", label.text}, {"at", numbers({label.at.x, label.at.y, label.at.z})}});
  return json{{"batches", std::move(batches)}, {"labels", std::move(labels)}}.dump();
}

}  // namespace tavrel
