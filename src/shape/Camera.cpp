#include "shape/Camera.h"

#include "base/Format.h"
#include "shape/Car.h"
#include "shape/ElementFields.h"

namespace tavrel {
namespace {

// The record's fields in file order.
template <typename Record, typename Visit>
void forEachField(Record& r, Visit visit) {
  visit(r.X);
  visit(r.Z);
  visit(r.Y);
  visit(r.Direction);
  visit(r.Pitch);
  visit(r.Roll);
  visit(r.Detail1);
  visit(r.Detail2);
  visit(r.RearWheel);
  visit(r.FrontWheel);
}

std::int16_t low16(int value) {
  return static_cast<std::int16_t>(static_cast<std::uint16_t>(static_cast<std::uint32_t>(value) & 0xFFFF));
}

}  // namespace

std::array<std::uint8_t, CameraRecord::kSize> CameraRecord::ToBytes() const {
  std::array<std::uint8_t, kSize> bytes{};
  std::int64_t offset = 0;
  forEachField(*this, [&](std::int16_t field) {
    writeU16(bytes, offset, static_cast<std::uint16_t>(field));
    offset += 2;
  });
  return bytes;
}

CameraRecord CameraRecord::FromBytes(const std::array<std::uint8_t, kSize>& bytes) {
  CameraRecord record;
  std::int64_t offset = 0;
  forEachField(record, [&](std::int16_t& field) {
    field = static_cast<std::int16_t>(readU16(bytes, offset).value_or(0));
    offset += 2;
  });
  return record;
}

void Camera::SetRecord(const CameraRecord& record) {
  m_Record = record;
  m_DirectionDeg = ToDegrees(record.Direction);
  m_PitchDeg = ToDegrees(record.Pitch);
  m_RollDeg = ToDegrees(record.Roll);
}

CameraFields Camera::Fields() const {
  const CameraRecord& r = m_Record;
  return {r.X, r.Y, r.Z, m_DirectionDeg, m_PitchDeg, m_RollDeg, r.Detail1, r.Detail2, r.RearWheel, r.FrontWheel};
}

void Camera::SetFields(const CameraFields& f) {
  CameraRecord r;
  r.X = low16(f.x);
  r.Y = low16(f.y);
  r.Z = low16(f.z);
  // An angle left as it was shown keeps its raw value: 1000 shows as 5 degrees, which is 910.
  const auto angle = [](int degrees, std::int16_t shown, std::int16_t raw) {
    return degrees == shown ? raw : FromDegrees(degrees);
  };
  r.Direction = angle(f.direction, m_DirectionDeg, m_Record.Direction);
  r.Pitch = angle(f.pitch, m_PitchDeg, m_Record.Pitch);
  r.Roll = angle(f.roll, m_RollDeg, m_Record.Roll);
  r.Detail1 = low16(f.detail1);
  r.Detail2 = low16(f.detail2);
  r.RearWheel = low16(f.rearWheel);
  r.FrontWheel = low16(f.frontWheel);
  SetRecord(r);
}

void Camera::Select() {
  if (m_Owner != nullptr) m_Owner->m_SelectedCamera = this;
}

}  // namespace tavrel
