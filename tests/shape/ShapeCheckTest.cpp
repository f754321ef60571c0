// The check that stands between a shape and the game's executable: what stops
// a patch, what the player may override, and what is only odd.
#include <algorithm>
#include <functional>

#include <gtest/gtest.h>

#include "shape/ShapeCheck.h"
#include "support/TestSupport.h"
#include "textures/CarMappingTable.h"

namespace tavrel {
namespace {

// A square of four points walked by one polygon, with a data value.
ShapeRecipe Square() {
  ShapeRecipe recipe;
  recipe.points = {{0, 0, 0, 0}, {100, 0, 0, 0}, {100, 100, 0, 0}, {0, 100, 0, 0}};
  recipe.connections = {{0, 1, 0, 0}, {1, 2, 0, 0}, {2, 3, 0, 0}, {3, 0, 0, 0}};
  recipe.commands = {{0x01, 1, 2, 3, 4, 0}};
  recipe.dataValues = {5};
  return recipe;
}

// The square's image with its header changed, decoded as a car.
std::unique_ptr<Car> WithHeader(const std::function<void(ShapeHeader&)>& change) {
  auto car = test::DecodedCar(Square());
  ShapeHeader header = *car->m_Header;
  change(header);
  header.Write(car->m_Image);
  test::RecordingMessages messages;
  car->Decode(tableOffset(ShapeKind::Car), messages);
  return car;
}

TEST(ShapeCheck, AWholeShapeHasNoProblem) {
  for (ShapeKind kind : kAllShapeKinds) {
    ShapeRecipe recipe = Square();
    recipe.tableOffset = tableOffset(kind);
    EXPECT_EQ(CheckShape(*test::DecodedCar(recipe), kind), std::vector<ShapeProblem>{}) << kindName(kind);
  }
}

TEST(ShapeCheck, AShapeThatIsNotWholeGivesItsFirstErrorFirst) {
  const ShapeHeader square = ShapeHeaderFor(Square());
  const auto offset = [&](std::uint32_t address) { return square.OffsetOf(address, 94); };
  struct Case {
    std::function<void(ShapeHeader&)> change;
    std::string first;
  };
  const Case cases[] = {
      {[](ShapeHeader& h) { h.magic = 0x1234; }, "Bad magic number 1234 in the shape image"},
      {[](ShapeHeader& h) { h.pointsEnd = h.pointsBegin - 16; }, "its points region ends before it begins"},
      {[](ShapeHeader& h) { h.pointsEnd = h.pointsBegin + 16 * 10000; },
       "its points region ends at byte " + std::to_string(offset(square.pointsBegin) + 160000) +
           ", past the 93472 bytes a car has"},
      {[](ShapeHeader& h) { h.fileEnd = h.vertexEnd + 2 * 50000; },
       "its data values region ends at byte " + std::to_string(offset(square.vertexEnd) + 100000) +
           ", past the 93472 bytes a car has"},
      {[](ShapeHeader& h) { h.pointsBegin = h.scaleBegin - 90, h.pointsEnd = h.pointsBegin + 16; },
       "its points region starts at byte 4, inside its header (its tables start at byte 94)"},
      {[](ShapeHeader& h) { h.scaleEnd = h.scaleBegin + 0x7FFFFFF0; },
       "its scale table region ends at byte 2147483726, past the 93472 bytes a car has"},
  };
  for (const Case& c : cases) {
    const auto problems = CheckShape(*WithHeader(c.change), ShapeKind::Car);
    ASSERT_FALSE(problems.empty()) << c.first;
    EXPECT_EQ(problems.front(), (ShapeProblem{Severity::Error, c.first}));
  }
}

// A part has only its part file's length of room in the game.
TEST(ShapeCheck, APartMustFitItsPartFile) {
  ShapeRecipe recipe = Square();
  recipe.tableOffset = tableOffset(ShapeKind::SteeringWheel);
  recipe.dataValues.assign(300, 1);
  const auto problems = CheckShape(*test::DecodedCar(recipe), ShapeKind::SteeringWheel);
  ASSERT_FALSE(problems.empty());
  EXPECT_EQ(problems.front().text, "its data values region ends at byte " +
                                       std::to_string(BuildShapeImage(recipe).size()) +
                                       ", past the 496 bytes a steering wheel has");
}

TEST(ShapeCheck, ElementsNamingMissingOnesAreIndexErrorsAfterTheErrors) {
  ShapeRecipe recipe = Square();
  recipe.connections[1] = {1, 9, 0, 0};
  recipe.commands = {{0x01, 1, 2, 700, 0}, {0x10, 7, 0x80, 9, 1, static_cast<std::uint16_t>(-8), 0}};
  auto car = test::DecodedCar(recipe);
  EXPECT_EQ(CheckShape(*car, ShapeKind::Car),
            (std::vector<ShapeProblem>{
                {Severity::IndexError, "connection 1 names point 9, but the car has 4"},
                {Severity::IndexError, "polygon 0 names connection 700, but the car has 4"},
                {Severity::IndexError, "polygon 1 names connection 8, but the car has 4"},
                {Severity::Warning, "polygon 0 has 2 distinct corners, fewer than three"},
                {Severity::Warning, "polygon 1 has 0 distinct corners, fewer than three"},
            }));
  car->m_Connections[1].m_To = 2;  // an edit mends it: the check looks at the elements as they are now
  const auto problems = CheckShape(*car, ShapeKind::Car);
  EXPECT_EQ(std::ranges::find(problems, "connection 1 names point 9, but the car has 4", &ShapeProblem::text),
            problems.end());
}

TEST(ShapeCheck, OddButHarmlessThingsAreWarnings) {
  ShapeRecipe recipe = Square();
  recipe.points.resize(50, {7, 7, 7, 0});  // point 4 and on used by no connection, but 37 to 40 carry the tyres
  recipe.connections.push_back({2, 2, 0, 0});
  recipe.commands.push_back({0x01, 1, 5, 5, 0});
  recipe.commands.push_back({0x80, 1, 2, 3});  // no index list: no polygon
  CarMappingTable mapping;
  mapping.ReadTextureCfgText("0,9,0,0,0,0,0,0,0\n");
  std::vector<ShapeProblem> expected = {
      {Severity::Warning, "polygon 1 has 2 distinct corners, fewer than three"},
      {Severity::Warning, "connection 4 runs from point 2 to itself"},
  };
  for (int point = 4; point < 50; ++point)
    if (point < 37 || point > 40)
      expected.push_back({Severity::Warning, "point " + std::to_string(point) + " is used by no connection"});
  expected.push_back({Severity::Warning, "polygon 0 is mapped to texture 9; the textures are 1 to 4"});
  expected.push_back({Severity::Warning, "polygon 1 has no entry in the texture mapping table"});
  EXPECT_EQ(CheckShape(*test::DecodedCar(recipe), ShapeKind::Car, &mapping), expected);
}

// What a patch of a whole shape writes: up to the furthest end of its regions,
// which for a command read past the end of its list is where that command ends.
TEST(ShapeCheck, TheExtentEndsWithTheFurthestRegion) {
  const ShapeRecipe square = Square();
  EXPECT_EQ(ShapeExtent(*test::DecodedCar(square), ShapeKind::Car), BuildShapeImage(square).size());

  auto car = WithHeader([](ShapeHeader& h) {
    // The command list moved behind the data values, its end one word after its start.
    h.textureBegin = h.fileEnd;
    h.textureEnd = h.fileEnd + 2;
  });
  std::vector<std::uint8_t> command = {0, 0, 1, 0, 1, 0, 2, 0, 3, 0, 0, 0};  // sequence 0, opcode 1, 1 2 3 0
  const std::int64_t at = car->m_Header->OffsetOf(car->m_Header->fileEnd, 94);
  std::copy(command.begin(), command.end(), car->m_Image.begin() + at);
  test::RecordingMessages messages;
  car->Decode(94, messages);
  ASSERT_EQ(car->m_CommandCount, 1);
  EXPECT_EQ(ShapeExtent(*car, ShapeKind::Car), static_cast<std::size_t>(at) + command.size());
}

}  // namespace
}  // namespace tavrel
