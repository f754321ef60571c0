#include "textures/TextureSlots.h"

#include <algorithm>
#include <cstring>

#include "base/Format.h"
#include "base/GamePaths.h"
#include "base/Trace.h"

namespace tavrel {
namespace {

constexpr int kChassisSlot = 4;
constexpr int kLiverySlots = 3;

Picture makeBuiltInTexture() {
  constexpr Rgb kMarker{151, 171, 127};
  constexpr std::array<std::uint8_t, 31> kGreys{19,  27,  35,  43,  51,  59,  67,  75,  83,  91,  99,
                                                107, 115, 123, 131, 139, 147, 163, 163, 175, 175, 183,
                                                199, 215, 255, 239, 215, 183, 163, 147, 123};
  Picture picture(TextureSlots::kSize, TextureSlots::kSize);
  for (int row = 0; row < picture.height; ++row)
    for (int column = 0; column < picture.width; ++column)
      picture.Set(column, row, {static_cast<std::uint8_t>(row), 0, static_cast<std::uint8_t>(column + 1)});
  const int markedRows = static_cast<int>(kGreys.size()) + 2;  // rows 0 to 32
  for (int row = 0; row < markedRows; ++row) {
    picture.Set(1, row, kMarker);
    const bool edge = row == 0 || row == markedRows - 1;
    const std::uint8_t grey = edge ? 0 : kGreys[static_cast<std::size_t>(row - 1)];
    picture.Set(0, row, edge ? kMarker : Rgb{grey, grey, grey});
  }
  return picture;
}

// Which picture an item puts into a slot: the JAM's, unless a switch asks for
// the built-in bitmap.
bool usesJamPictures(const TextureSources& sources) { return !sources.m_DrawRcrJam && sources.m_UseInternalJams; }

// Copies item i's picture (or the built-in bitmap) into `slot`.
void copyItem(TextureSlots& slots, int slot, JAM& jam, int i, const TextureSources& sources) {
  if (!usesJamPictures(sources)) {
    slots.CopyInto(slot, BuiltInTexture());
    return;
  }
  Picture picture;
  if (jam.MakeBitmap(picture, i)) slots.CopyInto(slot, picture);
}

// Loads the JAM at `relative` and hands each item to `useItem`; the JAM is
// released on return.
template <typename UseItem>
void forEachItem(const std::string& relative, const TextureSources& sources, Messages& messages, UseItem useItem) {
  JAM jam(GamePath(sources.m_GameLocation, relative));
  jam.Load(true, messages, sources.m_JamSeed);
  for (int i = 0; i < jam.ItemCount(); ++i) {
    trace("Jam Size = %d %d\n", jam.GetWidth(i), jam.GetHeight(i));
    useItem(jam, i);
  }
}

}  // namespace

TextureSlots::TextureSlots() { m_Slots.fill(Picture(kSize, kSize)); }

void TextureSlots::CopyInto(int slot, const Picture& picture) {
  Picture& target = Slot(slot);
  const int columns = std::min({picture.width, kCopyWidth, target.width});
  const int rows = std::min({picture.height, kCopyHeight, target.height});
  if (columns <= 0) return;
  for (int row = 0; row < rows; ++row)
    std::memcpy(&target.rgb[target.Offset(0, row)], &picture.rgb[picture.Offset(0, row)],
                static_cast<std::size_t>(columns) * 3);
}

const Picture& BuiltInTexture() {
  static const Picture picture = makeBuiltInTexture();
  return picture;
}

void ResetTextureBitmaps(TextureSlots& slots) {
  for (int slot = 1; slot <= TextureSlots::kSlotCount; ++slot) slots.Slot(slot) = BuiltInTexture();
}

void LoadChassisTexture(TextureSlots& slots, const TextureSources& sources, Messages& messages) {
  const std::string relative = format("zavjams/%s/%s", "Main", "Chassis3.jam");
  // Every item goes to the same place: the last one stays on top.
  forEachItem(relative, sources, messages,
              [&](JAM& jam, int i) { copyItem(slots, kChassisSlot, jam, i, sources); });
}

void LoadCarTextures(TextureSlots& slots, const TextureSources& sources, Messages& messages) {
  LoadChassisTexture(slots, sources, messages);
  const std::string relative = format("zavjams/Liveries/%s", sources.m_CarJamName.c_str());
  // Items from 3 on have no slot; their pictures are not made.
  forEachItem(relative, sources, messages, [&](JAM& jam, int i) {
    if (i < kLiverySlots) copyItem(slots, i + 1, jam, i, sources);
  });
}

}  // namespace tavrel
