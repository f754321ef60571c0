#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "support/CliRunner.h"
#include "support/TestSupport.h"

namespace tavrel {
namespace {

using Json = nlohmann::json;

void writeText(const std::filesystem::path& path, const std::string& text) {
  test::WriteBytes(path, std::vector<std::uint8_t>(text.begin(), text.end()));
}

Json entry(bool mapped, int texture, std::vector<int> u, std::vector<int> v) {
  u.resize(20);
  v.resize(20);
  return Json{{"mapped", mapped}, {"texture", texture}, {"u", u}, {"v", v}};
}

TEST(TextureCfgCommand, PrintsTheTableReadFromTheFolder) {
  ScratchFolder directory;
  writeText(directory / "texture.cfg", "# slots\r\n12,2,3,10,20,-1,0,50,60\r\n389,4,1,1,2\r\n12 ,1,1,1,1\r\n");
  const auto result = test::RunCli({"texture-cfg", directory.path().string()});
  ASSERT_EQ(result.status, 0) << result.err;
  const Json table = Json::parse(result.out);
  ASSERT_EQ(table.size(), 390u);
  EXPECT_EQ(table[12], entry(true, 2, {10}, {20}));
  EXPECT_EQ(table[389], entry(true, 4, {1}, {2}));
  EXPECT_EQ(table[2], entry(false, 0, {}, {}));
  // Keys in the order mapped, texture, u, v.
  const std::string zeros = "[0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0]";
  const std::string first = "[{\"mapped\":false,\"texture\":0,\"u\":" + zeros + ",\"v\":" + zeros + "},";
  EXPECT_EQ(result.out.substr(0, first.size()), first);
}

TEST(TextureCfgCommand, WithoutTextureCfgPrintsTheBuiltInTableOfTheWorkingDirectory) {
  ScratchFolder directory;
  const auto previous = std::filesystem::current_path();
  std::filesystem::current_path(directory.path());
  const auto result = test::RunCli({"texture-cfg"});
  std::filesystem::current_path(previous);
  ASSERT_EQ(result.status, 0) << result.err;
  const Json table = Json::parse(result.out);
  ASSERT_EQ(table.size(), 390u);
  EXPECT_EQ(table[0], entry(true, 0, {}, {}));
  EXPECT_EQ(table[2], entry(true, 0, {189, 134, 134, 189}, {114, 114, 97, 97}));
  EXPECT_EQ(table[8], entry(false, 0, {}, {}));
}

TEST(TextureCfgCommand, ARefusedTextureCfgIsNamedAndTheBuiltInTablePrinted) {
  ScratchFolder directory;
  writeText(directory / "texture.cfg", "12,2,1,10,20\n");
  std::filesystem::resize_file(directory / "texture.cfg", (1 << 20) + 1);  // sparse: no room taken on disk
  const auto result = test::RunCli({"texture-cfg", directory.path().string()});
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.err, (directory / "texture.cfg").string() +
                            " not read, the built-in mapping applies: its 1048577 bytes are more than the 1048576 "
                            "bytes a texture.cfg may hold\n");
  EXPECT_EQ(Json::parse(result.out)[2], entry(true, 0, {189, 134, 134, 189}, {114, 114, 97, 97}));
}

TEST(TextureCfgCommand, FolderThatDoesNotExistIsAUsageError) {
  ScratchFolder directory;
  const auto result = test::RunCli({"texture-cfg", (directory / "missing").string()});
  EXPECT_EQ(result.status, 2);
  EXPECT_EQ(result.out, "");
  EXPECT_NE(result.err.find("missing"), std::string::npos);
}

}  // namespace
}  // namespace tavrel
