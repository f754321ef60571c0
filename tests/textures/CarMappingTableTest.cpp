#include "textures/CarMappingTable.h"

#include <set>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "support/TestSupport.h"
#include "textures/BuiltInMapping.h"

namespace tavrel {
namespace {

using Corners = std::vector<std::pair<int, int>>;

// An entry holding exactly these corners (the rest zero).
MappingEntry entryWith(bool mapped, int texture, const Corners& corners) {
  MappingEntry entry;
  entry.mapped = mapped;
  entry.texture = texture;
  for (std::size_t k = 0; k < corners.size(); ++k) {
    entry.u[k] = corners[k].first;
    entry.v[k] = corners[k].second;
  }
  return entry;
}

CarMappingTable builtInTable() {
  ScratchFolder empty;
  CarMappingTable table;
  table.ReadTextureCfg(empty.path());
  return table;
}

TEST(BuiltInMapping, MapsTheListedPositionsOnly) {
  const CarMappingTable table = builtInTable();
  const std::set<int> unlisted = [] {
    std::set<int> positions{8, 9, 13, 152, 153, 155, 156};
    for (int p = 160; p <= 175; ++p) positions.insert(p);
    for (int p = 187; p < CarMappingTable::kEntryCount; ++p) positions.insert(p);
    return positions;
  }();
  int mapped = 0;
  for (int p = 0; p < CarMappingTable::kEntryCount; ++p) {
    EXPECT_EQ(table.IsMapped(p), !unlisted.contains(p)) << "position " << p;
    mapped += table.IsMapped(p);
  }
  EXPECT_EQ(mapped, 164);
  for (const BuiltInMappingEntry& entry : kBuiltInMapping) {
    EXPECT_GE(entry.count, 1) << "position " << entry.position;
    EXPECT_LE(entry.count, 7) << "position " << entry.position;
  }
}

TEST(BuiltInMapping, AppliesWhenTextureCfgCannotBeOpened) {
  ScratchFolder directory;
  std::filesystem::create_directory(directory / "texture.cfg");
  CarMappingTable table;
  table.ReadTextureCfg(directory.path());
  EXPECT_EQ(table.GetMapping(2), entryWith(true, 0, {{189, 114}, {134, 114}, {134, 97}, {189, 97}}));
}

TEST(BuiltInMapping, SpotChecks) {
  const CarMappingTable table = builtInTable();
  const Corners band{{62, 3}, {32, 3}, {32, 0}, {62, 0}};
  const std::vector<std::pair<int, Corners>> cases = {
      {0, {}},
      {1, {}},
      {2, {{189, 114}, {134, 114}, {134, 97}, {189, 97}}},
      {5, band},
      {54, band},
      {100, band},
      {120, band},
      {141, band},
      {185, band},
      {86, {{246, 11}, {203, 11}, {203, 0}, {225, 0}, {246, 0}}},
      {95, {{62, 3}, {47, 3}, {32, 3}, {32, 0}, {47, 0}, {62, 0}}},
      {99, {{62, 3}, {32, 3}, {32, 0}}},
      {178, {{19, 39}, {22, 52}, {22, 65}, {4, 65}, {4, 38}}},
      {186, {{0, 256}, {256, 256}, {256, 0}, {0, 0}}},
  };
  for (const auto& [position, corners] : cases)
    EXPECT_EQ(table.GetMapping(position), entryWith(true, 0, corners)) << "position " << position;
}

TEST(BuiltInMapping, LeavesSlotsAndLaterCornersAsTheLastReadingLeftThem) {
  ScratchFolder directory;
  CarMappingTable table;
  table.ReadTextureCfgText("2,3,6,1,1,2,2,3,3,4,4,5,5,6,6\n40,4,1,7,8\n");
  table.ReadTextureCfg(directory.path());
  EXPECT_EQ(table.GetMapping(2), entryWith(true, 3, {{189, 114}, {134, 114}, {134, 97}, {189, 97}, {5, 5}, {6, 6}}));
  EXPECT_EQ(table.GetMapping(40), entryWith(true, 4, {{113, 140}, {97, 140}, {97, 128}, {111, 128}}));
}

TEST(TextureCfg, ReadsPositionSlotAndCorners) {
  const std::vector<std::string> spellings = {
      "12,2,3,10,20,30,40,50,60",        "12, 2, 3, 10, 20, 30, 40, 50, 60",
      " \t12,\t2,  3,10,20,30,40,50,60", "12,2,3,10,20,30,40,50,60,70,80 and a remark",
      "12,2,3,10,20,30,40,50,60\r\n",    "\n\n// 13,1,1,1,1\n# 14,1,1,1,1\n12,2,3,10,20,30,40,50,60\n\n",
  };
  for (const std::string& text : spellings) {
    CarMappingTable table;
    table.ReadTextureCfgText(text);
    EXPECT_EQ(table.GetMapping(12), entryWith(true, 2, {{10, 20}, {30, 40}, {50, 60}})) << text;
    for (int p = 0; p < CarMappingTable::kEntryCount; ++p)
      EXPECT_EQ(table.IsMapped(p), p == 12) << text << " position " << p;
  }
}

TEST(TextureCfg, ReadsTheFileInTheGivenDirectory) {
  ScratchFolder directory;
  const std::string text = std::string("\r\n12,2,1,10,20\0junk\r\n13,3,2,1,2,3,4", 35);
  test::WriteBytes(directory / "texture.cfg", std::vector<std::uint8_t>(text.begin(), text.end()));
  CarMappingTable table;
  table.ReadTextureCfg(directory.path());
  EXPECT_EQ(table.GetMapping(12), entryWith(true, 2, {{10, 20}}));
  EXPECT_EQ(table.GetMapping(13), entryWith(true, 3, {{1, 2}, {3, 4}}));
  EXPECT_FALSE(table.IsMapped(2));
}

TEST(TextureCfg, PositionsOutsideTheTableReadAsEmpty) {
  CarMappingTable table;
  table.ReadTextureCfgText("0,1,1,1,1\n389,1,1,1,1\n");
  for (int position : {-1, 390, INT32_MIN, INT32_MAX}) {
    EXPECT_FALSE(table.IsMapped(position));
    EXPECT_EQ(table.GetMapping(position), MappingEntry{});
  }
}

TEST(TextureCfg, MinusOneEndsThePairsAndLaterCornersKeepTheirValues) {
  CarMappingTable table;
  table.ReadTextureCfgText("12,1,3,1,1,2,2,3,3\n12,2,3,10,20,-1,0,50,60\n13,4,2,-1\n");
  EXPECT_EQ(table.GetMapping(12), entryWith(true, 2, {{10, 20}, {2, 2}, {3, 3}}));
  EXPECT_EQ(table.GetMapping(13), entryWith(true, 4, {}));
}

TEST(TextureCfg, LastLineForAPositionWinsOverEarlierOnes) {
  CarMappingTable table;
  table.ReadTextureCfgText("7,1,2,1,1,2,2\n7,3,1,9,9\n");
  EXPECT_EQ(table.GetMapping(7), entryWith(true, 3, {{9, 9}, {2, 2}}));
}

TEST(TextureCfg, NewReadingClearsOnlyTheMappedFlags) {
  CarMappingTable table;
  table.ReadTextureCfgText("40,3,2,5,6,7,8\n41,1,1,1,1\n");
  table.ReadTextureCfgText("41,2,1,2,2\n");
  EXPECT_FALSE(table.IsMapped(40));
  EXPECT_EQ(table.GetMapping(40), entryWith(false, 3, {{5, 6}, {7, 8}}));
  EXPECT_EQ(table.GetMapping(41), entryWith(true, 2, {{2, 2}}));
}

TEST(TextureCfg, BoundaryLinesAreTaken) {
  std::string twentyPairs = "389,4,20";
  for (int k = 0; k < 20; ++k) twentyPairs += "," + std::to_string(k) + "," + std::to_string(-k);
  const std::string prefix = "5,1,1,2,3";
  const std::string longest = prefix + std::string(511 - prefix.size(), ' ');
  CarMappingTable table;
  table.ReadTextureCfgText(twentyPairs + "\n" + longest + "\r\n6,-2147483648,0\n7,2,-3\n8,1,1,2147483647,-2147483648");

  MappingEntry last;
  last.mapped = true;
  last.texture = 4;
  for (int k = 0; k < 20; ++k) {
    last.u[static_cast<std::size_t>(k)] = k;
    last.v[static_cast<std::size_t>(k)] = -k;
  }
  EXPECT_EQ(table.GetMapping(389), last);
  EXPECT_EQ(table.GetMapping(5), entryWith(true, 1, {{2, 3}}));
  EXPECT_EQ(table.GetMapping(6), entryWith(true, INT32_MIN, {}));
  EXPECT_EQ(table.GetMapping(7), entryWith(true, 2, {}));
  EXPECT_EQ(table.GetMapping(8), entryWith(true, 1, {{INT32_MAX, INT32_MIN}}));
}

// A line that breaks the syntax is skipped whole: its position is neither
// marked nor changed, and the lines around it still count.
TEST(TextureCfg, SkipsMalformedLinesWhole) {
  std::string twentyOnePairs = "12,2,21";
  for (int k = 0; k < 21; ++k) twentyOnePairs += ",1,1";
  const std::string prefix = "12,2,1,10,20";
  const std::string tooLong = prefix + std::string(512 - prefix.size(), ' ');
  const std::vector<std::string> malformed = {
      "12,2",
      "12,2,",
      "12",
      "12,x,1,10,20",
      "12;2;1;10;20",
      "12 ,2,1,10,20",
      "12,2 ,1,10,20",
      "12,2,1 ,10,20",
      "12,2,1,10 ,20",
      "12,2,2,10,20,30",
      "12,2,3,10,20,30,40",
      "12,2,2,10,20 ,30,40",
      "12,2,1,10,",
      twentyOnePairs,
      "390,2,1,10,20",
      "-1,2,1,10,20",
      "2147483648,2,1,10,20",
      "12,2,1,10,99999999999",
      "12,2,1,--10,20",
      "12,2,1,+-10,20",
      tooLong,
      std::string("12,\0"
                  "2,1,10,20",
                  13),
      "\x01\xff\x80,12,2,1,10,20",
  };
  for (const std::string& line : malformed) {
    CarMappingTable table;
    table.ReadTextureCfgText("12,1,1,5,5\n");
    table.ReadTextureCfgText("3,1,1,1,1\n" + line + "\n4,1,1,1,1");
    EXPECT_EQ(table.GetMapping(12), entryWith(false, 1, {{5, 5}})) << '"' << line << '"';
    EXPECT_TRUE(table.IsMapped(3)) << line;
    EXPECT_TRUE(table.IsMapped(4)) << line;
  }
}

}  // namespace
}  // namespace tavrel
