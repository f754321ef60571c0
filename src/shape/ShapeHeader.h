#pragma once
// The 54-byte header at the start of a shape image: a magic number and the game
// addresses of the image's regions.

#include <cstdint>

#include "base/Bytes.h"

namespace tavrel {

struct ShapeHeader {
  static constexpr std::size_t kSize = 54;
  static constexpr std::int16_t kMagicCar = -32766;   // 0x8002
  static constexpr std::int16_t kMagicPart = -32765;  // 0x8003

  std::int16_t magic = 0;
  std::uint16_t unused2 = 0;
  std::uint32_t scaleBegin = 0;
  std::uint32_t scaleEnd = 0;
  std::uint32_t textureBegin = 0;
  std::uint32_t pointsBegin = 0;
  std::uint32_t pointsEnd = 0;
  std::uint32_t textureEnd = 0;
  std::uint32_t vertexEnd = 0;
  std::uint32_t fileEnd = 0;
  std::uint32_t unused36 = 0;
  std::uint32_t unused40 = 0;
  std::uint32_t unused44 = 0;
  std::uint16_t unused48 = 0;
  std::uint16_t unused50 = 0;
  std::uint16_t unused52 = 0;

  bool HasValidMagic() const { return magic == kMagicCar || magic == kMagicPart; }

  // Image offset of a header address: A - scaleBegin + table offset, in the
  // game's 32-bit arithmetic.
  std::int64_t OffsetOf(std::uint32_t address, int tableOffset) const {
    return static_cast<std::int64_t>(static_cast<std::int32_t>(address - scaleBegin)) + tableOffset;
  }

  // Reads the header from the first 54 bytes; missing bytes read as zero.
  static ShapeHeader Read(ByteView image);
  // Stores the header into the first 54 bytes of an image.
  void Write(MutableByteView image) const;
};

}  // namespace tavrel
