#pragma once
// The four texture slots of a car document (slots 1 to 3 from the livery JAM,
// slot 4 from the chassis JAM) and the loaders that fill them.

#include <array>
#include <cstdint>
#include <string>

#include "base/Messages.h"
#include "textures/JAM.h"
#include "textures/Picture.h"

namespace tavrel {

// The livery a car view shows until the player chooses another.
inline constexpr const char* kDefaultLivery = "Mclare98.jam";

// Where the car's textures come from: the game location, the livery file and
// the two application switches.
struct TextureSources {
  std::string m_GameLocation;
  std::string m_CarJamName = kDefaultLivery;
  bool m_UseInternalJams = true;
  bool m_DrawRcrJam = false;
  std::uint32_t m_JamSeed = kDefaultJamSeed;
};

class TextureSlots {
 public:
  static constexpr int kSlotCount = 4;
  static constexpr int kSize = 256;
  // The part of a picture that goes into a slot.
  static constexpr int kCopyWidth = 256;
  static constexpr int kCopyHeight = 164;

  // Four black 256 x 256 pictures until the first reset.
  TextureSlots();

  // Slot 1 to 4.
  Picture& Slot(int slot) { return m_Slots[static_cast<std::size_t>(slot - 1)]; }
  const Picture& Slot(int slot) const { return m_Slots[static_cast<std::size_t>(slot - 1)]; }

  // Copies the top-left 256 x 164 of `picture` to the top-left of the slot. A
  // smaller picture fills only its own area; the rest keeps what the slot held.
  void CopyInto(int slot, const Picture& picture);

 private:
  std::array<Picture, kSlotCount> m_Slots;
};

// The built-in texture bitmap, 256 x 256.
const Picture& BuiltInTexture();

// Puts the built-in texture bitmap into every slot.
void ResetTextureBitmaps(TextureSlots& slots);

// Fills slot 4 from "zavjams/Main/Chassis3.jam": every item in turn.
void LoadChassisTexture(TextureSlots& slots, const TextureSources& sources, Messages& messages);

// The chassis, then slots 1 to 3 from items 0 to 2 of the livery JAM
// "zavjams/Liveries/<m_CarJamName>". A missing file is reported and leaves its
// slots as they were.
void LoadCarTextures(TextureSlots& slots, const TextureSources& sources, Messages& messages);

}  // namespace tavrel
