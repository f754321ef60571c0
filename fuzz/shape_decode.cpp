// Arbitrary bytes as a shape image of every kind: decoded, checked and written back.
#include <algorithm>
#include <cstdint>

#include "base/Messages.h"
#include "shape/Car.h"
#include "shape/ShapeCheck.h"
#include "shape/ShapeKind.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static auto car = std::make_unique<tavrel::Car>();
  tavrel::SilentMessages messages;
  for (const tavrel::ShapeKind kind : tavrel::kAllShapeKinds) {
    const int offset = tavrel::tableOffset(kind);
    car->m_Image.fill(0);
    std::copy_n(data, std::min(size, tavrel::Car::kImageSize), car->m_Image.begin());
    const auto before = car->m_Image;
    car->Decode(offset, messages);
    // A shape the check finds whole is patched up to its extent: that must lie inside its room.
    const auto problems = tavrel::CheckShape(*car, kind);
    if (!tavrel::HasProblem(problems, tavrel::Severity::Error) &&
        tavrel::ShapeExtent(*car, kind) > tavrel::ShapeRoom(kind))
      __builtin_trap();
    car->WriteBack(offset);
    // Write-back of an unedited decode reproduces the image.
    if (car->m_Image != before) __builtin_trap();
  }
  return 0;
}
