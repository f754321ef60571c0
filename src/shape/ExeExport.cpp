#include "shape/ExeExport.h"

#include <algorithm>
#include <memory>
#include <string>

#include "base/Messages.h"
#include "shape/CameraFile.h"
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

// An item of a patch with its region; none when what it would write was refused.
struct PlannedItem {
  std::string_view item;
  std::optional<PatchRegion> region;
};

std::vector<ExportStep> patchItems(const std::filesystem::path& path, std::vector<PlannedItem> items,
                                   Messages& messages) {
  std::vector<PatchRegion> regions;
  for (PlannedItem& planned : items)
    if (planned.region) regions.push_back(std::move(*planned.region));
  std::vector<PatchResult> results(items.size(), PatchResult::Failed(PatchFailure::InvalidSource));
  if (regions.size() == items.size()) results = PatchExecutable(path, regions, messages);
  std::vector<ExportStep> steps;
  for (std::size_t i = 0; i < items.size(); ++i) steps.push_back({items[i].item, results[i]});
  return steps;
}

std::optional<PatchRegion> carFileRegion(const std::filesystem::path& file, const ExePositions& positions,
                                         Messages& messages) {
  const auto bytes = ReadFileOfLength(file, Car::kImageSize, "a car shape file", messages);
  if (!bytes) return std::nullopt;
  auto car = std::make_unique<Car>();
  car->SetName(file.string());
  std::ranges::copy(*bytes, car->m_Image.begin());
  car->Decode(tableOffset(ShapeKind::Car), messages);
  return ShapeRegion(*car, ShapeKind::Car, positions.car, Car::kImageSize, messages);
}

std::optional<PatchRegion> cameraFileRegion(const std::filesystem::path& file, const ExePositions& positions,
                                            Messages& messages) {
  const auto records = ReadCameraFile(file, messages);
  if (!records) return std::nullopt;
  return CameraFileRegion(*records, positions);
}

std::optional<PatchRegion> partFileRegion(const std::filesystem::path& file, const PartFileKind& kind,
                                          const ExePositions& positions, Messages& messages) {
  auto part = std::make_unique<Car>();
  part->SetName(file.string());
  if (!ReadPartFile(file, *part, kind, messages)) return std::nullopt;
  return PartRegion(*part, kind, positions, messages);
}

}  // namespace

bool AllPatched(const std::vector<ExportStep>& steps) {
  return std::ranges::all_of(steps, [](const ExportStep& step) { return step.result.ok; });
}

std::optional<PatchRegion> PartRegion(Car& part, const PartFileKind& kind, const ExePositions& positions,
                                      Messages& messages) {
  return ShapeRegion(part, kind.shape, positions.of(kind.shape), kind.length, messages);
}

PatchResult PatchPartOfKind(const std::filesystem::path& path, Car& part, const PartFileKind& kind,
                            const ExePositions& positions, Messages& messages) {
  return PatchPart(path, part, kind.shape, positions.of(kind.shape), kind.length, messages);
}

// Every question is asked before anything is written, so that the car and its
// cameras are not patched when a part then turns out to be unusable.
std::vector<ExportStep> ExportToExe(const std::filesystem::path& path, Car& car, const ExePositions& positions,
                                    Messages& messages) {
  std::vector<PlannedItem> items;
  items.push_back({"car", ShapeRegion(car, ShapeKind::Car, positions.car, Car::kImageSize, messages)});
  items.push_back({"cameras", CamerasRegion(car, positions)});
  std::vector<const PartFileKind*> parts;
  if (items.front().region && messages.ask("Do you want advanced exporting!...")) {
    for (const PartFileKind& kind : kPartFileKinds) {
      Car* part = kind.PartOf(car);
      if (part == nullptr || !messages.ask(std::string(kind.exportQuestion))) continue;
      items.push_back({kindName(kind.shape), PartRegion(*part, kind, positions, messages)});
      parts.push_back(&kind);
      if (!items.back().region) break;
    }
  }
  const std::vector<ExportStep> steps = patchItems(path, std::move(items), messages);
  if (!AllPatched(steps)) return steps;
  messages.show("Finished Patching ZAV.EXE");
  for (const PartFileKind* kind : parts) mirrorPartIntoCar(car, *kind->PartOf(car), *kind, positions);
  return steps;
}

std::vector<ExportStep> PatchFilesIntoExe(const std::filesystem::path& path, const ExePatchFiles& files,
                                          const ExePositions& positions, Messages& messages) {
  std::vector<PlannedItem> items;
  if (files.car) items.push_back({"car", carFileRegion(*files.car, positions, messages)});
  if (files.cameras) items.push_back({"cameras", cameraFileRegion(*files.cameras, positions, messages)});
  for (std::size_t i = 0; i < kPartFileKinds.size(); ++i) {
    const PartFileKind& kind = kPartFileKinds[i];
    if (files.parts[i])
      items.push_back({kindName(kind.shape), partFileRegion(*files.parts[i], kind, positions, messages)});
  }
  return patchItems(path, std::move(items), messages);
}

}  // namespace tavrel
