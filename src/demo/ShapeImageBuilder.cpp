#include "demo/ShapeImageBuilder.h"

#include "base/Bytes.h"
#include "shape/ShapeFile.h"

namespace tavrel {
namespace {

std::uint32_t commandBytes(const ShapeRecipe& recipe) {
  std::size_t words = 0;
  for (const auto& command : recipe.commands) words += 1 + command.size();  // sequence + opcode + args
  return static_cast<std::uint32_t>(2 * words);
}

}  // namespace

ShapeHeader ShapeHeaderFor(const ShapeRecipe& recipe) {
  ShapeHeader h;
  h.magic = recipe.magic;
  h.scaleBegin = recipe.baseAddress;
  h.scaleEnd = h.scaleBegin + static_cast<std::uint32_t>(recipe.scaleTable.size());
  h.textureBegin = h.scaleEnd;
  h.textureEnd = h.textureBegin + commandBytes(recipe);
  h.pointsBegin = h.textureEnd;
  h.pointsEnd = h.pointsBegin + static_cast<std::uint32_t>(16 * recipe.points.size() + 8);
  h.vertexEnd = h.pointsEnd + static_cast<std::uint32_t>(8 * recipe.connections.size());
  h.fileEnd = h.vertexEnd + static_cast<std::uint32_t>(2 * recipe.dataValues.size());
  return h;
}

std::vector<std::uint8_t> BuildShapeImage(const ShapeRecipe& recipe) {
  const ShapeHeader header = ShapeHeaderFor(recipe);
  std::vector<std::uint8_t> image(static_cast<std::size_t>(recipe.tableOffset), 0);
  header.Write(image);
  image.insert(image.end(), recipe.scaleTable.begin(), recipe.scaleTable.end());
  std::uint16_t sequence = 0;
  for (const auto& command : recipe.commands) {
    appendU16(image, sequence++);
    for (std::uint16_t word : command) appendU16(image, word);
  }
  for (const auto& point : recipe.points)
    for (std::int32_t value : point) appendU32(image, static_cast<std::uint32_t>(value));
  image.insert(image.end(), 8, 0);
  for (const auto& connection : recipe.connections)
    for (std::uint16_t value : connection) appendU16(image, value);
  for (std::uint16_t value : recipe.dataValues) appendU16(image, value);
  return image;
}

std::vector<std::uint8_t> BuildShapeFile(const ShapeRecipe& recipe, ShapeKind kind) {
  std::vector<std::uint8_t> image = BuildShapeImage(recipe);
  image.resize(ShapeFileLength(kind), 0);
  return image;
}

ShapeRecipe FullCarRecipe() {
  ShapeRecipe recipe;
  for (int i = 0; i < 300; ++i) recipe.points.push_back({i * 7, i * 11, i * 13, 0});
  for (int i = 0; i < 600; ++i)
    recipe.connections.push_back(
        {static_cast<std::uint16_t>(i % 300), static_cast<std::uint16_t>((i + 1) % 300), 0, 0});
  for (int i = 0; i < 400; ++i) {
    const auto c = static_cast<std::uint16_t>(i % 600 + 1);
    recipe.commands.push_back({0x01, c, static_cast<std::uint16_t>(c + 1), static_cast<std::uint16_t>(-c), 0});
  }
  recipe.dataValues.assign(200, 42);
  return recipe;
}

}  // namespace tavrel
