// Arbitrary bytes as a shape image, decoded with every table offset and written back.
#include <algorithm>
#include <cstdint>

#include "base/Messages.h"
#include "shape/Car.h"
#include "shape/ShapeKind.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static auto car = std::make_unique<tavrel::Car>();
  tavrel::SilentMessages messages;
  for (int offset : {94, 72, 78, 88}) {
    car->m_Image.fill(0);
    std::copy_n(data, std::min(size, tavrel::Car::kImageSize), car->m_Image.begin());
    const auto before = car->m_Image;
    car->Decode(offset, messages);
    car->WriteBack(offset);
    // Write-back of an unedited decode reproduces the image.
    if (car->m_Image != before) __builtin_trap();
  }
  return 0;
}
