// Arbitrary bytes as a part file, then written back. The first byte picks the
// kind of part (bits 0-1) and whether a part's magic number is put in front
// (bit 2: the magic check is a gate the fuzzer rarely passes by itself). A file
// the part takes is written back exactly as read (decoding and writing back
// change no byte); one it refuses leaves the part's image as it was.
#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "base/Messages.h"
#include "shape/PartFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  static std::array<std::unique_ptr<tavrel::Car>, tavrel::kPartFileKinds.size()> parts;
  const std::size_t which = data[0] & 3u;
  const tavrel::PartFileKind& kind = tavrel::kPartFileKinds[which];
  if (!parts[which]) parts[which] = std::make_unique<tavrel::Car>();
  tavrel::Car& part = *parts[which];

  std::vector<std::uint8_t> file(data, data + size);
  if ((data[0] & 4u) != 0) tavrel::writeU16(file, 0, static_cast<std::uint16_t>(tavrel::ShapeHeader::kMagicPart));
  tavrel::SilentMessages messages;
  const auto before = part.m_Image;
  const bool taken = tavrel::TakePartFileBytes(part, kind, file, messages);
  const auto written = tavrel::PartFileBytes(part, kind);
  if (written.size() != kind.length) __builtin_trap();
  const std::size_t read = std::min(file.size(), kind.length);
  if (taken && !std::equal(written.begin(), written.begin() + static_cast<std::ptrdiff_t>(read), file.begin()))
    __builtin_trap();
  if (!taken && part.m_Image != before) __builtin_trap();
  return 0;
}
