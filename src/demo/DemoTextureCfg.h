#pragma once
// texture.cfg for the demo car: every polygon of the car mapped onto a texture
// slot, so the car drawn with textures wears its livery on body, nose and wings
// and the chassis texture underneath.

#include <string>

#include "demo/DemoShapes.h"

namespace tavrel::demo {

// One line per polygon: position, slot, corner count and a u, v pair per corner.
std::string MakeDemoTextureCfg(const DemoShape& car);

}  // namespace tavrel::demo
