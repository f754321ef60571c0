#pragma once
// Little-endian access to game data, assembled byte by byte so the host's byte
// order never matters. Every access is bounds-checked: outside data reads as
// nothing and is never written.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace tavrel {

using ByteView = std::span<const std::uint8_t>;
using MutableByteView = std::span<std::uint8_t>;

// True when the range [offset, offset + size) lies inside a buffer of `total` bytes.
constexpr bool fits(std::size_t total, std::int64_t offset, std::int64_t size) {
  return offset >= 0 && size >= 0 && offset <= static_cast<std::int64_t>(total) &&
         size <= static_cast<std::int64_t>(total) - offset;
}

inline std::optional<std::uint16_t> readU16(ByteView bytes, std::int64_t offset) {
  if (!fits(bytes.size(), offset, 2)) return std::nullopt;
  const auto at = static_cast<std::size_t>(offset);
  return static_cast<std::uint16_t>(bytes[at] | (bytes[at + 1] << 8));
}

inline std::optional<std::uint32_t> readU32(ByteView bytes, std::int64_t offset) {
  if (!fits(bytes.size(), offset, 4)) return std::nullopt;
  const auto at = static_cast<std::size_t>(offset);
  return static_cast<std::uint32_t>(bytes[at]) | (static_cast<std::uint32_t>(bytes[at + 1]) << 8) |
         (static_cast<std::uint32_t>(bytes[at + 2]) << 16) | (static_cast<std::uint32_t>(bytes[at + 3]) << 24);
}

inline bool writeU16(MutableByteView bytes, std::int64_t offset, std::uint16_t value) {
  if (!fits(bytes.size(), offset, 2)) return false;
  const auto at = static_cast<std::size_t>(offset);
  bytes[at] = static_cast<std::uint8_t>(value & 0xFF);
  bytes[at + 1] = static_cast<std::uint8_t>((value >> 8) & 0xFF);
  return true;
}

inline bool writeU32(MutableByteView bytes, std::int64_t offset, std::uint32_t value) {
  if (!fits(bytes.size(), offset, 4)) return false;
  const auto at = static_cast<std::size_t>(offset);
  for (int i = 0; i < 4; ++i)
    bytes[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>((value >> (8 * i)) & 0xFF);
  return true;
}

// Appending writers for the builders of game data.
inline void appendU16(std::vector<std::uint8_t>& out, std::uint16_t value) {
  out.push_back(static_cast<std::uint8_t>(value & 0xFF));
  out.push_back(static_cast<std::uint8_t>(value >> 8));
}

inline void appendU32(std::vector<std::uint8_t>& out, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>((value >> (8 * i)) & 0xFF));
}

}  // namespace tavrel
