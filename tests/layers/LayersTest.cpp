// The layers of the source tree include only downwards, and nothing below the
// view layer includes a windowing or graphics header.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <string>

namespace tavrel::test {
namespace {

// Each layer and the layers it may include from besides itself. cli and view
// sit side by side, as do the demo and everything between shape and the programs.
const std::map<std::string_view, std::set<std::string_view>> kMayInclude = {
    {"app", {"view", "document", "scene", "demo", "shape", "textures", "base"}},
    {"cli", {"document", "scene", "demo", "shape", "textures", "base"}},
    {"view", {"document", "scene", "shape", "textures", "base"}},
    {"document", {"scene", "shape", "textures", "base"}},
    {"scene", {"shape", "textures", "base"}},
    {"demo", {"shape", "textures", "base"}},
    {"shape", {"textures", "base"}},
    {"textures", {"base"}},
    {"base", {}},
};

bool isLayer(std::string_view folder) { return kMayInclude.contains(folder); }

bool mayInclude(std::string_view from, std::string_view to) {
  return from == to || (isLayer(from) && kMayInclude.at(from).contains(to));
}

bool belowView(std::string_view layer) {
  return layer == "document" || layer == "scene" || layer == "demo" || layer == "shape" || layer == "textures" ||
         layer == "base";
}

struct Include {
  std::filesystem::path file;
  std::string layer;
  std::string target;
};

std::vector<Include> includesOf(const std::filesystem::path& sourceRoot) {
  static const std::regex includeLine(R"(^\s*#\s*include\s*[<"]([^>"]+)[>"])");
  std::vector<Include> includes;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(sourceRoot)) {
    if (!entry.is_regular_file()) continue;
    const std::string layer = std::filesystem::relative(entry.path(), sourceRoot).begin()->string();
    std::ifstream in(entry.path());
    std::smatch match;
    for (std::string line; std::getline(in, line);)
      if (std::regex_search(line, match, includeLine)) includes.push_back({entry.path(), layer, match[1]});
  }
  return includes;
}

bool isWindowingOrGraphics(const std::string& header) {
  static const std::regex pattern(R"(^(Q[A-Z]\w*|Qt\w*/.*|GL/.*|GLES\d?/.*|EGL/.*|glad/.*|X11/.*))");
  return std::regex_match(header, pattern);
}

TEST(LayersTest, IncludesPointDownAndStayFreeOfWindowsBelowTheView) {
  const auto includes = includesOf(TAVREL_SOURCE_DIR "/src");
  ASSERT_FALSE(includes.empty());
  for (const Include& include : includes) {
    const std::string targetLayer = include.target.substr(0, include.target.find('/'));
    EXPECT_TRUE(isLayer(include.layer)) << include.file << " is in no layer";
    if (isLayer(targetLayer)) {
      EXPECT_TRUE(mayInclude(include.layer, targetLayer)) << include.file << " includes " << include.target;
    }
    if (belowView(include.layer)) {
      EXPECT_FALSE(isWindowingOrGraphics(include.target)) << include.file << " includes " << include.target;
    }
  }
}

// What serves tests only stays out of the programs.
TEST(LayersTest, ProgramsIncludeNothingFromToolsOrTests) {
  const std::filesystem::path root = TAVREL_SOURCE_DIR;
  for (const Include& include : includesOf(root / "src"))
    for (const char* folder : {"tools", "tests", "bench", "fuzz"})
      EXPECT_FALSE(std::filesystem::exists(root / folder / include.target))
          << include.file << " includes " << include.target;
}

TEST(LayersTest, TheRulesCatchWhatTheyAreFor) {
  EXPECT_FALSE(mayInclude("shape", "document"));
  EXPECT_FALSE(mayInclude("base", "textures"));
  EXPECT_FALSE(mayInclude("document", "view"));
  EXPECT_TRUE(mayInclude("app", "view"));
  EXPECT_TRUE(mayInclude("shape", "textures"));
  EXPECT_TRUE(mayInclude("cli", "demo"));
  EXPECT_FALSE(mayInclude("scene", "demo"));
  EXPECT_FALSE(mayInclude("demo", "document"));
  EXPECT_FALSE(mayInclude("cli", "view"));
  for (const char* header : {"QWidget", "QtCore/QString", "GL/gl.h"}) EXPECT_TRUE(isWindowingOrGraphics(header));
  for (const char* header : {"shape/Car.h", "vector", "cstdint"}) EXPECT_FALSE(isWindowingOrGraphics(header));
}

}  // namespace
}  // namespace tavrel::test
