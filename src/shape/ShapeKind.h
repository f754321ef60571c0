#pragma once
// The five kinds of shape the game keeps, and where each one's scale table starts
// in its image (the table offset every decode and write-back is given).

#include <array>
#include <optional>
#include <string_view>

namespace tavrel {

enum class ShapeKind { Car, Wheel, Helmet, Cockpit, SteeringWheel };

inline constexpr std::array<ShapeKind, 5> kAllShapeKinds = {ShapeKind::Car, ShapeKind::Wheel, ShapeKind::Helmet,
                                                            ShapeKind::Cockpit, ShapeKind::SteeringWheel};

constexpr int tableOffset(ShapeKind kind) {
  switch (kind) {
    case ShapeKind::Car:
      return 94;
    case ShapeKind::Wheel:
      return 72;
    case ShapeKind::Helmet:
      return 78;
    case ShapeKind::Cockpit:
      return 88;
    case ShapeKind::SteeringWheel:
      return 72;
  }
  return 94;
}

// The command-line spelling: car, wheel, helmet, cockpit, steering-wheel.
constexpr std::string_view kindName(ShapeKind kind) {
  switch (kind) {
    case ShapeKind::Car:
      return "car";
    case ShapeKind::Wheel:
      return "wheel";
    case ShapeKind::Helmet:
      return "helmet";
    case ShapeKind::Cockpit:
      return "cockpit";
    case ShapeKind::SteeringWheel:
      return "steering-wheel";
  }
  return "car";
}

constexpr std::optional<ShapeKind> kindFromName(std::string_view name) {
  for (ShapeKind kind : kAllShapeKinds)
    if (kindName(kind) == name) return kind;
  return std::nullopt;
}

}  // namespace tavrel
