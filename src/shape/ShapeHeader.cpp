#include "shape/ShapeHeader.h"

namespace tavrel {
namespace {

// Each field with its image offset, so reading and writing share one layout.
template <typename Header, typename Visit>
void forEachField(Header& h, Visit visit) {
  visit(0, h.magic);
  visit(2, h.unused2);
  visit(4, h.scaleBegin);
  visit(8, h.scaleEnd);
  visit(12, h.textureBegin);
  visit(16, h.pointsBegin);
  visit(20, h.pointsEnd);
  visit(24, h.textureEnd);
  visit(28, h.vertexEnd);
  visit(32, h.fileEnd);
  visit(36, h.unused36);
  visit(40, h.unused40);
  visit(44, h.unused44);
  visit(48, h.unused48);
  visit(50, h.unused50);
  visit(52, h.unused52);
}

}  // namespace

ShapeHeader ShapeHeader::Read(ByteView image) {
  ShapeHeader header;
  forEachField(header, [&](std::int64_t offset, auto& field) {
    using Field = std::remove_reference_t<decltype(field)>;
    if constexpr (sizeof(Field) == 2)
      field = static_cast<Field>(readU16(image, offset).value_or(0));
    else
      field = static_cast<Field>(readU32(image, offset).value_or(0));
  });
  return header;
}

void ShapeHeader::Write(MutableByteView image) const {
  forEachField(*this, [&](std::int64_t offset, const auto& field) {
    if constexpr (sizeof(field) == 2)
      writeU16(image, offset, static_cast<std::uint16_t>(field));
    else
      writeU32(image, offset, static_cast<std::uint32_t>(field));
  });
}

}  // namespace tavrel
