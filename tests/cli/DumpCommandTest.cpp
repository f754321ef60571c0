#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "support/CliRunner.h"
#include "support/TestSupport.h"

namespace tavrel {
namespace {

using test::RunCli;

ShapeRecipe Recipe(int tableOffset) {
  ShapeRecipe recipe;
  recipe.tableOffset = tableOffset;
  recipe.points = {{5, 1, 2, 3}};
  recipe.connections = {{0, 0, 0xFFFF, 1}};
  recipe.commands = {{0x01, 0xFFFE, 0, 0}};
  recipe.dataValues = {12};
  return recipe;
}

TEST(Cli, VersionIsTheProjects) {
  const auto result = RunCli({"--version"});
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.out, std::string("tavrel-cli ") + TAVREL_VERSION + "\n");
}

TEST(DumpCommand, PrintsTheModelValuesAsJson) {
  ScratchFolder dir;
  test::WriteBytes(dir / "helmet.ch3", BuildShapeFile(Recipe(78), ShapeKind::Helmet));
  const auto result = RunCli({"dump", (dir / "helmet.ch3").string(), "--kind", "helmet"});
  ASSERT_EQ(result.status, 0) << result.err;
  const auto json = nlohmann::json::parse(result.out);
  EXPECT_EQ(json["valid"], true);
  EXPECT_EQ(json["header"]["magic"], -32766);
  EXPECT_EQ(json["header"]["scaleBegin"], 0x00500000);
  EXPECT_EQ(json["points"], nlohmann::json::parse("[[-5, 1, 2, 3]]"));
  EXPECT_EQ(json["connections"], nlohmann::json::parse("[[0, 0, 65535, 1]]"));
  EXPECT_EQ(json["commands"],
            nlohmann::json::parse(R"([{"sequence":0,"opcode":1,"args":[65534,0,0],"indices":[-2]}])"));
  EXPECT_EQ(json["dataValues"], nlohmann::json::parse("[12]"));
  // The key order is part of the format.
  EXPECT_EQ(result.out.rfind("{\"valid\":true,\"header\":{\"magic\":-32766,\"scaleBegin\":", 0), 0u);
}

TEST(DumpCommand, ExitStatusesForBadInput) {
  ScratchFolder dir;
  auto bad = BuildShapeFile(Recipe(94));
  bad[1] = 0x90;
  test::WriteBytes(dir / "bad.cs3", bad);
  test::WriteBytes(dir / "long.cs3", std::vector<std::uint8_t>(Car::kImageSize + 1));

  const auto badMagic = RunCli({"dump", (dir / "bad.cs3").string()});
  EXPECT_EQ(badMagic.status, 1);
  EXPECT_EQ(badMagic.err, "Bad magic number ffff9002 in the shape image\n");
  const auto json = nlohmann::json::parse(badMagic.out);
  EXPECT_EQ(json["valid"], false);
  EXPECT_TRUE(json["points"].empty() && json["commands"].empty() && json["dataValues"].empty());

  EXPECT_EQ(RunCli({"dump", (dir / "long.cs3").string()}).status, 1);
  EXPECT_EQ(RunCli({"dump", (dir / "missing.cs3").string()}).status, 2);
  EXPECT_EQ(RunCli({"dump", (dir / "bad.cs3").string(), "--kind", "boat"}).status, 2);
  EXPECT_EQ(RunCli({"dump"}).status, 2);
  const auto help = RunCli({"dump", "--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("--kind"), std::string::npos);
}

}  // namespace
}  // namespace tavrel
