// The layers of the source tree include only downwards, and nothing below the
// view layer includes a windowing or graphics header.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <regex>
#include <string>

namespace tavrel::test {
namespace {

// From the top down; a folder may include from itself and from those after it.
constexpr std::array<std::string_view, 8> kLayers = {"app", "cli", "view", "document", "scene", "shape", "textures",
                                                     "base"};
// cli and view sit side by side: neither includes the other.
bool mayInclude(std::string_view from, std::string_view to) {
  const auto rank = [](std::string_view layer) {
    return std::find(kLayers.begin(), kLayers.end(), layer) - kLayers.begin();
  };
  if (from == to) return true;
  if ((from == "cli" && to == "view") || (from == "view" && to == "cli") || (from == "app" && to == "cli")) return false;
  return rank(to) > rank(from);
}

bool belowView(std::string_view layer) {
  return layer == "document" || layer == "scene" || layer == "shape" || layer == "textures" || layer == "base";
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
    const bool ownLayer = std::find(kLayers.begin(), kLayers.end(), targetLayer) != kLayers.end();
    if (ownLayer) {
      EXPECT_TRUE(mayInclude(include.layer, targetLayer)) << include.file << " includes " << include.target;
    }
    if (belowView(include.layer)) {
      EXPECT_FALSE(isWindowingOrGraphics(include.target)) << include.file << " includes " << include.target;
    }
  }
}

TEST(LayersTest, TheRulesCatchWhatTheyAreFor) {
  EXPECT_FALSE(mayInclude("shape", "document"));
  EXPECT_FALSE(mayInclude("base", "textures"));
  EXPECT_FALSE(mayInclude("document", "view"));
  EXPECT_TRUE(mayInclude("app", "view"));
  EXPECT_TRUE(mayInclude("shape", "textures"));
  for (const char* header : {"QWidget", "QtCore/QString", "GL/gl.h"}) EXPECT_TRUE(isWindowingOrGraphics(header));
  for (const char* header : {"shape/Car.h", "vector", "cstdint"}) EXPECT_FALSE(isWindowingOrGraphics(header));
}

}  // namespace
}  // namespace tavrel::test
