// Arbitrary bytes as a JAM file: the first byte chooses whether the rest is the
// file as stored (scrambled) or as it is after descrambling. Opening the file
// agrees with loading it; no file holds more items than its 16-bit count allows.
// Every field, table and picture is read, made again after it was let go (and
// nothing is held once it is), and CanvasByte is asked around every edge.
#include <algorithm>
#include <cstdint>
#include <vector>

#include "ScratchInput.h"
#include "base/Messages.h"
#include "textures/JAM.h"

namespace {

// Large pictures cost time, not coverage: the remapping loop is the same.
constexpr std::int64_t kLargestMadePicture = std::int64_t{1} << 12;

void check(bool condition) {
  if (!condition) __builtin_trap();
}

void readItem(tavrel::JAM& jam, int i) {
  volatile int sink = jam.GetIdx08(i) + jam.GetIdx0A(i) + jam.GetPalettePtr(i) + jam.GetIdx0E(i) + jam.GetJamId(i) +
                      jam.GetIdx14(i) + jam.GetIdx16(i) + jam.GetIdx17(i);
  for (int k = 0; k < 8; ++k) sink = sink + jam.GetIdx18(i, k);
  for (int table = 1; table <= 4; ++table) {
    const tavrel::ByteView palette = jam.GetPalette(i, table);
    check(palette.size() <= static_cast<std::size_t>(jam.GetPaletteSize(i)));
    for (const std::uint8_t byte : palette) sink = sink + byte;
  }

  // An item may claim no more pixels than the canvas holds in whole rows.
  const auto canvasBytes = static_cast<std::int64_t>(jam.ItemImage(i).size());
  const std::int64_t allowed = std::min(tavrel::JAMEntry::kMaxPixels, (canvasBytes + 255) / 256 * 256);
  const std::int64_t pixels = std::int64_t{jam.GetWidth(i)} * jam.GetHeight(i);
  if (pixels > kLargestMadePicture && pixels <= allowed) return;
  tavrel::Picture picture;
  const bool made = jam.MakeBitmap(picture, i);
  check(made == (pixels <= allowed));
  if (made) {
    check(picture.width == jam.GetWidth(i) && picture.height == jam.GetHeight(i));
    check(picture.rgb.size() == static_cast<std::size_t>(pixels) * 3);
  }
  jam.ReleaseItem(i);
  check(jam.ItemsInUse() == 0);
  tavrel::Picture again;
  check(jam.MakeBitmap(again, i) == made && again == picture);
  jam.ReleaseItem(i);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  std::vector<std::uint8_t> file(data + 1, data + size);
  if ((data[0] & 1) == 0) tavrel::ScrambleJamBytes(file, tavrel::kDefaultJamSeed);
  static const fuzz::ScratchFile scratch(".jam");
  scratch.Write(file.data(), file.size());
  tavrel::SilentMessages messages;
  tavrel::JAM opened(scratch.path);
  const bool open = opened.Open(true, messages);

  tavrel::JAM jam(scratch.path);
  check(jam.Load(true, messages) == open);
  check(jam.IsLoaded() || jam.ItemCount() == 0);
  check(jam.ItemCount() == opened.ItemCount() && jam.GetTotalImageSize() == opened.GetTotalImageSize());
  check(jam.ItemCount() <= 65535);
  for (int i = 0; i < jam.ItemCount(); ++i) readItem(jam, i);

  const int height = jam.GetHeight(0);
  volatile int sink = 0;
  for (const int y : {-1, 0, 1, height - 1, height, 65535})
    for (const int x : {-1, 0, 1, 254, 255, 256}) sink = sink + jam.CanvasByte(x, y);
  return 0;
}
