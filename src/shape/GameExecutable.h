#pragma once
// Reading the car, its parts and its cameras out of the game's executable, and
// patching them back in place. The caller gives the executable's path and the
// positions of its patch level.

#include <cstddef>
#include <filesystem>
#include <memory>
#include <optional>

#include "shape/Car.h"
#include "shape/ExecutableFile.h"
#include "shape/ExePositions.h"
#include "shape/ShapeKind.h"

namespace tavrel {

class Messages;

// A new car named "Import From Exe" with its parts "Wheel", "Helmet", "Cockpit"
// and "Steering Wheel", each read from its position and decoded; none when the
// executable cannot be opened. A shape whose position lies past the end of the
// file is reported ("Failed to find Car Data", ...) and left empty; one that the
// file ends within is read as far as it goes, the rest of its image zero. A
// shape that fails the magic check keeps m_Valid 0 after the decoder's message.
// The texture mapping table is not read again here: the caller does that after
// the import.
std::unique_ptr<Car> ImportFromExe(const std::filesystem::path& path, const ExePositions& positions,
                                   Messages& messages);

// Reads the nine camera records into the car's cameras, as a camera file is
// read ("Failed to find Camera Data" when the file ends before them).
bool ReadCamerasFromExe(Car& car, const std::filesystem::path& path, const ExePositions& positions,
                        Messages& messages);

// The region a shape is patched into: the first `size` bytes (at most an image)
// of its image, with its edits written back, at `position`, where the executable
// must already hold a shape of the kind. None, after a message with the stop
// icon, for a shape that failed the magic check: writing it would corrupt the
// player's game.
std::optional<PatchRegion> ShapeRegion(Car& shape, ShapeKind kind, std::int64_t position, std::size_t size,
                                       Messages& messages);

// The nine camera slots, of which each loaded camera's record replaces its own
// (the camera position plus 20 bytes per camera before it); unloaded cameras
// leave their slots alone.
PatchRegion CamerasRegion(const Car& car, const ExePositions& positions);
// The same for the bytes of a camera file (at most nine records; a short one
// replaces only its own bytes, as reading it into the cameras would).
PatchRegion CameraFileRegion(ByteView records, const ExePositions& positions);

// Writes the car's edits back into its image and patches the whole image at the
// car's position ("Finished Patching ZAV.EXE" when done).
PatchResult PatchCar(const std::filesystem::path& path, Car& car, const ExePositions& positions, Messages& messages);

// The same for the first `size` bytes (at most an image) of a part's image.
PatchResult PatchPart(const std::filesystem::path& path, Car& part, ShapeKind kind, std::int64_t position,
                      std::size_t size, Messages& messages);

// Patches CamerasRegion; no completion message.
PatchResult PatchCameras(const std::filesystem::path& path, const Car& car, const ExePositions& positions,
                         Messages& messages);

}  // namespace tavrel
