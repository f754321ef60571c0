#include <functional>

#include <gtest/gtest.h>

#include "base/Trace.h"
#include "shape/ShapeKind.h"
#include "support/TestSupport.h"

namespace tavrel {
namespace {

using test::DecodedCar;
using test::RecordingMessages;

ShapeRecipe TwoPointRecipe() {
  ShapeRecipe recipe;
  recipe.points = {{5, 1, 0, 0}, {-5, 2, 7, 9}};
  recipe.connections = {{0, 1, 0xFFFF, 3}};
  recipe.commands = {{1, 1, 0, 0}};
  recipe.dataValues = {12, 34, 56};
  return recipe;
}

// The image of a recipe, changed by `edit` before it is decoded.
template <typename Edit>
std::unique_ptr<Car> DecodeEdited(const ShapeRecipe& recipe, Edit edit, RecordingMessages& messages) {
  auto car = std::make_unique<Car>();
  const auto image = BuildShapeImage(recipe);
  std::copy(image.begin(), image.end(), car->m_Image.begin());
  edit(*car);
  car->Decode(recipe.tableOffset, messages);
  return car;
}

TEST(Decode, AcceptsBothMagicNumbers) {
  for (std::int16_t magic : {ShapeHeader::kMagicCar, ShapeHeader::kMagicPart}) {
    ShapeRecipe recipe = TwoPointRecipe();
    recipe.magic = magic;
    EXPECT_EQ(DecodedCar(recipe)->m_Valid, 1) << magic;
  }
}

TEST(Decode, BadMagicIsReportedInHexAndKeepsTheTables) {
  struct Case {
    std::uint16_t magic;
    const char* shown;
  };
  for (const Case& c : {Case{0x8001, "ffff8001"}, Case{0x1234, "1234"}, Case{0x9000, "ffff9000"}}) {
    RecordingMessages messages;
    auto car = DecodedCar(TwoPointRecipe(), messages);
    car->Write16(0, c.magic);
    car->Decode(94, messages);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, std::string("Bad magic number ") + c.shown + " in the shape image");
    EXPECT_EQ(messages.shown[0].icon, Icon::Plain);
    EXPECT_EQ(car->m_Valid, 0);
    EXPECT_EQ(car->m_PointCount, 2);
    EXPECT_EQ(car->m_CommandCount, 1);
  }
}

TEST(Decode, PointsConnectionsAndDataValuesCarryTheModelValues) {
  auto car = DecodedCar(TwoPointRecipe());
  ASSERT_EQ(car->m_PointCount, 2);
  EXPECT_EQ(car->m_Points[0].m_X, -5);
  EXPECT_EQ(car->m_Points[1].m_X, 5);
  EXPECT_EQ(car->m_Points[1].m_Z, 7);
  EXPECT_EQ(car->m_Points[1].m_U1, 9);
  EXPECT_EQ(car->m_Points[1].GetOwner(), car.get());
  ASSERT_EQ(car->m_ConnectionCount, 1);
  EXPECT_EQ(car->m_Connections[0].m_To, 1);
  EXPECT_EQ(car->m_Connections[0].m_U1, 65535);  // no sign extension
  ASSERT_EQ(car->m_DataValueCount, 3);
  EXPECT_EQ(car->m_DataValues[2].m_Value, 56);
}

TEST(Decode, ConnectionsFollowWholePointRecordsAndEightSkippedBytes) {
  // 40 bytes of points region: 2 records, connections 40 bytes after pointsBegin.
  // 32 bytes: still 2 records, and the connections 8 bytes after pointsEnd.
  for (std::uint32_t pointsLength : {40u, 32u}) {
    RecordingMessages messages;
    auto car = DecodeEdited(
        TwoPointRecipe(),
        [&](Car& c) {
          const ShapeHeader h = ShapeHeader::Read(c.m_Image);
          c.Write32(20, static_cast<std::int32_t>(h.pointsBegin + pointsLength));
        },
        messages);
    ASSERT_EQ(car->m_PointCount, 2) << pointsLength;
    EXPECT_EQ(car->m_Connections.at(0).m_From, 0) << pointsLength;
    EXPECT_EQ(car->m_Connections.at(0).m_To, 1) << pointsLength;
  }
}

struct CommandCase {
  std::vector<std::uint16_t> words;  // opcode, then argument words
  std::vector<std::int32_t> args;
  std::vector<std::int16_t> indices;
};

TEST(Decode, CommandArgumentsAndIndexLists) {
  const std::vector<CommandCase> cases = {
      {{0x01, 3, 4, 5, 0}, {3, 4, 5, 0}, {3, 4, 5}},
      {{0x01, 0, 0, 0}, {0, 0, 0}, {}},
      {{0x10, 7, 0x80, 9, 1, 2, 0}, {7, 0x80, 9, 1, 2, 0}, {2}},
      {{0x10, 7, 0x40, 9, 0}, {7, 0x40, 9, 0}, {9}},
      {{0x11, 1, 2, 0xFFFE, 0}, {1, 2, 0xFFFE, 0}, {-2}},
      {{0x0A, 0xFFFE, 3, 0}, {0xFFFE, 3, 0}, {-2, 3}},
      {{0x04, 6, 7, 0}, {6, 7, 0}, {6, 7}},
      {{0x04, 0}, {0}, {}},
      {{0x1B, 1, 2, 3, 0}, {1, 2, 3, 0}, {3}},
      {{0x80, 1, 2, 3}, {1, 2, 3}, {}},
      {{0x90, 4, 5, 0}, {4, 5, 0}, {}},
  };
  for (const CommandCase& c : cases) {
    ShapeRecipe recipe;
    recipe.commands = {c.words, {0x80, 0, 0, 0}};
    auto car = DecodedCar(recipe);
    ASSERT_EQ(car->m_CommandCount, 2) << c.words[0];
    const TextureCmd& command = car->m_Commands[0];
    EXPECT_EQ(command.m_Opcode, c.words[0]);
    EXPECT_EQ(std::vector<std::int32_t>(command.m_Args.begin(), command.m_Args.begin() + command.m_ArgCount), c.args)
        << c.words[0];
    EXPECT_EQ(std::vector<std::int16_t>(command.m_Indices.begin(), command.m_Indices.begin() + command.m_IndexCount),
              c.indices)
        << c.words[0];
    EXPECT_EQ(car->m_Commands[1].m_Sequence, 1);
  }
}

TEST(Decode, SequenceBreaksAndUnknownOpcodesEndTheListButNotTheDataValues) {
  std::vector<std::string> lines;
  setTraceSink([&](const std::string& line) { lines.push_back(line); });
  ShapeRecipe recipe = TwoPointRecipe();
  // 0x05 takes no arguments, so its two words are read as the next sequence number.
  recipe.commands = {{0x01, 1, 0, 0}, {0x05, 9, 9}, {0x01, 1, 0, 0}};
  auto car = DecodedCar(recipe);
  setTraceSink({});
  EXPECT_EQ(car->m_CommandCount, 2);
  EXPECT_EQ(car->m_Commands[1].m_Opcode, 5);
  EXPECT_EQ(car->m_Commands[1].m_ArgCount, 0);
  EXPECT_EQ(car->m_Commands[1].m_IndexCount, 0);
  EXPECT_EQ(car->m_Commands[2].m_Opcode, -1);
  EXPECT_EQ(car->m_DataValueCount, 3);
  const auto has = [&](const std::string& text) { return std::find(lines.begin(), lines.end(), text) != lines.end(); };
  EXPECT_TRUE(has("Unknown Command 0x5\n"));
  EXPECT_TRUE(has("Unknown Cmd 2 0x5\n"));
  EXPECT_TRUE(std::any_of(lines.begin(), lines.end(),
                          [](const std::string& l) { return l.rfind("Gone wrong on previous cmd 0x5 ", 0) == 0; }));
}

TEST(Decode, AListStartingWithSequenceOneDecodesNoCommands) {
  RecordingMessages messages;
  ShapeRecipe recipe = TwoPointRecipe();
  auto car = DecodeEdited(
      recipe,
      [&](Car& c) {
        const ShapeHeader h = ShapeHeader::Read(c.m_Image);
        c.Write16(h.OffsetOf(h.textureBegin, recipe.tableOffset), 1);
      },
      messages);
  EXPECT_EQ(car->m_CommandCount, 0);
  EXPECT_EQ(car->m_PointCount, 2);
}

TEST(Decode, StopsAfterAThousandCommandsAndAtOneWithTooManyArguments) {
  ShapeRecipe recipe;
  recipe.commands.assign(1005, {0x80, 1, 2, 3});
  EXPECT_EQ(DecodedCar(recipe)->m_CommandCount, 1000);

  std::vector<std::uint16_t> tooLong = {0x01};
  for (std::uint16_t i = 1; i <= 21; ++i) tooLong.push_back(i);
  tooLong.push_back(0);
  recipe.commands = {{0x01, 1, 0, 0}, tooLong, {0x01, 1, 0, 0}};
  auto car = DecodedCar(recipe);
  EXPECT_EQ(car->m_CommandCount, 1);
  EXPECT_EQ(car->m_Commands[1].m_Opcode, -1);
}

TEST(Decode, RunningTwiceGivesTheSameCounts) {
  RecordingMessages messages;
  auto car = DecodedCar(TwoPointRecipe(), messages);
  car->Decode(94, messages);
  EXPECT_EQ(car->m_PointCount, 2);
  EXPECT_EQ(car->m_ConnectionCount, 1);
  EXPECT_EQ(car->m_CommandCount, 1);
  EXPECT_EQ(car->m_DataValueCount, 3);
}

TEST(Decode, ClearsSelectionsThatPointIntoTheOldTables) {
  RecordingMessages messages;
  auto car = DecodedCar(TwoPointRecipe(), messages);
  car->m_Points[0].Select();
  car->m_Commands[0].Select();
  car->m_Cameras[2].m_Owner = car.get();
  car->m_Cameras[2].Select();
  car->Decode(94, messages);
  EXPECT_EQ(car->m_SelectedPoint, nullptr);
  EXPECT_EQ(car->m_SelectedCommand, nullptr);
  EXPECT_EQ(car->m_SelectedCamera, &car->m_Cameras[2]);
}

// Header addresses that point outside the image: a list stops at the last record
// that lies whole inside it, and nothing outside is read.
TEST(Decode, RegionsReachingOutsideTheImageAreCutShort) {
  const ShapeRecipe recipe = TwoPointRecipe();
  const std::uint32_t base = ShapeHeaderFor(recipe).scaleBegin;
  const std::int64_t end = static_cast<std::int64_t>(Car::kImageSize);
  // The game address of an image offset.
  const auto at = [&](std::int64_t offset) { return static_cast<std::int32_t>(base + (offset - recipe.tableOffset)); };
  struct Case {
    const char* name;
    std::function<void(Car&)> edit;
    std::function<int(const Car&)> count;
    int expected;
  };
  const std::vector<Case> cases = {
      {"two points from 20 bytes before the end",
       [&](Car& c) {
         c.Write32(16, at(end - 20));
         c.Write32(20, at(end + 20));
         c.Write32(28, at(end + 28));
       },
       [](const Car& c) { return c.m_PointCount; }, 1},
      {"connections behind points cut short",
       [&](Car& c) {
         c.Write32(16, at(end - 20));
         c.Write32(20, at(end + 20));
         c.Write32(28, at(end + 28));
       },
       [](const Car& c) { return c.m_ConnectionCount; }, 0},
      {"points before the image",
       [&](Car& c) {
         c.Write32(16, at(-32));
         c.Write32(20, at(8));
       },
       [](const Car& c) { return c.m_PointCount; }, 0},
      {"command list past the end",
       [&](Car& c) {
         c.Write32(12, at(end));
         c.Write32(24, at(end + 64));
       },
       [](const Car& c) { return c.m_CommandCount; }, 0},
      {"command whose arguments run off the end",
       [&](Car& c) {
         c.Write32(12, at(end - 6));
         c.Write32(24, at(end + 64));
         c.Write16(end - 6, 0);  // sequence 0, opcode 1, one of its three argument words
         c.Write16(end - 4, 1);
         c.Write16(end - 2, 3);
       },
       [](const Car& c) { return c.m_CommandCount; }, 0},
      {"data values cut at the end",
       [&](Car& c) {
         c.Write32(28, at(end - 3));
         c.Write32(32, at(end + 3));
       },
       [](const Car& c) { return c.m_DataValueCount; }, 1},
  };
  for (const Case& c : cases) {
    RecordingMessages messages;
    auto car = DecodeEdited(recipe, c.edit, messages);
    EXPECT_EQ(car->m_Valid, 1) << c.name;
    EXPECT_EQ(c.count(*car), c.expected) << c.name;
  }
}

TEST(Decode, NegativeRegionLengthsGiveEmptyTables) {
  RecordingMessages messages;
  auto car = DecodeEdited(
      TwoPointRecipe(),
      [](Car& c) {
        const ShapeHeader h = ShapeHeader::Read(c.m_Image);
        c.Write32(20, static_cast<std::int32_t>(h.pointsBegin - 64));  // pointsEnd before pointsBegin
        c.Write32(32, static_cast<std::int32_t>(h.vertexEnd - 2));     // fileEnd before vertexEnd
      },
      messages);
  EXPECT_EQ(car->m_Valid, 1);
  EXPECT_EQ(car->m_PointCount, 0);
  EXPECT_EQ(car->m_DataValueCount, 0);
}

TEST(Decode, PartsDecodeWithTheirOwnTableOffset) {
  for (ShapeKind kind : kAllShapeKinds) {
    ShapeRecipe recipe = TwoPointRecipe();
    recipe.tableOffset = tableOffset(kind);
    auto car = DecodedCar(recipe);
    EXPECT_EQ(car->m_Points[1].m_Y, 2) << kindName(kind);
    EXPECT_EQ(car->m_DataValues[0].m_Value, 12) << kindName(kind);
  }
}

}  // namespace
}  // namespace tavrel
