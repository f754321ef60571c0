#include "support/SpoiltCars.h"

#include <random>

#include "base/Bytes.h"
#include "base/Messages.h"
#include "shape/Car.h"
#include "shape/ShapeKind.h"

namespace tavrel::test {
namespace {

constexpr int kCarTable = tableOffset(ShapeKind::Car);
constexpr std::size_t kCut = 500;

std::unique_ptr<Car> decoded(const std::vector<std::uint8_t>& bytes) {
  auto car = std::make_unique<Car>();
  std::copy(bytes.begin(), bytes.end(), car->m_Image.begin());
  SilentMessages silent;
  car->Decode(kCarTable, silent);
  return car;
}

SpoiltCar pointsFarOutside(const std::vector<std::uint8_t>& whole) {
  std::vector<std::uint8_t> bytes = whole;
  ShapeHeader header = ShapeHeader::Read(bytes);
  header.pointsEnd = header.pointsBegin + 16 * 10000;
  header.Write(bytes);
  const std::int64_t end = header.OffsetOf(header.pointsBegin, kCarTable) + 16 * 10000;
  return {"outside.cs3", bytes, Severity::Error,
          "its points region ends at byte " + std::to_string(end) + ", past the 93472 bytes a car has"};
}

// Its first polygon whose index list starts with the first argument gets a
// first entry naming connection 30000.
SpoiltCar missingConnection(const std::vector<std::uint8_t>& whole) {
  const auto car = decoded(whole);
  std::int64_t at = car->m_Header->OffsetOf(car->m_Header->textureBegin, kCarTable);
  int polygon = 0;
  for (;; ++polygon) {
    const TextureCmd& command = car->m_Commands.at(static_cast<std::size_t>(polygon));
    if (command.m_Opcode <= 0x03 && command.m_IndexCount > 0) break;
    at += 4 + 2 * command.m_ArgCount;
  }
  std::vector<std::uint8_t> bytes = whole;
  writeU16(bytes, at + 4, 30000);
  return {"index.cs3", bytes, Severity::IndexError,
          "polygon " + std::to_string(polygon) + " names connection 30000, but the car has " +
              std::to_string(car->m_ConnectionCount)};
}

}  // namespace

std::vector<SpoiltCar> SpoiltCars(const std::vector<std::uint8_t>& whole) {
  std::vector<SpoiltCar> cars;
  const std::vector<std::uint8_t> cut(whole.begin(), whole.begin() + kCut);
  cars.push_back({"short.cs3", cut, Severity::Error,
                  "is 500 bytes long, but a car shape file is 133952 bytes long, so it was not read"});
  std::vector<std::uint8_t> padded = cut;
  padded.resize(whole.size(), 0);
  cars.push_back({"padded.cs3", padded, Severity::Warning, ""});
  std::mt19937 random(15);
  std::vector<std::uint8_t> noise(whole.size());
  for (auto& byte : noise) byte = static_cast<std::uint8_t>(random());
  writeU16(noise, 0, static_cast<std::uint16_t>(ShapeHeader::kMagicCar));
  cars.push_back({"random.cs3", noise, Severity::Error, "its scale table region ends before it begins"});
  cars.push_back(pointsFarOutside(whole));
  cars.push_back(missingConnection(whole));
  return cars;
}

}  // namespace tavrel::test
