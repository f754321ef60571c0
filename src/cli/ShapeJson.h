#pragma once
// A decoded shape as JSON, with the model's values (x negated, indices signed).

#include <nlohmann/json.hpp>

#include "shape/Car.h"

namespace tavrel::cli {

nlohmann::ordered_json ShapeToJson(const Car& car);

}  // namespace tavrel::cli
