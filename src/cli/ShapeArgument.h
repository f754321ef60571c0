#pragma once
// A shape file named on the command line, loaded for a subcommand.

#include <memory>
#include <string>
#include <vector>

#include "shape/Car.h"
#include "shape/ShapeKind.h"

namespace tavrel {
class Messages;
}

namespace tavrel::cli {

struct LoadedShape {
  std::unique_ptr<Car> car;  // none when the file gave no car
  int status;                // the exit status the load alone calls for
};

// The spellings --kind takes: car, wheel, helmet, cockpit, steering-wheel.
std::vector<std::string> ShapeKindNames();

// A file that cannot be read is a usage error ("Cannot read FILE" on stderr); one
// the program refuses, or whose magic number is bad, a failure with its message
// on stderr. A car with a bad magic number is still given, for commands that
// show it as the program would.
LoadedShape LoadShapeArgument(const std::string& file, ShapeKind kind, Messages& messages);

}  // namespace tavrel::cli
