#include "shape/ExeExport.h"

#include <algorithm>
#include <string>

#include "base/Messages.h"
#include "shape/GameExecutable.h"

namespace tavrel {
namespace {

// The car's image reaches over the cockpit, steering wheel and helmet in the
// executable, holding their bytes as they were at the import. Once a part is
// patched, the car's copy takes its bytes too, or the car's patch in the next
// export would put the old part back.
void mirrorPartIntoCar(Car& car, const Car& part, const PartFileKind& kind, const ExePositions& positions) {
  const std::int64_t offset = positions.of(kind.shape) - positions.car;
  const std::int64_t begin = std::max<std::int64_t>(offset, 0);
  const std::int64_t end =
      std::min<std::int64_t>(offset + static_cast<std::int64_t>(kind.length), static_cast<std::int64_t>(Car::kImageSize));
  if (begin >= end) return;
  std::copy(part.m_Image.begin() + (begin - offset), part.m_Image.begin() + (end - offset),
            car.m_Image.begin() + begin);
}

}  // namespace

PatchResult PatchPartOfKind(const std::filesystem::path& path, Car& part, const PartFileKind& kind,
                            const ExePositions& positions, Messages& messages) {
  return PatchPart(path, part, positions.of(kind.shape), kind.length, kind.TableOffset(), messages);
}

std::vector<ExportStep> ExportToExe(const std::filesystem::path& path, Car& car, const ExePositions& positions,
                                    Messages& messages) {
  std::vector<ExportStep> steps;
  steps.push_back({"car", PatchCar(path, car, positions, messages)});
  steps.push_back({"cameras", PatchCameras(path, car, positions, messages)});
  if (!messages.ask("Do you want advanced exporting!...")) return steps;
  for (const PartFileKind& kind : kPartFileKinds) {
    Car* part = kind.PartOf(car);
    if (part == nullptr || !messages.ask(std::string(kind.exportQuestion))) continue;
    const PatchResult result = PatchPartOfKind(path, *part, kind, positions, messages);
    if (result.ok) mirrorPartIntoCar(car, *part, kind, positions);
    steps.push_back({kindName(kind.shape), result});
  }
  return steps;
}

}  // namespace tavrel
