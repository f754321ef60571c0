// An executable, a car file, a camera file and part files of random sizes and
// contents, patched in as tavrel-cli's "exe patch" does. The places keep the
// game's layout (the cockpit, steering wheel and helmet within an image's
// length after the car) but start at 0, so the executables stay small. Magic numbers at the
// places and at the start of the files, sizes of exactly a kind's length, and
// a backup of the executable's size are gates the fuzzer rarely passes by
// itself, so flags from the input put them there.
//
// Whenever the patch fails, the executable must hold exactly what it held;
// when it succeeds, it keeps its size, the new backup holds the original, and
// every byte outside the regions it was asked to patch (the car's room, the
// cameras, each part given) is what it was.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "base/Files.h"
#include "base/Messages.h"
#include "scratch/ScratchFolder.h"
#include "shape/CameraFile.h"
#include "shape/ExeExport.h"

namespace {

using tavrel::Car;
using tavrel::ExePositions;
using tavrel::ShapeHeader;

constexpr std::int64_t kBase = tavrel::kOriginalPositions.car;
constexpr ExePositions kPositions{0,
                                  tavrel::kOriginalPositions.wheel - kBase,
                                  tavrel::kOriginalPositions.helmet - kBase,
                                  tavrel::kOriginalPositions.cockpit - kBase,
                                  tavrel::kOriginalPositions.steeringWheel - kBase,
                                  tavrel::kOriginalPositions.cameras - kBase};
constexpr std::size_t kWholeExe = static_cast<std::size_t>(kPositions.cameras) + tavrel::kCameraFileSize;

const std::filesystem::path& Dir() {
  static const tavrel::ScratchFolder folder("exe-patch");
  return folder.path();
}

void Write(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// Mostly `length` itself, else any size up to a little beyond it.
std::size_t PickSize(FuzzedDataProvider& in, std::size_t length) {
  return in.ConsumeBool() ? length : in.ConsumeIntegralInRange<std::size_t>(0, length + 64);
}

// `size` bytes repeating a short pattern from the input, with a shape's magic
// number at `at` when asked.
std::vector<std::uint8_t> Contents(FuzzedDataProvider& in, std::size_t size, bool magic, std::int64_t at,
                                   std::int16_t which) {
  std::vector<std::uint8_t> pattern = in.ConsumeBytes<std::uint8_t>(in.ConsumeIntegralInRange(1, 32));
  if (pattern.empty()) pattern.push_back(0);
  std::vector<std::uint8_t> bytes(size);
  for (std::size_t i = 0; i < size; ++i) bytes[i] = pattern[i % pattern.size()];
  if (magic) tavrel::writeU16(bytes, at, static_cast<std::uint16_t>(which));
  return bytes;
}

std::int16_t MagicOf(tavrel::ShapeKind kind) {
  return kind == tavrel::ShapeKind::Car ? ShapeHeader::kMagicCar : ShapeHeader::kMagicPart;
}

std::vector<std::uint8_t> MakeExe(FuzzedDataProvider& in) {
  std::vector<std::uint8_t> exe = Contents(in, PickSize(in, kWholeExe), false, 0, 0);
  for (const tavrel::ShapeKind kind : tavrel::kAllShapeKinds)
    if (in.ConsumeBool()) tavrel::writeU16(exe, kPositions.of(kind), static_cast<std::uint16_t>(MagicOf(kind)));
  return exe;
}

// A file given for an item, or none.
std::optional<std::filesystem::path> MakeFile(FuzzedDataProvider& in, const char* name, std::size_t length,
                                              std::int16_t magic) {
  if (!in.ConsumeBool()) return std::nullopt;
  const std::size_t size = PickSize(in, length);
  const std::filesystem::path path = Dir() / name;
  Write(path, Contents(in, size, in.ConsumeBool(), 0, magic));
  return path;
}

// What lies in the backup's place before the patch: nothing, a file of the
// executable's size, or something of another size.
void MakeBackupPlace(FuzzedDataProvider& in, const std::filesystem::path& backup, std::size_t exeSize) {
  std::error_code ignored;
  switch (in.ConsumeIntegralInRange(0, 3)) {
    case 0:
      std::filesystem::remove(backup, ignored);
      break;
    case 1:
      Write(backup, std::vector<std::uint8_t>(exeSize, 0xBA));
      break;
    case 2:
      Write(backup, std::vector<std::uint8_t>(in.ConsumeIntegralInRange<std::size_t>(0, 64), 0xBA));
      break;
    default:
      break;  // whatever the last run left
  }
}

// The bytes a patch of these files may change.
std::vector<bool> AskedRegions(const tavrel::ExePatchFiles& files, std::size_t size) {
  std::vector<bool> asked(size, false);
  const auto mark = [&](std::int64_t position, std::size_t length) {
    for (std::size_t i = 0; i < length && static_cast<std::size_t>(position) + i < size; ++i)
      asked[static_cast<std::size_t>(position) + i] = true;
  };
  if (files.car) mark(kPositions.car, tavrel::kCarRoom);
  if (files.cameras) mark(kPositions.cameras, tavrel::kCameraFileSize);
  for (std::size_t i = 0; i < tavrel::kPartFileKinds.size(); ++i)
    if (files.parts[i]) mark(kPositions.of(tavrel::kPartFileKinds[i].shape), tavrel::kPartFileKinds[i].length);
  return asked;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  const std::filesystem::path exe = Dir() / "zav.exe";
  const std::filesystem::path backup = tavrel::BackupPath(exe);
  const std::vector<std::uint8_t> before = MakeExe(in);
  Write(exe, before);
  MakeBackupPlace(in, backup, before.size());
  const bool hadBackup = std::filesystem::exists(backup);

  tavrel::ExePatchFiles files;
  files.car = MakeFile(in, "car.cs3", Car::kImageSize, ShapeHeader::kMagicCar);
  files.cameras = MakeFile(in, "cameras.cam", tavrel::kCameraFileSize, 0);
  for (std::size_t i = 0; i < tavrel::kPartFileKinds.size(); ++i) {
    const tavrel::PartFileKind& kind = tavrel::kPartFileKinds[i];
    const std::string name = "part." + std::string(kind.dialog.extension);
    files.parts[i] = MakeFile(in, name.c_str(), kind.length, ShapeHeader::kMagicPart);
  }
  files.force = in.ConsumeBool();

  tavrel::SilentMessages messages;
  const auto steps = tavrel::PatchFilesIntoExe(exe, files, kPositions, messages);
  const auto after = tavrel::readFile(exe);
  if (!after) __builtin_trap();
  if (!tavrel::AllPatched(steps)) {
    if (*after != before) __builtin_trap();
    return 0;
  }
  if (after->size() != before.size()) __builtin_trap();
  const std::vector<bool> asked = AskedRegions(files, before.size());
  for (std::size_t i = 0; i < before.size(); ++i)
    if (!asked[i] && (*after)[i] != before[i]) __builtin_trap();
  if (!hadBackup && *after != before && tavrel::readFile(backup) != before) __builtin_trap();
  return 0;
}
