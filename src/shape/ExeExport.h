#pragma once
// Patches of several items at once: "Export To Exe..." (the car, its cameras
// and, on request, each of its parts) and tavrel-cli's patch of files. Either
// every item is patched or none is.

#include <array>
#include <filesystem>
#include <optional>
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

// True when every item was patched.
bool AllPatched(const std::vector<ExportStep>& steps);

// A part's region: its part-file length at its position (ShapeRegion).
std::optional<PatchRegion> PartRegion(Car& part, const PartFileKind& kind, const ExePositions& positions,
                                      Messages& messages);

// A part patched on its own ("Finished Patching ZAV.EXE" when done).
PatchResult PatchPartOfKind(const std::filesystem::path& path, Car& part, const PartFileKind& kind,
                            const ExePositions& positions, Messages& messages);

// Asks "Do you want advanced exporting!..."; on yes asks for each part the car
// has, in the order of kPartFileKinds. Then patches the car, its cameras and the
// parts answered yes, all or none, and says "Finished Patching ZAV.EXE". A car
// that failed the magic check is refused before any question.
std::vector<ExportStep> ExportToExe(const std::filesystem::path& path, Car& car, const ExePositions& positions,
                                    Messages& messages);

// The files of a patch, each one optional.
struct ExePatchFiles {
  std::optional<std::filesystem::path> car;      // a shape file of a whole car image
  std::optional<std::filesystem::path> cameras;  // a camera file, read over the executable's own cameras
  std::array<std::optional<std::filesystem::path>, kPartFileKinds.size()> parts;  // in kPartFileKinds order
};

// Reads and checks every file given (a car or part file of its kind's exact
// length and a valid magic number, a camera file that is not empty), then
// patches them in the order of "Export To Exe...": car, cameras, parts. Nothing
// is written unless every file is usable and every region checks out.
std::vector<ExportStep> PatchFilesIntoExe(const std::filesystem::path& path, const ExePatchFiles& files,
                                          const ExePositions& positions, Messages& messages);

}  // namespace tavrel
