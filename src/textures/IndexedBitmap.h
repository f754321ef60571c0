#pragma once
// An 8-bit picture with a 256-entry colour table, laid out as the parts of a
// 256-colour BMP file (file header, information header, colour table, pixel rows
// bottom row first). It turns the palette pixels of a JAM item into a Picture.

#include <array>
#include <cstdint>
#include <vector>

#include "base/Bytes.h"
#include "textures/Picture.h"

namespace tavrel {

class IndexedBitmap {
 public:
  static constexpr int kFileHeaderSize = 14;
  static constexpr int kInfoHeaderSize = 40;
  static constexpr int kColourTableSize = 256 * 4;
  static constexpr int kPixelDataOffset = kFileHeaderSize + kInfoHeaderSize + kColourTableSize;  // 1078

  // Row length in bytes: the width rounded up to a multiple of 4.
  static int Stride(std::uint16_t width);

  // Copies 1024 bytes of blue, green, red, 0 entries; a shorter table leaves
  // the missing entries zero.
  void SetColourTable(ByteView table);

  // Lays out a width x height picture from `rows` (height rows of width bytes,
  // top row first, no padding). Rows missing from `rows` (an empty view among
  // them) stay zero. False, with a note on standard output and no rows, when
  // the pixel rows cannot be held.
  bool CreateFromRows(std::uint16_t width, std::uint16_t height, ByteView rows);

  // Exchanges the rows top for bottom.
  void FlipRows();

  // The picture in true colour, top row first: pixel (c, r) has the colour of
  // the table entry of its pixel value. False, with an empty target, when there
  // are no rows or the picture does not fit in memory.
  bool MakeDeviceBitmap(Picture& target) const;

  void FreePixels();

  ByteView FileHeader() const { return m_FileHeader; }
  ByteView InfoHeader() const { return m_InfoHeader; }
  ByteView ColourTable() const { return m_ColourTable; }
  ByteView Rows() const { return m_Rows; }
  std::int32_t RowsSize() const { return m_RowsSize; }
  int Width() const;
  int Height() const;

 private:
  std::array<std::uint8_t, kFileHeaderSize> m_FileHeader{};
  std::array<std::uint8_t, kInfoHeaderSize> m_InfoHeader{};
  std::array<std::uint8_t, kColourTableSize> m_ColourTable{};
  std::vector<std::uint8_t> m_Rows;
  std::int32_t m_RowsSize = 0;
};

}  // namespace tavrel
