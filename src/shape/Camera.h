#pragma once
// An in-car camera: the game's 20-byte record (ten signed 16-bit values, Z stored
// before Y) and its three angles in degrees.

#include <array>
#include <cstdint>
#include <string>

#include "shape/Observer.h"

namespace tavrel {

struct CameraFields;

struct CameraRecord {
  static constexpr std::size_t kSize = 20;

  std::int16_t X = 0;
  std::int16_t Z = 0;
  std::int16_t Y = 0;
  std::int16_t Direction = 0;
  std::int16_t Pitch = 0;
  std::int16_t Roll = 0;
  std::int16_t Detail1 = 0;
  std::int16_t Detail2 = 0;
  std::int16_t RearWheel = 0;
  std::int16_t FrontWheel = 0;

  std::array<std::uint8_t, kSize> ToBytes() const;
  static CameraRecord FromBytes(const std::array<std::uint8_t, kSize>& bytes);
  bool operator==(const CameraRecord&) const = default;
};

// 182 raw units to the degree, truncating toward zero.
constexpr std::int16_t ToDegrees(std::int16_t raw) { return static_cast<std::int16_t>(raw / 182); }
// Keeps the low 16 bits, so 200 degrees become -29136.
constexpr std::int16_t FromDegrees(int degrees) {
  return static_cast<std::int16_t>(static_cast<std::uint16_t>(static_cast<std::uint32_t>(degrees * 182) & 0xFFFF));
}

class Camera : public Observer {
 public:
  Camera() : Observer(kKindCamera) {}
  void Select() override;

  // Takes a record and recomputes the angles in degrees.
  void SetRecord(const CameraRecord& record);
  CameraFields Fields() const;
  void SetFields(const CameraFields& fields);

  CameraRecord m_Record;
  std::int16_t m_DirectionDeg = 0;
  std::int16_t m_PitchDeg = 0;
  std::int16_t m_RollDeg = 0;
  std::int32_t m_Loaded = 0;
};

}  // namespace tavrel
