// make-demo writes a whole game or nothing, and never over what a folder holds.
#include <gtest/gtest.h>

#include <map>

#include "support/CliRunner.h"
#include "support/FileSizeLimit.h"
#include "support/TestSupport.h"

namespace tavrel::test {
namespace {

namespace fs = std::filesystem;

// Every entry under a folder with what it holds: a file's bytes, a link's target.
std::map<std::string, std::string> Contents(const fs::path& root) {
  std::map<std::string, std::string> contents;
  for (const auto& entry : fs::recursive_directory_iterator(root)) {
    std::string held = "folder";
    if (entry.is_symlink()) {
      held = "link to " + fs::read_symlink(entry.path()).string();
    } else if (entry.is_regular_file()) {
      const auto bytes = ReadBytes(entry.path());
      held = std::string(bytes.begin(), bytes.end());
    }
    contents[entry.path().lexically_relative(root).generic_string()] = held;
  }
  return contents;
}

enum class Kind { File, Folder, LinkToNothing };

struct Held {
  const char* name;  // one of the files the demo writes
  Kind kind;
};

TEST(MakeDemo, RefusesAFolderThatHoldsAnyOfItsFilesAndWritesNothing) {
  const Held cases[] = {
      {"zav.exe", Kind::File},
      {"texture.cfg", Kind::File},
      {"cars/demo.cam", Kind::File},
      {"zavjams/Liveries/Jordan98.jam", Kind::File},
      {"zavjams/Main/Chassis3.jam", Kind::Folder},
      {"cars/demo.cs3", Kind::LinkToNothing},
  };
  for (const Held& held : cases) {
    ScratchFolder dir;
    const fs::path path = dir / held.name;
    fs::create_directories(path.parent_path());
    if (held.kind == Kind::File) WriteBytes(path, {'O', 'L', 'D'});
    if (held.kind == Kind::Folder) fs::create_directories(path);
    if (held.kind == Kind::LinkToNothing) fs::create_symlink("nowhere.cs3", path);
    const auto before = Contents(dir.path());

    const auto result = RunCli({"make-demo", dir.path().string()});
    EXPECT_EQ(result.status, 1) << held.name;
    EXPECT_NE(result.err.find(path.string() + " already exists"), std::string::npos) << result.err;
    EXPECT_EQ(Contents(dir.path()), before) << held.name;
  }
}

// A write that fails part way (as on a full disk) leaves no file behind: no
// empty executable, no temporary file.
TEST(MakeDemo, FailedWriteLeavesNoFile) {
  ScratchFolder dir;
  CliResult result;
  {
    const FileSizeLimit limit(64 * 1024);
    result = RunCli({"make-demo", (dir / "game").string()});
  }
  EXPECT_EQ(result.status, 1);
  EXPECT_NE(result.err.find("Cannot write file " + (dir / "game" / "zav.exe").string()), std::string::npos)
      << result.err;
  for (const auto& [name, held] : Contents(dir.path())) EXPECT_EQ(held, "folder") << name;
}

}  // namespace
}  // namespace tavrel::test
