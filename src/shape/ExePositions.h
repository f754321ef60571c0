#pragma once
// Where the game keeps its shapes, cameras and RCR values inside zav.exe. The
// executable is not parsed: the places are fixed per patch level, level 0 being
// the original release and every other level the 1.13 patch.

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
      case ShapeKind::Car: return car;
      case ShapeKind::Wheel: return wheel;
      case ShapeKind::Helmet: return helmet;
      case ShapeKind::Cockpit: return cockpit;
      case ShapeKind::SteeringWheel: return steeringWheel;
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

// The block of four 32-bit RCR distances (cockpit, on-board, chase, camera view).
constexpr std::int64_t RcrBlockOffset(int patchLevel) { return patchLevel == 0 ? 0x52EF68 : 0x530308; }

// The 32-bit RCR trigger distance, at the same place under every patch level.
inline constexpr std::int64_t kTriggerOffset = 0x527F98;

}  // namespace tavrel
