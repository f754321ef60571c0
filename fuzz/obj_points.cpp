// Arbitrary text as a modeller's WaveFront file taken into a small car's points:
// a refused file changes nothing, an accepted one only the points, and what was
// taken decodes again unchanged after the write-back.
#include <algorithm>
#include <cstdint>
#include <string_view>

#include "base/Messages.h"
#include "ScratchInput.h"
#include "shape/Car.h"
#include "shape/ObjImport.h"

namespace {

constexpr int kTableOffset = 94;

std::vector<std::int32_t> valuesOf(const tavrel::Car& car) {
  std::vector<std::int32_t> values;
  for (const tavrel::Vertex& p : car.m_Points) values.insert(values.end(), {p.m_X, p.m_Y, p.m_Z, p.m_U1});
  for (const tavrel::Point3D& c : car.m_Connections) values.insert(values.end(), {c.m_From, c.m_To, c.m_U1, c.m_U2});
  return values;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const fuzz::ScratchFile scratch(".obj");
  scratch.Write(data, size);
  static auto car = std::make_unique<tavrel::Car>();
  tavrel::SilentMessages messages;
  car->m_Image.fill(0);
  std::copy(fuzz::SmallCarImage().begin(), fuzz::SmallCarImage().end(), car->m_Image.begin());
  car->Decode(kTableOffset, messages);
  const std::vector<std::int32_t> before = valuesOf(*car);

  const bool taken = tavrel::ImportObjPoints(scratch.path, *car, messages);
  if (!taken) {
    if (valuesOf(*car) != before) __builtin_trap();
    return 0;
  }
  const tavrel::ObjPoints read =
      tavrel::ReadObjPoints(std::string_view(reinterpret_cast<const char*>(data), size));
  if (read.points.size() != car->m_Points.size()) __builtin_trap();
  for (std::size_t i = 0; i < read.points.size(); ++i) {
    const tavrel::Vertex& p = car->m_Points[i];
    if (p.m_X != read.points[i].x || p.m_Y != read.points[i].y || p.m_Z != read.points[i].z) __builtin_trap();
  }
  const std::vector<std::int32_t> imported = valuesOf(*car);
  car->WriteBack(kTableOffset);
  car->Decode(kTableOffset, messages);
  if (valuesOf(*car) != imported) __builtin_trap();
  return 0;
}
