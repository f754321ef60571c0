#pragma once
// A complete demo game directory: the executable with the car, its parts, its
// cameras and the RCR values at a patch level's places, the JAM files, the
// texture.cfg, and the same shapes as shape, part and camera files in cars/.

#include <cstdint>
#include <filesystem>

#include "base/Messages.h"
#include "textures/JAM.h"

namespace tavrel::demo {

struct DemoGameOptions {
  int patchLevel = 0;
  std::uint32_t jamSeed = kDefaultJamSeed;
};

// Writes the demo game into `directory`, creating it as needed; the same bytes
// on every run. All its files or none: a folder that already holds any of them
// is refused, and a write that fails leaves none. False, after a message naming
// the file, when nothing was written.
bool MakeDemoGame(const std::filesystem::path& directory, const DemoGameOptions& options, Messages& messages);

}  // namespace tavrel::demo
