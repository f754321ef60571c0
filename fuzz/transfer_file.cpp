// Arbitrary text as a transfer file imported into a small car, then written back
// into its image: what was imported decodes again unchanged.
#include <cstdint>

#include "ScratchInput.h"
#include "base/Messages.h"
#include "shape/Car.h"
#include "shape/TransferFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const fuzz::ScratchFile scratch(".ctf");
  scratch.Write(data, size);
  tavrel::Car& car = fuzz::FreshSmallCar();
  tavrel::SilentMessages messages;
  const std::vector<std::int32_t> before = fuzz::GeometryOf(car);

  const tavrel::CtfImport result = tavrel::ImportCtf(scratch.path, car, messages);
  const std::vector<std::int32_t> imported = fuzz::GeometryOf(car);
  if (result == tavrel::CtfImport::Refused && imported != before) __builtin_trap();
  car.WriteBack(fuzz::kSmallCarTableOffset);
  car.Decode(fuzz::kSmallCarTableOffset, messages);
  if (fuzz::GeometryOf(car) != imported) __builtin_trap();
  return 0;
}
