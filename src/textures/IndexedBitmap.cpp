#include "textures/IndexedBitmap.h"

#include <algorithm>
#include <cstdio>
#include <limits>
#include <new>

namespace tavrel {
namespace {

constexpr std::int64_t kLargestRowsSize = std::numeric_limits<std::int32_t>::max() - IndexedBitmap::kPixelDataOffset;

std::int32_t readSigned32(ByteView bytes, std::int64_t offset) {
  return static_cast<std::int32_t>(readU32(bytes, offset).value_or(0));
}

}  // namespace

int IndexedBitmap::Stride(std::uint16_t width) { return (width + 3) & ~3; }

void IndexedBitmap::SetColourTable(ByteView table) {
  m_ColourTable.fill(0);
  std::copy_n(table.begin(), std::min<std::size_t>(table.size(), m_ColourTable.size()), m_ColourTable.begin());
}

bool IndexedBitmap::CreateFromRows(std::uint16_t width, std::uint16_t height, ByteView rows) {
  const int stride = Stride(width);
  const std::int64_t rowsSize = std::int64_t{stride} * height;
  // Pictures whose size the headers cannot state are treated like a failed allocation.
  bool allocated = rowsSize <= kLargestRowsSize;
  if (allocated) {
    try {
      m_Rows.assign(static_cast<std::size_t>(rowsSize), 0);
    } catch (const std::bad_alloc&) {
      allocated = false;
    }
  }
  if (!allocated) {
    FreePixels();
    m_RowsSize = 0;
    std::fputs("Out of memory trying to allocate a buffer for BMP file.\n", stdout);
    return false;
  }
  m_RowsSize = static_cast<std::int32_t>(rowsSize);

  writeU16(m_FileHeader, 0, 0x4D42);
  writeU32(m_FileHeader, 2, static_cast<std::uint32_t>(m_RowsSize + kPixelDataOffset));
  writeU32(m_FileHeader, 6, 0);
  writeU32(m_FileHeader, 10, kPixelDataOffset);

  m_InfoHeader.fill(0);
  writeU32(m_InfoHeader, 0, kInfoHeaderSize);
  writeU32(m_InfoHeader, 4, width);
  writeU32(m_InfoHeader, 8, height);
  writeU16(m_InfoHeader, 12, 1);
  writeU16(m_InfoHeader, 14, 8);
  writeU32(m_InfoHeader, 20, static_cast<std::uint32_t>(m_RowsSize));
  writeU32(m_InfoHeader, 32, 256);
  writeU32(m_InfoHeader, 36, 256);

  for (std::size_t row = 0; row < height; ++row) {
    const std::size_t from = row * width;
    if (from >= rows.size()) break;
    const std::size_t count = std::min<std::size_t>(width, rows.size() - from);
    std::copy_n(rows.begin() + static_cast<std::ptrdiff_t>(from), count,
                m_Rows.begin() + static_cast<std::ptrdiff_t>(row * static_cast<std::size_t>(stride)));
  }
  FlipRows();
  return true;
}

// Swapping the rows in place needs no temporary row, so flipping cannot fail.
void IndexedBitmap::FlipRows() {
  const int height = Height();
  const auto stride = static_cast<std::size_t>(Stride(static_cast<std::uint16_t>(Width())));
  if (height <= 0 || m_Rows.size() < stride * static_cast<std::size_t>(height)) return;
  for (int top = 0, bottom = height - 1; top < bottom; ++top, --bottom) {
    const auto topRow = m_Rows.begin() + static_cast<std::ptrdiff_t>(stride * static_cast<std::size_t>(top));
    const auto bottomRow = m_Rows.begin() + static_cast<std::ptrdiff_t>(stride * static_cast<std::size_t>(bottom));
    std::swap_ranges(topRow, topRow + static_cast<std::ptrdiff_t>(stride), bottomRow);
  }
}

bool IndexedBitmap::MakeDeviceBitmap(Picture& target) const {
  const int width = Width();
  const int height = Height();
  const auto stride = static_cast<std::size_t>(Stride(static_cast<std::uint16_t>(width)));
  target = Picture();
  if (m_Rows.size() < stride * static_cast<std::size_t>(height)) return false;
  try {
    target = Picture(width, height);
  } catch (const std::bad_alloc&) {
    return false;
  }
  auto out = target.rgb.begin();
  for (int row = 0; row < height; ++row) {
    const std::uint8_t* stored = m_Rows.data() + stride * static_cast<std::size_t>(height - 1 - row);
    for (int column = 0; column < width; ++column) {
      const std::uint8_t* entry = &m_ColourTable[static_cast<std::size_t>(stored[column]) * 4];
      *out++ = entry[2];
      *out++ = entry[1];
      *out++ = entry[0];
    }
  }
  return true;
}

void IndexedBitmap::FreePixels() { std::vector<std::uint8_t>().swap(m_Rows); }

int IndexedBitmap::Width() const { return readSigned32(m_InfoHeader, 4); }
int IndexedBitmap::Height() const { return readSigned32(m_InfoHeader, 8); }

}  // namespace tavrel
