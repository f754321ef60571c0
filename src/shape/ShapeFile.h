#pragma once
// Shape files (.cs3): a car's raw shape image, nothing else.

#include <filesystem>
#include <memory>

#include "shape/Car.h"
#include "shape/FileDialogKind.h"
#include "shape/ShapeKind.h"

namespace tavrel {

class Messages;

inline constexpr FileDialogKind kCarFileKind{"unnamed.cs3", "cs3",
                                             "Zav Car Files (*.cs3)|*.cs3|All Files (*.*)|*.*|"};

// A new car named by the path and decoded with the kind's table offset, or none.
// A missing file gives no message; a file longer than an image, or one that
// cannot be read, does. Bytes of the image beyond a shorter file are zero.
std::unique_ptr<Car> LoadShapeFile(const std::filesystem::path& path, Messages& messages,
                                   ShapeKind kind = ShapeKind::Car);

}  // namespace tavrel
