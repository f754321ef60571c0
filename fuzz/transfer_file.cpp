// Arbitrary text as a transfer file imported into a small car, then written back
// into its image: what was imported decodes again unchanged.
#include <algorithm>
#include <cstdint>

#include "base/Messages.h"
#include "ScratchInput.h"
#include "shape/Car.h"
#include "shape/TransferFile.h"

namespace {

constexpr int kTableOffset = 94;

struct Geometry {
  std::vector<std::int32_t> values;
  bool operator==(const Geometry&) const = default;
};

Geometry geometryOf(const tavrel::Car& car) {
  Geometry geometry;
  for (int i = 0; i < car.m_PointCount; ++i) {
    const tavrel::Vertex& p = car.m_Points[static_cast<std::size_t>(i)];
    geometry.values.insert(geometry.values.end(), {p.m_X, p.m_Y, p.m_Z, p.m_U1});
  }
  for (int i = 0; i < car.m_ConnectionCount; ++i) {
    const tavrel::Point3D& c = car.m_Connections[static_cast<std::size_t>(i)];
    geometry.values.insert(geometry.values.end(), {c.m_From, c.m_To, c.m_U1, c.m_U2});
  }
  return geometry;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const fuzz::ScratchFile scratch(".ctf");
  const std::filesystem::path& path = scratch.path;
  scratch.Write(data, size);
  static auto car = std::make_unique<tavrel::Car>();
  tavrel::SilentMessages messages;
  car->m_Image.fill(0);
  std::copy(fuzz::SmallCarImage().begin(), fuzz::SmallCarImage().end(), car->m_Image.begin());
  car->Decode(kTableOffset, messages);
  const Geometry before = geometryOf(*car);

  const tavrel::CtfImport result = tavrel::ImportCtf(path, *car, messages);
  const Geometry imported = geometryOf(*car);
  if (result == tavrel::CtfImport::Refused && imported != before) __builtin_trap();
  car->WriteBack(kTableOffset);
  car->Decode(kTableOffset, messages);
  if (geometryOf(*car) != imported) __builtin_trap();
  return 0;
}
