#pragma once
// What a car view shows: its display flags, each stored under its own settings
// key, and the livery JAM its textures come from. A view reads them when it is
// made and writes them back when it goes.

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "textures/TextureSlots.h"

namespace tavrel {

class Settings;

struct DisplayFlags {
  bool showFilled = true;
  bool showPoints = false;
  bool showTyres = true;
  bool showHelmet = true;
  bool showAxis = true;
  bool showCameras = true;
  bool showTexture = false;
  bool showShadowBox = true;
  bool showLines = true;
  bool showCulling = false;
  bool showNormals = false;
  bool showSingleColor = false;
  bool showLighting = false;
  bool showCar = true;
  bool showPointNumbers = false;
  bool showVertexNumbers = false;
  bool showPolygonNumbers = false;
  bool showCameraNumbers = false;
  bool showNoseDetail = true;
  bool showCockpit = true;
  bool showSWheel = true;
  std::string m_CarJamName = kDefaultLivery;
};

// A flag and the settings key it is stored under.
struct DisplayFlagKey {
  const char* key;
  bool DisplayFlags::*flag;
};
std::span<const DisplayFlagKey> DisplayFlagKeys();  // every flag, in the order they are read

// A missing key gives the flag's default; any stored value but 1 reads as off.
DisplayFlags ReadDisplayFlags(Settings& settings);
void WriteDisplayFlags(Settings& settings, const DisplayFlags& flags);

// Sets flags from "KEY=0|1[,KEY=0|1...]", KEY a flag's settings key. On an
// unknown key or value the text that says so, and the flags are left as they were.
std::optional<std::string> SetDisplayFlags(DisplayFlags& flags, std::string_view assignments);

}  // namespace tavrel
