#include "shape/ShapeLayout.h"

#include <algorithm>

namespace tavrel {
namespace {

std::int32_t recordCount(std::uint32_t begin, std::uint32_t end, int recordSize) {
  return static_cast<std::int32_t>(end - begin) / recordSize;
}

}  // namespace

ShapeLayout LayoutOf(const ShapeHeader& h, int tableOffset) {
  ShapeLayout layout;
  layout.scaleTableEnd = h.OffsetOf(h.scaleEnd, tableOffset);
  layout.pointCount = recordCount(h.pointsBegin, h.pointsEnd, kPointRecordSize);
  layout.points = h.OffsetOf(h.pointsBegin, tableOffset);
  layout.connections =
      layout.points + std::int64_t{kPointRecordSize} * std::max(0, layout.pointCount) + kPointsTrailerSize;
  layout.connectionCount = recordCount(h.pointsEnd, h.vertexEnd, kConnectionRecordSize);
  layout.commands = h.OffsetOf(h.textureBegin, tableOffset);
  layout.commandsEnd = h.OffsetOf(h.textureEnd, tableOffset);
  layout.dataValues = h.OffsetOf(h.vertexEnd, tableOffset);
  layout.dataValueCount = recordCount(h.vertexEnd, h.fileEnd, kDataValueSize);
  return layout;
}

}  // namespace tavrel
