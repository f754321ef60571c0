// Arbitrary bytes as the start of a game executable (sparse beyond, so every
// image is read and patched whole), with the positions moved into those bytes.
// Bit i of the first byte puts a valid magic number at shape i's position (a
// gate the fuzzer rarely passes by itself). Importing and at once patching
// everything back must not change a byte.
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <vector>

#include "base/Messages.h"
#include "scratch/ScratchFolder.h"
#include "shape/ExeExport.h"
#include "shape/GameExecutable.h"

namespace {

constexpr tavrel::ExePositions kPositions{0, 2048, 1536, 512, 1024, 3000};
constexpr std::uintmax_t kFileSize = 3000 + tavrel::Car::kImageSize;

const std::filesystem::path& ExePath() {
  static const tavrel::ScratchFolder folder("exe");
  static const std::filesystem::path path = folder.path() / "zav.exe";
  return path;
}

void RequireNoChange(const tavrel::PatchResult& result) {
  if (result.writes != 0 || result.bytesChanged != 0) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<std::uint8_t> bytes(data, data + size);
  for (std::size_t i = 0; i < tavrel::kAllShapeKinds.size(); ++i) {
    if (size == 0 || (data[0] & (1u << i)) == 0) continue;
    const tavrel::ShapeKind kind = tavrel::kAllShapeKinds[i];
    const auto magic =
        kind == tavrel::ShapeKind::Car ? tavrel::ShapeHeader::kMagicCar : tavrel::ShapeHeader::kMagicPart;
    tavrel::writeU16(bytes, kPositions.of(kind), static_cast<std::uint16_t>(magic));
  }
  const std::filesystem::path& exe = ExePath();
  {
    std::ofstream out(exe, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  }
  std::filesystem::resize_file(exe, std::max<std::uintmax_t>(size, kFileSize));

  tavrel::SilentMessages messages;
  auto car = tavrel::ImportFromExe(exe, kPositions, messages);
  if (!car || !tavrel::ReadCamerasFromExe(*car, exe, kPositions, messages)) __builtin_trap();
  if (car->m_Valid) RequireNoChange(tavrel::PatchCar(exe, *car, kPositions, messages));
  RequireNoChange(tavrel::PatchCameras(exe, *car, kPositions, messages));
  for (const tavrel::PartFileKind& kind : tavrel::kPartFileKinds) {
    tavrel::Car& part = *kind.PartOf(*car);
    if (part.m_Valid) RequireNoChange(tavrel::PatchPartOfKind(exe, part, kind, kPositions, messages));
  }
  return 0;
}
