// Arbitrary bytes as a car's shape image, decoded, and every command's polygon
// walked as the view and the glTF export walk it: each corner is a point of
// the table, at a list position of the command, in list order.
#include <algorithm>
#include <cstdint>

#include "base/Messages.h"
#include "shape/Car.h"
#include "shape/PolygonCorners.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static auto car = std::make_unique<tavrel::Car>();
  tavrel::SilentMessages messages;
  car->m_Image.fill(0);
  std::copy_n(data, std::min(size, tavrel::Car::kImageSize), car->m_Image.begin());
  car->Decode(94, messages);
  if (!car->m_Valid) return 0;
  for (int i = 0; i < car->m_CommandCount; ++i) {
    const tavrel::TextureCmd& command = car->m_Commands[static_cast<std::size_t>(i)];
    int previous = -1;
    for (const tavrel::PolygonCorner& corner : tavrel::PolygonCorners(*car, command)) {
      if (corner.point < 0 || corner.point >= car->m_PointCount) __builtin_trap();
      if (corner.position <= previous || corner.position >= command.m_IndexCount) __builtin_trap();
      previous = corner.position;
    }
  }
  return 0;
}
