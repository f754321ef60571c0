// tavrel-cli pick: the point a normal view of a given size picks under the mouse.
#include <gtest/gtest.h>

#include "support/CliRunner.h"
#include "support/TestSupport.h"

namespace tavrel {
namespace {

using test::RunCli;

// Model points (0, 0, 0) and (1000, 0, 0); the image stores x negated.
class PickCommandTest : public ::testing::Test {
 protected:
  PickCommandTest() {
    ShapeRecipe recipe;
    recipe.points = {{0, 0, 0, 0}, {-1000, 0, 0, 0}};
    test::WriteBytes(file, BuildShapeFile(recipe));
  }

  test::CliResult Pick(std::vector<std::string> options) {
    options.insert(options.begin(), {"pick", file.string()});
    return RunCli(options);
  }

  ScratchFolder dir;
  const std::filesystem::path file = dir / "car.cs3";
};

TEST_F(PickCommandTest, PrintsThePointUnderTheMouseOrNone) {
  struct Case {
    std::vector<std::string> options;
    std::string out;
  };
  // Unturned, 8000 away in an 800 x 600 client, point 1 shows 90.53 pixels right
  // of the centre; 4000 away, 181.07 pixels; 19000 away, 38.12 pixels.
  const Case cases[] = {
      {{"--size", "800,600", "--at", "400,300"}, "0\n"},  // the origin, at the default angles
      {{"--size", "800,600", "--at", "0,0"}, "none\n"},
      {{"--size", "800,600", "--at", "490,300", "--angles", "0,0,0"}, "1\n"},
      {{"--size", "800,600", "--at", "471,300", "--angles", "0,0,0"}, "1\n"},
      {{"--size", "800,600", "--at", "470,300", "--angles", "0,0,0"}, "none\n"},  // 20 pixels from it
      {{"--size", "800,600", "--at", "581,290", "--angles", "0,0,0", "--distance", "4000"}, "1\n"},
      // 19 pixels from both: the tie goes to point 0.
      {{"--size", "800,600", "--at", "419,300", "--angles", "0,0,0", "--distance", "19000"}, "0\n"},
      {{"--size", "800,600", "--at", "420,300", "--angles", "0,0,0", "--distance", "19000"}, "1\n"},
  };
  for (const Case& c : cases) {
    const auto result = Pick(c.options);
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, c.out) << testing::PrintToString(c.options);
  }
}

TEST_F(PickCommandTest, RefusesBadSizesAndPositions) {
  struct Case {
    std::vector<std::string> options;
    std::string error;
  };
  const Case cases[] = {
      {{"--size", "800", "--at", "1,2"}, "--size"},
      {{"--size", "0,600", "--at", "1,2"}, "--size"},
      {{"--size", "800,600,3", "--at", "1,2"}, "--size"},
      {{"--size", "w,h", "--at", "1,2"}, "--size"},
      {{"--size", "800,600"}, "--at is required"},
      {{"--size", "800,600", "--at", "1"}, "--at"},
      {{"--size", "800,600", "--at", "nan,2"}, "--at: nan is not a number"},
      {{"--size", "800,600", "--at", "1,2", "--angles", "1,2"}, "--angles"},
      {{"--size", "800,600", "--at", "1,2", "--distance", "0"}, "--distance: 0 is not above 0"},
      {{"--size", "800,600", "--at", "1,2", "--kind", "boat"}, "--kind"},
  };
  for (const Case& c : cases) {
    const auto result = Pick(c.options);
    EXPECT_EQ(result.status, 2) << testing::PrintToString(c.options);
    EXPECT_NE(result.err.find(c.error), std::string::npos) << result.err;
    EXPECT_EQ(result.out, "");
  }
  EXPECT_EQ(RunCli({"pick", (dir / "missing.cs3").string(), "--size", "8,6", "--at", "1,2"}).err,
            "Cannot read " + (dir / "missing.cs3").string() + "\n");
}

}  // namespace
}  // namespace tavrel
