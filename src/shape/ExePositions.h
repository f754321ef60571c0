#pragma once
// Where the game keeps its shapes, cameras and RCR values inside zav.exe. The
// executable is not parsed: the places are fixed per patch level, level 0 being
// the original release and every other level the 1.13 patch.

#include <cstddef>
#include <cstdint>

#include "shape/ShapeKind.h"

namespace tavrel {

// File offsets of the five shape images (their image offset 0) and of the nine
// camera records.
struct ExePositions {
  std::int64_t car = 0;
  std::int64_t wheel = 0;
  std::int64_t helmet = 0;
  std::int64_t cockpit = 0;
  std::int64_t steeringWheel = 0;
  std::int64_t cameras = 0;

  constexpr std::int64_t of(ShapeKind kind) const {
    switch (kind) {
      case ShapeKind::Car:
        return car;
      case ShapeKind::Wheel:
        return wheel;
      case ShapeKind::Helmet:
        return helmet;
      case ShapeKind::Cockpit:
        return cockpit;
      case ShapeKind::SteeringWheel:
        return steeringWheel;
    }
    return car;
  }
};

inline constexpr ExePositions kOriginalPositions{0x76293C, 0x78347C, 0x77F4BC, 0x77965C, 0x77F2CC, 0x79E59E};
// The patch moved every shape 5524 bytes and the cameras 5528 bytes further in.
inline constexpr ExePositions kPatchedPositions{0x763ED0, 0x784A10, 0x780A50, 0x77ABF0, 0x780860, 0x79FB36};

constexpr ExePositions PositionsForPatchLevel(int patchLevel) {
  return patchLevel == 0 ? kOriginalPositions : kPatchedPositions;
}

// The regions a patch may write. The game keeps the cockpit, the steering wheel
// and the helmet within an image's length after the car (the cockpit first, at
// the same distance under both patch levels), so a car patch writes the car's
// own tables only: from its header to the furthest end of its regions, never
// further than the cockpit's place. Bytes between the car's tables and the
// cockpit belong to neither and keep what the executable holds. A part's region
// is its part file's length at its place; the parts lie one after another
// without overlapping, and the steering wheel ends where the helmet begins.
constexpr std::int64_t CarRoom(const ExePositions& at) {
  std::int64_t room = at.wheel - at.car;
  for (std::int64_t part : {at.helmet, at.cockpit, at.steeringWheel})
    if (part > at.car && part - at.car < room) room = part - at.car;
  return room;
}
inline constexpr std::size_t kCarRoom = 93472;
static_assert(CarRoom(kOriginalPositions) == kCarRoom && CarRoom(kPatchedPositions) == kCarRoom);

// The block of four 32-bit RCR distances (cockpit, on-board, chase, camera view).
constexpr std::int64_t RcrBlockOffset(int patchLevel) { return patchLevel == 0 ? 0x52EF68 : 0x530308; }

// The 32-bit RCR trigger distance, at the same place under every patch level.
inline constexpr std::int64_t kTriggerOffset = 0x527F98;

}  // namespace tavrel
