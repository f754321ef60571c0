#include "shape/PartFile.h"

#include <algorithm>
#include <array>
#include <string>

#include "base/Files.h"
#include "base/Format.h"
#include "base/Messages.h"

namespace tavrel {

const PartFileKind* FindPartFileKind(ShapeKind shape) {
  const auto found = std::ranges::find(kPartFileKinds, shape, &PartFileKind::shape);
  return found == kPartFileKinds.end() ? nullptr : &*found;
}

std::vector<std::uint8_t> PartFileBytes(Car& part, const PartFileKind& kind) {
  part.WriteBack(kind.TableOffset());
  return {part.m_Image.begin(), part.m_Image.begin() + static_cast<std::ptrdiff_t>(kind.length)};
}

// The header the bytes would give is checked before anything is taken: a file
// that fails the magic check must not touch the part the player is editing.
bool TakePartFileBytes(Car& part, const PartFileKind& kind, ByteView bytes, Messages& messages) {
  bytes = bytes.first(std::min(bytes.size(), kind.length));
  std::array<std::uint8_t, ShapeHeader::kSize> head{};
  std::copy_n(part.m_Image.begin(), head.size(), head.begin());
  std::ranges::copy(bytes.first(std::min(bytes.size(), head.size())), head.begin());
  const ShapeHeader header = ShapeHeader::Read(head);
  if (!header.HasValidMagic()) {
    messages.show(Car::BadMagicMessage(header.magic));
    return false;
  }
  std::ranges::copy(bytes, part.m_Image.begin());
  part.Decode(kind.TableOffset(), messages);
  return true;
}

bool WritePartFile(const std::filesystem::path& path, Car& part, const PartFileKind& kind, Messages& messages) {
  const WriteResult written = writeFileAtomically(path, PartFileBytes(part, kind));
  if (!written) messages.show(WriteFailureMessage(written));
  return static_cast<bool>(written);
}

bool ReadPartFile(const std::filesystem::path& path, Car& part, const PartFileKind& kind, Messages& messages) {
  const auto bytes = ReadFileOfLength(path, kind.length, ShapeFileDescription(kind.shape), messages);
  return bytes && TakePartFileBytes(part, kind, *bytes, messages);
}

std::string ShapeFileDescription(ShapeKind kind) {
  const PartFileKind* part = FindPartFileKind(kind);
  return part == nullptr ? "a car shape file" : format("a %s part file", std::string(part->name).c_str());
}

std::string WrongLengthMessage(const std::filesystem::path& path, std::uintmax_t size, std::string_view what,
                               std::size_t length) {
  return format("\"%s\" is %ju bytes long, but %s is %zu bytes long, so it was not read", path.string().c_str(), size,
                std::string(what).c_str(), length);
}

std::optional<std::vector<std::uint8_t>> ReadFileOfLength(const std::filesystem::path& path, std::size_t length,
                                                          std::string_view what, Messages& messages) {
  // One byte more than wanted tells a longer file from one of the right length.
  auto bytes = readFileStart(path, length + 1);
  if (!bytes) {
    messages.show(format("Cannot open file \"%s\" for reading", path.string().c_str()));
    return std::nullopt;
  }
  if (bytes->size() != length) {
    messages.show(WrongLengthMessage(path, fileSize(path).value_or(bytes->size()), what, length));
    return std::nullopt;
  }
  return bytes;
}

}  // namespace tavrel
