#include "shape/ShapeFile.h"

#include <algorithm>

#include "base/Files.h"
#include "base/Format.h"
#include "base/Messages.h"
#include "shape/PartFile.h"

namespace tavrel {

std::size_t ShapeFileLength(ShapeKind kind) {
  const PartFileKind* part = FindPartFileKind(kind);
  return part != nullptr ? part->length : Car::kImageSize;
}

std::unique_ptr<Car> LoadShapeFile(const std::filesystem::path& path, Messages& messages, ShapeKind kind) {
  const auto size = fileSize(path);
  if (!size) return nullptr;
  const std::size_t length = ShapeFileLength(kind);
  if (*size != length) {
    messages.show(WrongLengthMessage(path, *size, ShapeFileDescription(kind), length));
    return nullptr;
  }
  const auto bytes = readFile(path);
  if (!bytes || bytes->size() != length) {
    messages.show("Canot open Car file");
    return nullptr;
  }
  auto car = std::make_unique<Car>();
  car->SetName(path.string());
  std::ranges::copy(*bytes, car->m_Image.begin());
  car->Decode(tableOffset(kind), messages);
  return car;
}

bool Car::SaveShapeFile(const std::filesystem::path& path, Messages& messages) const {
  const WriteResult written = writeFileAtomically(path, m_Image);
  if (!written) messages.show(WriteFailureMessage(written));
  return static_cast<bool>(written);
}

}  // namespace tavrel
