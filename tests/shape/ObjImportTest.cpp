#include "shape/ObjImport.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

namespace tavrel {
namespace {

std::vector<std::array<int, 3>> Positions(const ObjPoints& read) {
  std::vector<std::array<int, 3>> positions;
  for (const PointValues& p : read.points) positions.push_back({p.x, p.y, p.z});
  return positions;
}

// What a modeller writes around the vertices is read past; the vertices come in order, rounded.
TEST(ObjImport, TakesTheVertexLinesInOrderRoundedAndReadsPastTheRest) {
  const ObjPoints read = ReadObjPoints(
      "# written by a modeller\r\n"
      "mtllib car.mtl\n"
      "o Zav car\n"
      "v 1.4 -2.5 2.5\n"
      "vn 0 0 1\n"
      "vt 0.5 0.5\n"
      "  v\t-0.49 +7 1e3 1.0\n"  // a weight
      "g body\n"
      "v 3 4 5 0.1 0.2 0.3\n"  // a colour
      "f 1/1/1 2/1/1 3/1/1\n"
      "l 1 2\n"
      "s off\n"
      "v -2147483647.4 2147483647 0");  // the last line without an end
  EXPECT_EQ(read.refusal, "");
  EXPECT_EQ(Positions(read),
            (std::vector<std::array<int, 3>>{{1, -3, 3}, {0, 7, 1000}, {3, 4, 5}, {-2147483647, 2147483647, 0}}));
}

TEST(ObjImport, RefusesAMalformedOrOutOfRangeVertexNamingItsLine) {
  struct Case {
    const char* text;
    const char* refusal;
  };
  const Case cases[] = {
      {"v 1 2\n", "line 1 is not a vertex of three coordinates"},
      {"# x\nv 1 2 3 4 5\n", "line 2 is not a vertex of three coordinates"},
      {"v 1 2 3\nv 1 two 3\n", "line 2: \"two\" is not a number"},
      {"v 1 2 3,5\n", "line 1: \"3,5\" is not a number"},
      {"v nan 2 3\n", "line 1: \"nan\" is not a number"},
      {"v 1 2 inf\n", "line 1: \"inf\" is not a number"},
      {"\n\nv 2147483648 0 0\n", "line 3: 2147483648 is outside the range a point holds (-2147483647 to 2147483647)"},
      {"v 0 -3e9 0\n", "line 1: -3e9 is outside the range a point holds (-2147483647 to 2147483647)"},
  };
  for (const Case& c : cases) {
    const ObjPoints read = ReadObjPoints(c.text);
    EXPECT_EQ(read.refusal, c.refusal) << c.text;
    EXPECT_TRUE(read.points.empty()) << c.text;
  }
}

}  // namespace
}  // namespace tavrel
