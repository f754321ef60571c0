// Arbitrary text as a modeller's WaveFront file taken into a small car's points:
// a refused file changes nothing, an accepted one only the points, and what was
// taken decodes again unchanged after the write-back.
#include <cstdint>
#include <string_view>

#include "ScratchInput.h"
#include "base/Messages.h"
#include "shape/Car.h"
#include "shape/ObjImport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const fuzz::ScratchFile scratch(".obj");
  scratch.Write(data, size);
  tavrel::Car& car = fuzz::FreshSmallCar();
  tavrel::SilentMessages messages;
  const std::vector<std::int32_t> before = fuzz::GeometryOf(car);

  if (!tavrel::ImportObjPoints(scratch.path, car, messages)) {
    if (fuzz::GeometryOf(car) != before) __builtin_trap();
    return 0;
  }
  const tavrel::ObjPoints read = tavrel::ReadObjPoints(std::string_view(reinterpret_cast<const char*>(data), size));
  if (read.points.size() != car.m_Points.size()) __builtin_trap();
  for (std::size_t i = 0; i < read.points.size(); ++i) {
    const tavrel::Vertex& p = car.m_Points[i];
    if (p.m_X != read.points[i].x || p.m_Y != read.points[i].y || p.m_Z != read.points[i].z) __builtin_trap();
  }
  const std::vector<std::int32_t> imported = fuzz::GeometryOf(car);
  car.WriteBack(fuzz::kSmallCarTableOffset);
  car.Decode(fuzz::kSmallCarTableOffset, messages);
  if (fuzz::GeometryOf(car) != imported) __builtin_trap();
  return 0;
}
