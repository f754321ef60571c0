#pragma once
// Reading the car, its parts and its cameras out of the game's executable, and
// patching them back in place. The caller gives the executable's path and the
// positions of its patch level.

#include <cstddef>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "shape/Car.h"
#include "shape/ExePositions.h"
#include "shape/ExecutableFile.h"
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
bool ReadCamerasFromExe(Car& car, const std::filesystem::path& path, const ExePositions& positions, Messages& messages);

// The car with its parts, then its nine cameras: what "Import From Exe..."
// reads. No car when the executable cannot be opened.
struct ImportedCar {
  std::unique_ptr<Car> car;
  bool camerasRead = false;
};
ImportedCar ImportCarAndCameras(const std::filesystem::path& path, const ExePositions& positions, Messages& messages);

// True when the executable holds a shape image where the positions put the car:
// the quick look that tells which patch level an executable is. Nothing is shown.
bool HoldsCarAt(const std::filesystem::path& path, const ExePositions& positions);

// How messages name the shape a patch level puts at a place: "car", "steering wheel".
std::string ShapeName(ShapeKind kind);

// The nine camera slots, of which each loaded camera's record replaces its own
// (the camera position plus 20 bytes per camera before it); unloaded cameras
// leave their slots alone.
PatchRegion CamerasRegion(const Car& car, const ExePositions& positions);
// The same for the bytes of a camera file (at most nine records; a short one
// replaces only its own bytes, as reading it into the cameras would).
PatchRegion CameraFileRegion(ByteView records, const ExePositions& positions);

// Patches CamerasRegion; no completion message.
PatchResult PatchCameras(const std::filesystem::path& path, const Car& car, const ExePositions& positions,
                         Messages& messages);

}  // namespace tavrel
