#pragma once
// Shape files (.cs3): a car's raw shape image, nothing else.

#include <filesystem>
#include <memory>

#include "shape/Car.h"
#include "shape/FileDialogKind.h"
#include "shape/ShapeKind.h"

namespace tavrel {

class Messages;

inline constexpr FileDialogKind kCarFileKind{"unnamed.cs3", "cs3", "Zav Car Files (*.cs3)|*.cs3|All Files (*.*)|*.*|"};

// The length of a file holding a shape of the kind: a whole image for the car,
// the part file's length for a part.
std::size_t ShapeFileLength(ShapeKind kind);

// A new car named by the path and decoded with the kind's table offset, or none.
// A missing file gives no message. A file of another length than the kind's is
// refused with a message naming it and both lengths: a file cut short, or
// another kind of file, would give a shape half made of zeros.
std::unique_ptr<Car> LoadShapeFile(const std::filesystem::path& path, Messages& messages,
                                   ShapeKind kind = ShapeKind::Car);

}  // namespace tavrel
