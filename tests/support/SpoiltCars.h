#pragma once
// Car shape files spoilt as players have met them, each made from a whole car
// file, with the first problem tavrel-cli check lists for it.

#include <cstdint>
#include <string>
#include <vector>

#include "shape/ShapeCheck.h"

namespace tavrel::test {

struct SpoiltCar {
  std::string name;  // also its file name
  std::vector<std::uint8_t> bytes;
  Severity severity;         // of its first problem; Warning: whole, only odd
  std::string firstProblem;  // found in the message that refuses it
};

// Cut short, padded with zeros after the cut, random bytes behind a car's magic
// number, a header whose points reach far outside the car's room, and a polygon
// that names a connection the car does not have.
std::vector<SpoiltCar> SpoiltCars(const std::vector<std::uint8_t>& wholeCar);

}  // namespace tavrel::test
