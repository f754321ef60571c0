#include "shape/ShapeFile.h"

#include <algorithm>

#include "base/Files.h"
#include "base/Format.h"
#include "base/Messages.h"

namespace tavrel {

std::unique_ptr<Car> LoadShapeFile(const std::filesystem::path& path, Messages& messages, ShapeKind kind) {
  const auto size = fileSize(path);
  if (!size) return nullptr;
  if (*size > Car::kImageSize) {
    messages.show(format("\"%s\" is %ju bytes long, more than a car shape of %zu bytes; it was not loaded.",
                         path.string().c_str(), *size, Car::kImageSize));
    return nullptr;
  }
  const auto bytes = readFile(path);
  if (!bytes) {
    messages.show("Canot open Car file");
    return nullptr;
  }
  auto car = std::make_unique<Car>();
  car->SetName(path.string());
  std::copy_n(bytes->begin(), std::min(bytes->size(), Car::kImageSize), car->m_Image.begin());
  car->Decode(tableOffset(kind), messages);
  return car;
}

bool Car::SaveShapeFile(const std::filesystem::path& path, Messages& messages) const {
  const WriteResult written = writeFileAtomically(path, m_Image);
  if (!written) messages.show(WriteFailureMessage(written));
  return static_cast<bool>(written);
}

}  // namespace tavrel
