#pragma once
// An element's editable values as one plain array, and where the element lives
// in a car: what a history step keeps of an element it changed. Element
// pointers do not last (a part import decodes the part's tables anew), so a
// step names its elements by shape, kind and position instead.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "shape/Observer.h"
#include "shape/ShapeKind.h"

namespace tavrel {

class Car;

// Enough for a camera: its ten record values and whether it is loaded.
using ElementValues = std::array<std::int32_t, 11>;

struct ElementRef {
  ShapeKind shape = ShapeKind::Car;
  ElementKind kind = kKindPoint;  // point, connection, camera or data value
  int index = 0;
  bool operator==(const ElementRef&) const = default;
};

ElementValues ValuesOf(const Observer& element);
void SetValues(Observer& element, const ElementValues& values);

// The shape of the car (the car itself or one of its parts), when it has it.
Car* ShapeOf(Car& car, ShapeKind kind);
// Where an element of the car or its parts lives; none for other elements.
std::optional<ElementRef> RefOf(Car& car, const Observer& element);
// The element a reference names; none when the car no longer has it.
Observer* Resolve(Car& car, const ElementRef& ref);

// Every point, connection, data value and camera of the car and its parts with
// its values, taken before a change so that afterwards only what changed is kept.
struct ElementSnapshot {
  std::vector<std::pair<ElementRef, ElementValues>> elements;
};
ElementSnapshot TakeSnapshot(Car& car);

}  // namespace tavrel
