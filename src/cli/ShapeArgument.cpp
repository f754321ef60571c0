#include "cli/ShapeArgument.h"

#include <iostream>

#include "base/Files.h"
#include "cli/ExitStatus.h"
#include "shape/ShapeFile.h"

namespace tavrel::cli {

std::vector<std::string> ShapeKindNames() {
  std::vector<std::string> names;
  for (ShapeKind kind : kAllShapeKinds) names.emplace_back(kindName(kind));
  return names;
}

LoadedShape LoadShapeArgument(const std::string& file, ShapeKind kind, Messages& messages) {
  const auto size = fileSize(file);
  if (!size) {
    std::cerr << "Cannot read " << file << '\n';
    return {nullptr, kUsage};
  }
  auto car = LoadShapeFile(file, messages, kind);
  // A file of the wrong length was read and refused; one that gave nothing was unreadable.
  if (!car) return {nullptr, *size != ShapeFileLength(kind) ? kFailed : kUsage};
  const int status = car->m_Valid ? kSuccess : kFailed;
  return {std::move(car), status};
}

}  // namespace tavrel::cli
