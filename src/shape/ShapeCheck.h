#pragma once
// Whether a car or part is whole enough to be patched into the game, and what a
// modder wants to know about it before it is. One check serves the program's
// "Export To Exe...", tavrel-cli's exe patch and tavrel-cli check.

#include <cstddef>
#include <string>
#include <vector>

#include "shape/ShapeKind.h"

namespace tavrel {

class Car;
class CarMappingTable;

enum class Severity {
  Error,       // the shape is not whole: never patched
  IndexError,  // an element names one the tables do not hold: patched only when the player insists
  Warning,     // odd, but the game and the view cope with it
};

struct ShapeProblem {
  Severity severity;
  std::string text;
  bool operator==(const ShapeProblem&) const = default;
};

// The bytes a shape may fill where the game keeps it: the car up to the first
// part after it, a part its part file's length.
std::size_t ShapeRoom(ShapeKind kind);

// Every problem of the decoded shape (its current elements, edits included), in
// order of severity and, within one, of where it lies. A whole shape decodes,
// and each of its regions lies between its header and the end of its room.
// Texture mapping warnings are given for a car when a mapping table is.
std::vector<ShapeProblem> CheckShape(const Car& shape, ShapeKind kind, const CarMappingTable* mapping = nullptr);

bool HasProblem(const std::vector<ShapeProblem>& problems, Severity severity);

// The image's bytes from its start to the furthest end of its own regions: what
// a patch of a whole shape writes.
std::size_t ShapeExtent(const Car& shape, ShapeKind kind);

}  // namespace tavrel
