#include "shape/ExeExport.h"

#include <algorithm>
#include <memory>
#include <string>

#include "base/Format.h"
#include "base/Messages.h"
#include "shape/CameraFile.h"
#include "shape/GameExecutable.h"
#include "shape/ShapeCheck.h"
#include "shape/ShapeFile.h"

namespace tavrel {
namespace {

std::string refusal(const Car& shape, const std::string& problem, const char* after = "") {
  return format("Cannot patch \"%s\" into ZAV.EXE: %s. Nothing was written%s.", shape.GetName().c_str(),
                problem.c_str(), after);
}

const ShapeProblem& first(const std::vector<ShapeProblem>& problems, Severity severity) {
  return *std::ranges::find(problems, severity, &ShapeProblem::severity);
}

PatchResult patchShape(const std::filesystem::path& path, Car& shape, ShapeKind kind, const ExePositions& positions,
                       Messages& messages) {
  const auto region = CheckedRegion(shape, kind, positions, IndexErrors::Refuse, messages);
  if (!region) return PatchResult::Failed(PatchFailure::InvalidSource);
  const PatchResult result = PatchExecutable(path, std::span(&*region, 1), messages).front();
  if (result.ok) messages.show("Finished Patching ZAV.EXE");
  return result;
}

std::optional<PatchRegion> carFileRegion(const std::filesystem::path& file, const ExePositions& positions,
                                         IndexErrors policy, Messages& messages) {
  auto car = LoadShapeFile(file, messages);
  if (!car) return std::nullopt;
  return CheckedRegion(*car, ShapeKind::Car, positions, policy, messages);
}

std::optional<PatchRegion> cameraFileRegion(const std::filesystem::path& file, const ExePositions& positions,
                                            Messages& messages) {
  const auto records = ReadCameraFile(file, messages);
  if (!records) return std::nullopt;
  return CameraFileRegion(*records, positions);
}

std::optional<PatchRegion> partFileRegion(const std::filesystem::path& file, const PartFileKind& kind,
                                          const ExePositions& positions, IndexErrors policy, Messages& messages) {
  auto part = std::make_unique<Car>();
  part->SetName(file.string());
  if (!ReadPartFile(file, *part, kind, messages)) return std::nullopt;
  return CheckedRegion(*part, kind.shape, positions, policy, messages);
}

}  // namespace

std::optional<PatchRegion> CheckedRegion(Car& shape, ShapeKind kind, const ExePositions& positions, IndexErrors policy,
                                         Messages& messages) {
  if (!MayPatch(shape, kind, policy, messages)) return std::nullopt;
  return ShapeRegion(shape, kind, positions);
}

std::vector<ExportStep> PatchItems(const std::filesystem::path& path, std::vector<PlannedItem> items,
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

bool AllPatched(const std::vector<ExportStep>& steps) {
  return std::ranges::all_of(steps, [](const ExportStep& step) { return step.result.ok; });
}

bool MayPatch(const Car& shape, ShapeKind kind, IndexErrors policy, Messages& messages) {
  const std::vector<ShapeProblem> problems = CheckShape(shape, kind);
  if (HasProblem(problems, Severity::Error)) {
    messages.show(refusal(shape, first(problems, Severity::Error).text), Icon::Stop);
    return false;
  }
  if (!HasProblem(problems, Severity::IndexError)) return true;
  switch (policy) {
    case IndexErrors::Patch:
      return true;
    case IndexErrors::Refuse:
      messages.show(refusal(shape, first(problems, Severity::IndexError).text, "; --force patches it anyway"),
                    Icon::Stop);
      return false;
    case IndexErrors::Declined:
      return false;
  }
  return false;
}

PatchRegion ShapeRegion(Car& shape, ShapeKind kind, const ExePositions& positions) {
  shape.WriteBack(tableOffset(kind));
  const PartFileKind* part = FindPartFileKind(kind);
  const std::size_t size = part != nullptr ? part->length : std::min(ShapeExtent(shape, kind), kCarRoom);
  const auto image = ByteView(shape.m_Image).first(size);
  return WholeRegion(positions.of(kind), {image.begin(), image.end()},
                     kind == ShapeKind::Car ? "Failed to find Car Data" : "Failed to find Object Data",
                     RequiredShape{positions.of(kind), ShapeName(kind)});
}

PatchResult PatchCar(const std::filesystem::path& path, Car& car, const ExePositions& positions, Messages& messages) {
  return patchShape(path, car, ShapeKind::Car, positions, messages);
}

PatchResult PatchPartOfKind(const std::filesystem::path& path, Car& part, const PartFileKind& kind,
                            const ExePositions& positions, Messages& messages) {
  return patchShape(path, part, kind.shape, positions, messages);
}

std::vector<ExportStep> PatchFilesIntoExe(const std::filesystem::path& path, const ExePatchFiles& files,
                                          const ExePositions& positions, Messages& messages) {
  const IndexErrors policy = files.force ? IndexErrors::Patch : IndexErrors::Refuse;
  std::vector<PlannedItem> items;
  if (files.car) items.push_back({"car", carFileRegion(*files.car, positions, policy, messages)});
  if (files.cameras) items.push_back({"cameras", cameraFileRegion(*files.cameras, positions, messages)});
  for (std::size_t i = 0; i < kPartFileKinds.size(); ++i) {
    const PartFileKind& kind = kPartFileKinds[i];
    if (files.parts[i])
      items.push_back({kindName(kind.shape), partFileRegion(*files.parts[i], kind, positions, policy, messages)});
  }
  return PatchItems(path, std::move(items), messages);
}

}  // namespace tavrel
