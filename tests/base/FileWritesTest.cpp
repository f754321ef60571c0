// All-or-nothing writes: through symbolic links, refusals of what is not a
// regular file, failures that leave the old file, and sets of files that go
// into place together or not at all.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <set>

#include "base/FileWrites.h"
#include "support/FileSizeLimit.h"
#include "support/TestSupport.h"

namespace tavrel {
namespace {

namespace fs = std::filesystem;
using Failure = WriteResult::Failure;

const std::vector<std::uint8_t> kNew = {1, 2, 3, 4};
const std::vector<std::uint8_t> kOld = {9, 9};

// Every entry under a folder, links and folders included, as relative names.
std::set<std::string> Tree(const fs::path& root) {
  std::set<std::string> names;
  for (const auto& entry : fs::recursive_directory_iterator(root))
    names.insert(entry.path().lexically_relative(root).generic_string());
  return names;
}

struct Link {
  std::string at;
  std::string to;
  bool absolute = false;  // `to` is then taken from the test folder
};

struct LinkCase {
  const char* name;
  std::vector<Link> links;  // the first is the path written to
  std::string lands;        // the file the write must change
};

TEST(FileWrites, WriteThroughLinksChangesWhatTheyLeadToAndKeepsTheLinks) {
  const LinkCase cases[] = {
      {"absolute link", {{"out/car.cs3", "real/car.cs3", true}}, "real/car.cs3"},
      {"relative link", {{"out/car.cs3", "../real/car.cs3"}}, "real/car.cs3"},
      {"chain of links", {{"out/car.cs3", "next.cs3"}, {"out/next.cs3", "../real/car.cs3"}}, "real/car.cs3"},
      {"link to nothing yet", {{"out/car.cs3", "../real/new.cs3"}}, "real/new.cs3"},
  };
  for (const LinkCase& c : cases) {
    ScratchFolder dir;
    fs::create_directories(dir / "out");
    fs::create_directories(dir / "real");
    test::WriteBytes(dir / "real/car.cs3", kOld);
    fs::permissions(dir / "real/car.cs3", fs::perms(0640));
    for (const Link& link : c.links)
      fs::create_symlink(link.absolute ? dir / link.to : fs::path(link.to), dir / link.at);
    const std::set<std::string> before = Tree(dir.path());

    ASSERT_TRUE(writeFileAtomically(dir / c.links[0].at, kNew)) << c.name;
    EXPECT_EQ(test::ReadBytes(dir / c.lands), kNew) << c.name;
    for (const Link& link : c.links) EXPECT_TRUE(fs::is_symlink(dir / link.at)) << c.name << " " << link.at;
    std::set<std::string> after = before;
    after.insert(c.lands);
    EXPECT_EQ(Tree(dir.path()), after) << c.name;  // no temporary file left
    if (c.lands == "real/car.cs3") {
      EXPECT_EQ(fs::status(dir / c.lands).permissions(), fs::perms(0640)) << c.name;
    }
  }
}

struct RefusalCase {
  const char* name;
  std::string written;
  std::vector<Link> links;
  Failure failure;
  std::error_code cause;
};

TEST(FileWrites, WhatIsNotARegularFileIsRefusedAndLeftAsItIs) {
  const auto loop = std::make_error_code(std::errc::too_many_symbolic_link_levels);
  const RefusalCase cases[] = {
      {"folder", "folder", {}, Failure::NotAFile, {}},
      {"link to a folder", "link", {{"link", "folder"}}, Failure::NotAFile, {}},
      {"pipe", "pipe", {}, Failure::NotAFile, {}},
      {"link to a pipe", "link", {{"link", "pipe"}}, Failure::NotAFile, {}},
      {"device", "/dev/null", {}, Failure::NotAFile, {}},
      {"link to a device", "link", {{"link", "/dev/null"}}, Failure::NotAFile, {}},
      {"loop of links", "link", {{"link", "other"}, {"other", "link"}}, Failure::Open, loop},
  };
  for (const RefusalCase& c : cases) {
    ScratchFolder dir;
    fs::create_directories(dir / "folder/inside");
    ASSERT_EQ(::mkfifo((dir / "pipe").c_str(), 0644), 0);
    for (const Link& link : c.links) fs::create_symlink(link.to, dir / link.at);
    const fs::path written = dir / c.written;  // an absolute name stays as it is
    const std::set<std::string> before = Tree(dir.path());

    const WriteResult result = writeFileAtomically(written, kNew);
    EXPECT_FALSE(result) << c.name;
    EXPECT_EQ(result.failure, c.failure) << c.name;
    EXPECT_EQ(result.cause, c.cause) << c.name;
    EXPECT_EQ(result.path, written) << c.name;
    EXPECT_EQ(Tree(dir.path()), before) << c.name;
    EXPECT_TRUE(fs::is_character_file("/dev/null"));
  }
}

TEST(FileWrites, FailedWritesKeepTheOldFileAndSayWhatFailed) {
  ScratchFolder dir;
  test::WriteBytes(dir / "car.cs3", kOld);
  fs::create_directories(dir / "folder.cs3");
  const std::vector<std::uint8_t> large(4096, 7);
  const fs::path missing = dir / "no-such-folder" / "car.cs3";
  {
    const test::FileSizeLimit limit(1000);
    const WriteResult tooLarge = writeFileAtomically(dir / "car.cs3", large);
    EXPECT_EQ(tooLarge.failure, Failure::Write);
    EXPECT_EQ(WriteFailureMessage(tooLarge), "Cannot write file " + (dir / "car.cs3").string() + ": File too large");
  }
  EXPECT_EQ(test::ReadBytes(dir / "car.cs3"), kOld);
  EXPECT_EQ(Tree(dir.path()), (std::set<std::string>{"car.cs3", "folder.cs3"}));

  EXPECT_EQ(WriteFailureMessage(writeFileAtomically(missing, kNew)),
            "Cannot open file for writing: " + missing.string() + " (No such file or directory)");
  EXPECT_EQ(WriteFailureMessage(writeFileAtomically(dir / "folder.cs3", kNew), "Cannot Open Camera File for Saving"),
            "Cannot Open Camera File for Saving: " + (dir / "folder.cs3").string() + " (it is not a regular file)");
}

// A set goes into place whole or not at all: nothing moves before the commit,
// and a failure part way through the moves puts back the files already
// replaced and removes the new ones.
TEST(StagedFiles, FilesGoIntoPlaceTogetherOrNotAtAll) {
  struct Case {
    bool lastBlocked;  // something takes the last file's place once it has been staged
    Failure failure;
    std::vector<std::uint8_t> oldFileAfter;
    std::set<std::string> tree;
  };
  const Case cases[] = {
      {false, Failure::None, kNew, {"new.bin", "old.bin", "last.gltf"}},
      {true, Failure::Replace, kOld, {"old.bin", "last.gltf", "last.gltf/inside"}},
  };
  for (const Case& c : cases) {
    ScratchFolder dir;
    test::WriteBytes(dir / "old.bin", kOld);
    StagedFiles files;
    for (const char* name : {"new.bin", "old.bin", "last.gltf"}) ASSERT_TRUE(files.Stage(dir / name, kNew));
    EXPECT_EQ(test::ReadBytes(dir / "old.bin"), kOld);
    EXPECT_FALSE(fs::exists(dir / "new.bin"));
    if (c.lastBlocked) fs::create_directories(dir / "last.gltf" / "inside");

    const WriteResult committed = files.Commit();
    EXPECT_EQ(committed.failure, c.failure);
    EXPECT_EQ(committed.path, c.lastBlocked ? dir / "last.gltf" : fs::path());
    EXPECT_EQ(test::ReadBytes(dir / "old.bin"), c.oldFileAfter);
    EXPECT_EQ(Tree(dir.path()), c.tree);
  }
}

}  // namespace
}  // namespace tavrel
