#pragma once
// JAM texture files: one 8-bit canvas and a list of items, each a rectangle of
// the canvas with four colour tables of its own. Stored scrambled; descrambled
// in place as the file is read.

#include <array>
#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/Bytes.h"
#include "base/Files.h"
#include "base/Messages.h"
#include "textures/IndexedBitmap.h"
#include "textures/Picture.h"

namespace tavrel {

// The seed of the scrambling key of the JAM files we read and write unless told
// otherwise.
inline constexpr std::uint32_t kDefaultJamSeed = 0x6B8E4A27u;

// XORs the bytes with the key stream of `seed`: whole little-endian words
// first, then the trailing bytes with the following key state, low byte first.
// Scrambling and descrambling are the same operation.
void ScrambleJamBytes(MutableByteView bytes, std::uint32_t seed);

// One image of a JAM: a view of its record and of its four colour tables in
// the JAM's buffer, made when asked for. A JAM keeps only where each item's
// tables start (a file may hold 65,535 items) and the pixels of the items
// whose pictures are in use.
class JAMEntry {
 public:
  static constexpr int kRecordSize = 32;
  // Items larger than this have no picture: a full-width item of the tallest
  // possible canvas (256 x 65535) still fits. Nor has an item that claims more
  // pixels than its JAM's canvas holds.
  static constexpr std::int64_t kMaxPixels = std::int64_t{1} << 24;

  // `record` holds kRecordSize bytes; `tables` the four colour tables one after
  // the other, cut short where the file ends.
  JAMEntry(const std::uint8_t* record, ByteView tables) : m_Record(record), m_Tables(tables) {}

  int X() const;
  int Y() const;
  int Width() const;
  int Height() const;
  int PaletteSize() const;
  // Unsigned 16-bit field at `offset` of the record.
  int Field16(int offset) const;
  int Field8(int offset) const;
  ByteView Palette(int table) const;  // table 1 to 4

  // The item's pixels as game palette indices, Width x Height, top row first,
  // from the JAM's canvas. Empty for items larger than kMaxPixels or than the
  // canvas, counted in whole rows, and when memory runs out.
  std::vector<std::uint8_t> Remap(ByteView canvas) const;

 private:
  const std::uint8_t* m_Record;
  ByteView m_Tables;
};

class JAM {
 public:
  static constexpr int kHeaderSize = 4;
  static constexpr int kCanvasWidth = 256;
  // Longer files are refused before they are read. The game's files are a few
  // MB; the most a file can put to use is an item table of 2 MB and the 32 MB of
  // canvas rows that an item's rectangle can reach (row 65535 + 65535), so twice
  // that leaves room for colour tables and still bounds what a stray file costs.
  static constexpr std::uintmax_t kMaxFileSize = std::uintmax_t{64} << 20;

  explicit JAM(std::filesystem::path fullPath);
  JAM(const JAM&) = delete;
  JAM& operator=(const JAM&) = delete;

  // Reads and parses the file, once in the JAM's life; a loaded JAM returns
  // true at once. When the file cannot be read, is longer than kMaxFileSize, does
  // not fit in memory or is too short for its own item table, the JAM stays not
  // loaded with no items and, if `report` is set, says so through `messages`.
  // The seed is remembered for the silent loads that making a picture may do.
  bool Load(bool report, Messages& messages, std::uint32_t seed = kDefaultJamSeed);
  // The same with the file's content already in hand (still scrambled).
  bool LoadFromBytes(std::vector<std::uint8_t> content, bool report, Messages& messages,
                     std::uint32_t seed = kDefaultJamSeed);

  // What a listing shows of the file without reading it: its item count and
  // total image size, checked as Load checks them (with the same messages). The
  // content is read when first needed (EnsureLoaded), so listing a file costs
  // the same whatever its number of items.
  bool Open(bool report, Messages& messages, std::uint32_t seed = kDefaultJamSeed);
  // Load, silently, with the seed the JAM was opened or loaded with.
  bool EnsureLoaded();

  bool IsLoaded() const { return m_IsLoaded; }
  // Opened or loaded: the item count and total image size are known.
  bool IsOpen() const { return m_IsLoaded || m_Opened; }
  const std::filesystem::path& FullPath() const { return m_FullPath; }
  int ItemCount() const { return m_IsLoaded ? static_cast<int>(m_TablesAt.size()) : m_OpenedCount; }
  int GetTotalImageSize() const;

  // Fields of item i; 0 for an i outside 0 to ItemCount() - 1.
  int GetX(int i) const;
  int GetY(int i) const;
  int GetWidth(int i) const;
  int GetHeight(int i) const;
  int GetIdx08(int i) const;  // signed
  int GetIdx0A(int i) const;
  int GetPalettePtr(int i) const;
  int GetIdx0E(int i) const;
  int GetPaletteSize(int i) const;
  int GetJamId(int i) const;
  int GetIdx14(int i) const;
  int GetIdx16(int i) const;
  int GetIdx17(int i) const;
  int GetIdx18(int i, int k) const;  // k = 0 to 7
  // Colour table `table` (1 to 4) of item i: PaletteSize bytes, or fewer when
  // the file ends inside it.
  ByteView GetPalette(int i, int table) const;
  ByteView GetPalette1(int i) const { return GetPalette(i, 1); }

  // The image canvas shared by all items.
  ByteView ItemImage(int /*i*/) const { return m_Canvas; }
  // The pixels of item i as game palette indices (see JAMEntry::Remap),
  // computed on the first call, then kept until the item is released.
  ByteView RemapItem(int i);
  // A Width x Height picture of item i in the game palette. False, with an
  // empty target, for an i outside the items or an item without a picture.
  bool MakeBitmap(Picture& target, int i);
  // Lets go of what the pictures of item i keep; a caller that goes through the
  // items one by one calls it after each, so only the picture in use is held.
  void ReleaseItem(int i);
  // How many items hold pixels for their pictures now.
  std::size_t ItemsInUse() const { return m_InUse.size(); }

  // The raw canvas byte at column x, row y, or 0 outside the canvas, outside
  // columns 0 to 255, or at rows from the height of item 0 on.
  int CanvasByte(int x, int y) const;

 private:
  bool Parse(bool report, Messages& messages);
  // Whether a file of `size` bytes holds the header and `count` item records; says why not.
  bool TableFits(std::uintmax_t size, int count, bool report, Messages& messages) const;
  void ReportUnread(const BoundedRead& read, Messages& messages) const;
  std::optional<JAMEntry> Entry(int i) const;

  // What a picture of an item holds while it is in use.
  struct ItemInUse {
    bool remapped = false;
    std::vector<std::uint8_t> pixels;
    IndexedBitmap bitmap;
  };

  std::vector<std::uint32_t> m_TablesAt;  // where each item's colour tables start in the buffer
  std::map<int, ItemInUse> m_InUse;
  std::filesystem::path m_FullPath;
  bool m_IsLoaded = false;
  bool m_Opened = false;
  int m_OpenedCount = 0;
  int m_OpenedTotalImageSize = 0;
  std::vector<std::uint8_t> m_Buffer;
  ByteView m_Canvas;
  std::uint32_t m_Seed = kDefaultJamSeed;
};

}  // namespace tavrel
