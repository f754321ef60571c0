// Arbitrary bytes as a camera file, then written back: the records written are
// the bytes read, as far as the file went.
#include <algorithm>
#include <cstdint>

#include "shape/CameraFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static auto car = std::make_unique<tavrel::Car>();
  tavrel::TakeCameraBytes(*car, tavrel::ByteView(data, size));
  const auto written = tavrel::CameraFileBytes(*car);
  if (!std::equal(written.begin(), written.begin() + static_cast<std::ptrdiff_t>(std::min(size, written.size())), data))
    __builtin_trap();
  for (const tavrel::Camera& camera : car->m_Cameras)
    if (camera.m_Loaded != 1 || camera.m_DirectionDeg != tavrel::ToDegrees(camera.m_Record.Direction)) __builtin_trap();
  return 0;
}
