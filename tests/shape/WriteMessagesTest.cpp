// What every file writer tells the user when its write fails: the file's name
// and what failed, starting with the writer's own words when the file could
// not be made, and the old file kept.
#include <gtest/gtest.h>

#include <functional>

#include "demo/ExeBuilder.h"
#include "shape/CameraFile.h"
#include "shape/ObjExport.h"
#include "shape/PartFile.h"
#include "shape/TransferFile.h"
#include "support/FileSizeLimit.h"
#include "support/TestSupport.h"

namespace tavrel {
namespace {

namespace fs = std::filesystem;
using test::Message;

struct Writer {
  const char* name;
  std::string openText;
  Icon icon;
  std::function<bool(const fs::path&, Messages&)> write;
};

std::vector<Writer> Writers(Car& car, Car& helmet) {
  const PartFileKind& helmetKind = *FindPartFileKind(ShapeKind::Helmet);
  return {
      {"shape file", "Cannot open file for writing", Icon::Plain,
       [&car](const fs::path& path, Messages& messages) { return car.SaveShapeFile(path, messages); }},
      {"part file", "Cannot open file for writing", Icon::Plain,
       [&helmet, &helmetKind](const fs::path& path, Messages& messages) {
         return WritePartFile(path, helmet, helmetKind, messages);
       }},
      {"camera file", "Cannot Open Camera File for Saving", Icon::Stop,
       [&car](const fs::path& path, Messages& messages) { return SaveCameras(path, car, messages); }},
      {"transfer file", "Cannot create the transfer file", Icon::Plain,
       [&car](const fs::path& path, Messages& messages) { return ExportCtf(path, car, messages); }},
      {"object file", "Cannot create the WaveFront file", Icon::Plain,
       [&car](const fs::path& path, Messages& messages) { return ExportObj(path, car, messages); }},
  };
}

TEST(WriteMessages, NameTheFileAndWhatFailed) {
  const auto car = test::DecodedCar(SampleShapeRecipe(ShapeKind::Car));
  const auto helmet = test::DecodedCar(SampleShapeRecipe(ShapeKind::Helmet));
  for (const Writer& writer : Writers(*car, *helmet)) {
    ScratchFolder dir;
    const fs::path missing = dir / "no-such-folder" / "out";
    const fs::path folder = dir / "folder";
    const fs::path old = dir / "old";
    fs::create_directories(folder);
    test::WriteBytes(old, {1, 2, 3});
    test::RecordingMessages messages;
    EXPECT_FALSE(writer.write(missing, messages)) << writer.name;
    EXPECT_FALSE(writer.write(folder, messages)) << writer.name;
    {
      // Every one of these files is longer than this.
      const test::FileSizeLimit limit(16);
      EXPECT_FALSE(writer.write(old, messages)) << writer.name;
    }
    const std::vector<Message> expected = {
        {writer.openText + ": " + missing.string() + " (No such file or directory)", writer.icon},
        {writer.openText + ": " + folder.string() + " (it is not a regular file)", writer.icon},
        {"Cannot write file " + old.string() + ": File too large", writer.icon},
    };
    EXPECT_EQ(messages.shown, expected) << writer.name;
    EXPECT_EQ(test::ReadBytes(old), (std::vector<std::uint8_t>{1, 2, 3})) << writer.name;
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), {}), 2) << writer.name;  // nothing left beside them
  }
}

}  // namespace
}  // namespace tavrel
