// The readers that take a whole outside file: each refuses a file longer than
// its ceiling from the file's length, with a message naming the file and the
// ceiling, and reads a file of exactly that length.
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "demo/JamWriter.h"
#include "shape/TransferFile.h"
#include "support/TestSupport.h"
#include "textures/CarMappingTable.h"
#include "textures/JAM.h"

namespace tavrel {
namespace {

std::string joined(const std::vector<std::string>& texts) {
  std::string all;
  for (const std::string& text : texts) all += text + '\n';
  return all;
}

// What a reader made of a file: "read", or what it said about the file.
using Reader = std::function<std::string(const std::filesystem::path&)>;

std::string loadJam(const std::filesystem::path& path) {
  test::RecordingMessages messages;
  JAM jam(path);
  return jam.Load(true, messages) ? "read" : joined(messages.texts());
}

// The line of `start` maps position 12 to slot 2; the built-in table has no slot.
std::string readTextureCfg(const std::filesystem::path& path) {
  CarMappingTable table;
  const std::string refusal = table.ReadTextureCfg(path.parent_path());
  if (table.GetMapping(12).texture == 2) return "read";
  return refusal + '\n';
}

std::string importCtf(const std::filesystem::path& path) {
  ShapeRecipe recipe;
  recipe.points = {{5, 1, 0, 0}, {-3, 2, 7, 0}};
  recipe.connections = {{0, 1, 0, 0}};
  auto car = test::DecodedCar(recipe);
  test::RecordingMessages messages;
  return ImportCtf(path, *car, messages) == CtfImport::Imported ? "read" : joined(messages.texts());
}

std::vector<std::uint8_t> bytesOf(const std::string& text) { return {text.begin(), text.end()}; }

TEST(FileCeilings, LongerFilesAreRefusedWithTheCeilingNamedAndFilesAtTheCeilingAreRead) {
  struct Case {
    const char* name;
    std::uintmax_t ceiling;
    std::vector<std::uint8_t> start;  // zeros follow up to the file's length
    Reader read;
    // What is said of a file one byte longer than the ceiling, before and after its path.
    std::string beforePath, afterPath;
  };
  JamRecipe jam;
  jam.items = {PatternItem(0, 0, 4, 4, 0, 1)};
  const std::vector<Case> cases = {
      {"a.jam", JAM::kMaxFileSize, BuildJamFile(jam), loadJam, "Failed to load JAM File (",
       "): its 67108865 bytes are more than the 67108864 bytes a JAM file may hold\n"},
      {"texture.cfg", 1 << 20, bytesOf("12,2,1,10,20\n"), readTextureCfg, "",
       " not read, the built-in mapping applies: its 1048577 bytes are more than the 1048576 bytes a texture.cfg "
       "may hold\n"},
      {"car.ctf", 16 << 20, bytesOf("2\n-5 1 0\n3 2 7\n1\n0 1\n"), importCtf, "The transfer file ",
       " was not read: its 16777217 bytes are more than the 16777216 bytes a transfer file may hold; the car was not "
       "changed.\n"},
  };
  for (const Case& c : cases) {
    ScratchFolder dir;
    const auto path = dir / c.name;
    test::WriteBytes(path, c.start);
    // Sparse: the zeros take no room on disk.
    std::filesystem::resize_file(path, c.ceiling);
    EXPECT_EQ(c.read(path), "read") << c.name;
    std::filesystem::resize_file(path, c.ceiling + 1);
    EXPECT_EQ(c.read(path), c.beforePath + path.string() + c.afterPath) << c.name;
  }
}

}  // namespace
}  // namespace tavrel
