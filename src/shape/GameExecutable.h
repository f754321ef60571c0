#pragma once
// Reading the car, its parts and its cameras out of the game's executable, and
// patching them back in place. The caller gives the executable's path and the
// positions of its patch level.

#include <cstddef>
#include <filesystem>
#include <memory>

#include "shape/Car.h"
#include "shape/ExecutableFile.h"
#include "shape/ExePositions.h"

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

// Writes the car's edits back into its image and patches the whole image at the
// car's position ("Finished Patching ZAV.EXE" when done). A car that failed the
// magic check is refused.
PatchResult PatchCar(const std::filesystem::path& path, Car& car, const ExePositions& positions, Messages& messages);

// The same for the first `size` bytes (at most an image) of a part's image.
PatchResult PatchPart(const std::filesystem::path& path, Car& part, std::int64_t position, std::size_t size,
                      int tableOffset, Messages& messages);

// Writes each loaded camera's record in its own slot (the camera position plus
// 20 bytes per camera before it); unloaded cameras leave their slots alone.
PatchResult PatchCameras(const std::filesystem::path& path, const Car& car, const ExePositions& positions,
                         Messages& messages);

}  // namespace tavrel
