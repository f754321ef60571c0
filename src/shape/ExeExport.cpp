#include "shape/ExeExport.h"

#include <string>

#include "base/Messages.h"
#include "shape/GameExecutable.h"

namespace tavrel {

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
    steps.push_back({kindName(kind.shape), PatchPartOfKind(path, *part, kind, positions, messages)});
  }
  return steps;
}

}  // namespace tavrel
