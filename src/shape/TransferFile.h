#pragma once
// Car transfer files (.ctf): the main car's point coordinates and connection
// ends as text, so the geometry can be changed in another tool and brought back.

#include <filesystem>

#include "shape/FileDialogKind.h"

namespace tavrel {

class Car;
class Messages;

inline constexpr FileDialogKind kTransferFileKind{"unnamed.ctf", "ctf",
                                                  "Zav Car Transfer Format Files (*.ctf)|*.ctf|All Files (*.*)|*.*|"};

// Writes the point count, the points, the connection count and the connections.
// False, after a message, when nothing was written.
bool ExportCtf(const std::filesystem::path& path, const Car& car, Messages& messages);

enum class CtfImport {
  Refused,     // nothing of the car changed
  PointsOnly,  // the points were taken, then the connection count differed
  Imported,
};

// Reads a transfer file into a car with the same numbers of points and
// connections. The whole file is checked before the car changes, so a short or
// malformed file is refused with nothing taken. Tree labels are not rewritten.
CtfImport ImportCtf(const std::filesystem::path& path, Car& car, Messages& messages);

}  // namespace tavrel
