#pragma once
// Part files (.ch3, .cp3, .ty3, .st3): the first bytes of a part's shape image, a
// fixed length per kind of part, with no header of their own.

#include <algorithm>
#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/Bytes.h"
#include "shape/Car.h"
#include "shape/FileDialogKind.h"
#include "shape/ShapeKind.h"

namespace tavrel {

class Messages;

// One kind of part: where the car holds it, its file, and the question
// "Export To Exe..." asks for it. The same lengths are what it patches.
struct PartFileKind {
  ShapeKind shape;
  std::unique_ptr<Car> Object3D::*part;
  std::string_view name;
  std::size_t length;
  FileDialogKind dialog;
  std::string_view exportQuestion;  // asked by "Export To Exe..." after "Do you want advanced exporting!..."

  int TableOffset() const { return tableOffset(shape); }
  Car* PartOf(const Car& car) const { return (car.*part).get(); }
};

// In the order "Export To Exe..." asks for them.
inline constexpr std::array<PartFileKind, 4> kPartFileKinds = {{
    {ShapeKind::Helmet,
     &Object3D::m_Helmet,
     "Helmet",
     7764,
     {"unnamed.ch3", "ch3", "Zav Helmet Files (*.ch3)|*.ch3|All Files(*.*)|*.*|"},
     "Export Helmet"},
    {ShapeKind::Cockpit,
     &Object3D::m_Cockpit,
     "Cockpit",
     23664,
     {"unnamed.cp3", "cp3", "Zav Cockpit Files (*.cp3)|*.cp3|All Files(*.*)|*.*|"},
     "Export Cockpit"},
    {ShapeKind::Wheel,
     &Object3D::m_Wheel,
     "Tyres",
     27764,
     {"unnamed.ty3", "ty3", "Zav Tyre Files (*.ty3)|*.ty3|All Files(*.*)|*.*|"},
     "Export Tyres"},
    {ShapeKind::SteeringWheel,
     &Object3D::m_SteeringWheel,
     "Steering Wheel",
     496,
     {"unnamed.st3", "st3", "Zav Steering Wheel Files (*.st3)|*.st3|All Files(*.*)|*.*|"},
     "Export Steering"},
}};
static_assert(std::ranges::all_of(kPartFileKinds,
                                  [](const PartFileKind& kind) { return kind.length <= Car::kImageSize; }));

// The row of a part's shape kind; null for the car, which has no part file.
const PartFileKind* FindPartFileKind(ShapeKind shape);

// Writes the part's edits back into its image and gives the file's bytes.
std::vector<std::uint8_t> PartFileBytes(Car& part, const PartFileKind& kind);

// Takes a part file's bytes (at most the kind's length are used) over the start
// of the part's image and decodes it. Bytes that do not begin with a valid magic
// number leave the part exactly as it was (image, elements, m_Valid); the
// decoder's message is shown all the same. True when the part took the bytes.
bool TakePartFileBytes(Car& part, const PartFileKind& kind, ByteView bytes, Messages& messages);

// Writes the whole file or nothing; on failure a message that names the file and
// starts "Cannot open file for writing" when it could not be made.
bool WritePartFile(const std::filesystem::path& path, Car& part, const PartFileKind& kind, Messages& messages);
// Reads a file of exactly the kind's length (ReadFileOfLength) into the part
// (TakePartFileBytes). A file of another length is another kind of file, or one
// cut short: taking its bytes would leave the part half one shape, half another.
bool ReadPartFile(const std::filesystem::path& path, Car& part, const PartFileKind& kind, Messages& messages);

// How messages name a file of a shape of the kind: "a car shape file", "a Helmet part file".
std::string ShapeFileDescription(ShapeKind kind);
// "\"FILE\" is N bytes long, but WHAT is LENGTH bytes long, so it was not read".
std::string WrongLengthMessage(const std::filesystem::path& path, std::uintmax_t size, std::string_view what,
                               std::size_t length);

// The whole file when it is exactly `length` bytes long. Otherwise none, after a
// message naming the file and, when it is of another length, both lengths
// (`what` names the kind of file: "a car shape file").
std::optional<std::vector<std::uint8_t>> ReadFileOfLength(const std::filesystem::path& path, std::size_t length,
                                                          std::string_view what, Messages& messages);

}  // namespace tavrel
