#pragma once
// Patches of the car and its parts into the game's executable, for the
// document's "Export To Exe..." and tavrel-cli's patch of files. A shape is
// patched only when it is whole, and only into its own region; either every
// item is patched or none is.

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

// What is done with a shape whose elements name ones its tables do not hold:
// the view draws such shapes safely, so the player may insist.
enum class IndexErrors {
  Refuse,    // refused, with a word that --force patches it anyway
  Declined,  // refused without a word: the player was asked and said no
  Patch,     // patched all the same: --force, or the player said yes
};

// True when the shape may be patched: it is whole (CheckShape) and its index
// errors, if any, pass as the policy says. A shape that is not whole is
// refused with the stop icon and a message naming it and its first problem.
bool MayPatch(const Car& shape, ShapeKind kind, IndexErrors policy, Messages& messages);

// The region a whole shape goes into at its place, with its edits written back
// first: for the car its own tables (ShapeExtent), for a part its part file's
// length. Nothing else of the executable is ever written by a shape's patch.
PatchRegion ShapeRegion(Car& shape, ShapeKind kind, const ExePositions& positions);

// One shape patched on its own, when it may be (index errors refused);
// "Finished Patching ZAV.EXE" when done.
PatchResult PatchCar(const std::filesystem::path& path, Car& car, const ExePositions& positions, Messages& messages);
PatchResult PatchPartOfKind(const std::filesystem::path& path, Car& part, const PartFileKind& kind,
                            const ExePositions& positions, Messages& messages);

// An item of a patch with its region; none when what it would write was refused.
struct PlannedItem {
  std::string_view item;
  std::optional<PatchRegion> region;
};

// The shape's region when it may be patched (MayPatch, ShapeRegion); none otherwise.
std::optional<PatchRegion> CheckedRegion(Car& shape, ShapeKind kind, const ExePositions& positions, IndexErrors policy,
                                         Messages& messages);

// Patches the items' regions, all or none: nothing is written when any item
// was refused.
std::vector<ExportStep> PatchItems(const std::filesystem::path& path, std::vector<PlannedItem> items,
                                   Messages& messages);

// The files of a patch, each one optional.
struct ExePatchFiles {
  std::optional<std::filesystem::path> car;      // a shape file of a whole car image
  std::optional<std::filesystem::path> cameras;  // a camera file, read over the executable's own cameras
  std::array<std::optional<std::filesystem::path>, kPartFileKinds.size()> parts;  // in kPartFileKinds order
  bool force = false;  // shapes whose elements name missing ones are patched all the same
};

// Reads and checks every file given (a car or part file of its kind's exact
// length holding a whole shape, a camera file that is not empty), then patches
// them in the order of "Export To Exe...": car, cameras, parts. Nothing is
// written unless every file is usable and every region checks out.
std::vector<ExportStep> PatchFilesIntoExe(const std::filesystem::path& path, const ExePatchFiles& files,
                                          const ExePositions& positions, Messages& messages);

}  // namespace tavrel
