#include "shape/PartFile.h"

#include <algorithm>

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

// Decoded in a scratch car first: a file that fails the magic check must not
// touch the part the player is editing.
bool TakePartFileBytes(Car& part, const PartFileKind& kind, ByteView bytes, Messages& messages) {
  bytes = bytes.first(std::min(bytes.size(), kind.length));
  auto scratch = std::make_unique<Car>();
  scratch->m_Image = part.m_Image;
  std::ranges::copy(bytes, scratch->m_Image.begin());
  scratch->Decode(kind.TableOffset(), messages);
  if (scratch->m_Valid == 0) return false;
  part.m_Image = scratch->m_Image;
  part.Decode(kind.TableOffset(), messages);
  return true;
}

bool WritePartFile(const std::filesystem::path& path, Car& part, const PartFileKind& kind, Messages& messages) {
  if (writeFileAtomically(path, PartFileBytes(part, kind))) return true;
  messages.show("Cannot open file for writing");
  return false;
}

bool ReadPartFile(const std::filesystem::path& path, Car& part, const PartFileKind& kind, Messages& messages) {
  const auto bytes = readFileStart(path, kind.length);
  if (!bytes) {
    messages.show(format("Cannot open file \"%s\" for reading", path.string().c_str()));
    return false;
  }
  return TakePartFileBytes(part, kind, *bytes, messages);
}

}  // namespace tavrel
