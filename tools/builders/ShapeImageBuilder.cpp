#include "builders/ShapeImageBuilder.h"

#include "base/Bytes.h"

namespace tavrel {
namespace {

std::uint32_t commandBytes(const ShapeSpec& spec) {
  std::size_t words = 0;
  for (const auto& command : spec.commands) words += 1 + command.size();  // sequence + opcode + args
  return static_cast<std::uint32_t>(2 * words);
}

}  // namespace

ShapeHeader ShapeHeaderFor(const ShapeSpec& spec) {
  ShapeHeader h;
  h.magic = spec.magic;
  h.scaleBegin = spec.baseAddress;
  h.scaleEnd = h.scaleBegin + static_cast<std::uint32_t>(spec.scaleTable.size());
  h.textureBegin = h.scaleEnd;
  h.textureEnd = h.textureBegin + commandBytes(spec);
  h.pointsBegin = h.textureEnd;
  h.pointsEnd = h.pointsBegin + static_cast<std::uint32_t>(16 * spec.points.size() + 8);
  h.vertexEnd = h.pointsEnd + static_cast<std::uint32_t>(8 * spec.connections.size());
  h.fileEnd = h.vertexEnd + static_cast<std::uint32_t>(2 * spec.dataValues.size());
  return h;
}

std::vector<std::uint8_t> BuildShapeImage(const ShapeSpec& spec) {
  const ShapeHeader header = ShapeHeaderFor(spec);
  std::vector<std::uint8_t> image(static_cast<std::size_t>(spec.tableOffset), 0);
  header.Write(image);
  image.insert(image.end(), spec.scaleTable.begin(), spec.scaleTable.end());
  std::uint16_t sequence = 0;
  for (const auto& command : spec.commands) {
    appendU16(image, sequence++);
    for (std::uint16_t word : command) appendU16(image, word);
  }
  for (const auto& point : spec.points)
    for (std::int32_t value : point) appendU32(image, static_cast<std::uint32_t>(value));
  image.insert(image.end(), 8, 0);
  for (const auto& connection : spec.connections)
    for (std::uint16_t value : connection) appendU16(image, value);
  for (std::uint16_t value : spec.dataValues) appendU16(image, value);
  return image;
}

ShapeSpec FullCarSpec() {
  ShapeSpec spec;
  for (int i = 0; i < 300; ++i) spec.points.push_back({i * 7, i * 11, i * 13, 0});
  for (int i = 0; i < 600; ++i)
    spec.connections.push_back({static_cast<std::uint16_t>(i % 300), static_cast<std::uint16_t>((i + 1) % 300), 0, 0});
  for (int i = 0; i < 400; ++i) {
    const auto c = static_cast<std::uint16_t>(i % 600 + 1);
    spec.commands.push_back({0x01, c, static_cast<std::uint16_t>(c + 1), static_cast<std::uint16_t>(-c), 0});
  }
  spec.dataValues.assign(200, 42);
  return spec;
}

}  // namespace tavrel
