#pragma once
// WaveFront object export of a car's wireframe: a vertex line per point and a
// degenerate face (a, b, a) tracing each connection.

#include <filesystem>

#include "shape/FileDialogKind.h"

namespace tavrel {

class Car;
class Messages;

inline constexpr FileDialogKind kObjFileKind{"*.obj", "obj",
                                             "WaveFront Object Files (*.obj)|*.obj|All Files (*.*)|*.*|"};

// Writes the car's points and a face for every connection. False, after a
// message, when the file could not be written.
bool ExportObj(const std::filesystem::path& path, const Car& car, Messages& messages);

}  // namespace tavrel
