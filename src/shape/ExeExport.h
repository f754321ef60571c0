#pragma once
// "Export To Exe...": the car, its cameras and, on request, each of its parts
// patched into the game's executable. The document and tavrel-cli share it.

#include <filesystem>
#include <string_view>
#include <vector>

#include "shape/Car.h"
#include "shape/ExePositions.h"
#include "shape/ExecutableFile.h"
#include "shape/PartFile.h"

namespace tavrel {

class Messages;

// One item patched: "car", "cameras" or the part's kindName.
struct ExportStep {
  std::string_view item;
  PatchResult result;
};

// A part at its position, comparing and writing its part-file length.
PatchResult PatchPartOfKind(const std::filesystem::path& path, Car& part, const PartFileKind& kind,
                            const ExePositions& positions, Messages& messages);

// Patches the car and its cameras without a question, then asks "Do you want
// advanced exporting!..."; on yes asks for each part the car has, in the order
// of kPartFileKinds, and patches the parts answered yes.
std::vector<ExportStep> ExportToExe(const std::filesystem::path& path, Car& car, const ExePositions& positions,
                                    Messages& messages);

}  // namespace tavrel
