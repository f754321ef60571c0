#pragma once
// The demo's JAM files: eleven liveries in colour schemes of our own, each
// with a race number and stripes painted where texture.cfg puts the car's
// body, nose and wings, and the chassis file whose last picture is the carbon
// of the car's underside. Pixels are game palette indices; every item has four
// 256-entry colour tables, the first of which leaves the indices as they are.

#include <array>
#include <string_view>

#include "demo/JamWriter.h"
#include "textures/GamePalette.h"

namespace tavrel::demo {

struct LiveryScheme {
  std::string_view file;  // in zavjams/Liveries
  Rgb primary;
  Rgb secondary;
  Rgb accent;
  int number;
};

// The eleven livery files the program knows, each with its scheme.
const std::array<LiveryScheme, 11>& DemoLiveries();

// 40 items: the body, nose and wing pictures (256 x 164, slots 1 to 3), then
// smaller copies of them as the game keeps for distant cars.
JamRecipe MakeLiveryJam(const LiveryScheme& scheme);

// Small pictures of the car's mechanical parts, then the carbon picture of
// slot 4 last.
JamRecipe MakeChassisJam();

// The game palette entry closest to a colour (entry 0 is left out: the game
// keeps it for see-through pixels).
std::uint8_t NearestPaletteIndex(Rgb colour);

}  // namespace tavrel::demo
