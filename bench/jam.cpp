// A livery-sized JAM: 40 items of 256 x 164, each with four 256-entry colour
// tables, stacked on one canvas (1.7 MB). Loading reads, descrambles and parses
// the file; then every item's picture is made, kept or let go after use as jam
// extract does. Counters: bytes of the file per second and the heap the loaded
// JAM keeps. Then what hostile files cost: one of 5 GB (sparse) is refused from
// its length, and 1000 items that claim 4096 x 4096 pixels of a 256-row canvas
// get no picture instead of 16 MB each.
#include <malloc.h>

#include <filesystem>

#include <benchmark/benchmark.h>

#include "base/Files.h"
#include "base/Messages.h"
#include "demo/JamWriter.h"
#include "textures/JAM.h"

namespace {

constexpr int kItems = 40;
constexpr int kWidth = 256;
constexpr int kHeight = 164;

std::vector<std::uint8_t> liveryFile() {
  tavrel::JamRecipe recipe;
  for (int i = 0; i < kItems; ++i)
    recipe.items.push_back(tavrel::PatternItem(0, static_cast<std::uint16_t>(i * kHeight), kWidth, kHeight, 256,
                                               static_cast<std::uint16_t>(i), i));
  recipe.canvas = tavrel::PatternCanvas(kItems * kHeight, 3);
  return tavrel::BuildJamFile(recipe);
}

// 1000 items of 4096 x 4096 at (0, 0) of a 256-row canvas: 97 KB.
std::vector<std::uint8_t> craftedFile() {
  tavrel::JamRecipe recipe;
  for (int i = 0; i < 1000; ++i)
    recipe.items.push_back(tavrel::PatternItem(0, 0, 4096, 4096, 0, static_cast<std::uint16_t>(i)));
  recipe.canvas = tavrel::PatternCanvas(256);
  return tavrel::BuildJamFile(recipe);
}

// The file on disk for as long as the program runs.
std::filesystem::path fileInTemp(const char* name, const std::vector<std::uint8_t>& content) {
  auto file = std::filesystem::temp_directory_path() / name;
  tavrel::writeFileAtomically(file, content);
  return file;
}

const std::filesystem::path& liveryPath() {
  static const std::filesystem::path path = fileInTemp("tavrel-bench-livery.jam", liveryFile());
  return path;
}

// Makes every item's picture, letting each go after use when `release` is set;
// the counters say how much the JAM keeps afterwards.
void makeEveryPicture(benchmark::State& state, const std::filesystem::path& path, bool release) {
  tavrel::SilentMessages messages;
  double keptBytes = 0;
  int items = 0;
  for (auto _ : state) {
    const std::size_t before = mallinfo2().uordblks;
    tavrel::JAM jam(path);
    jam.Load(true, messages);
    tavrel::Picture picture;
    for (int i = 0; i < jam.ItemCount(); ++i) {
      jam.MakeBitmap(picture, i);
      benchmark::DoNotOptimize(picture.rgb.data());
      if (release) jam.ReleaseItem(i);
    }
    picture = tavrel::Picture();
    keptBytes = static_cast<double>(mallinfo2().uordblks - before);
    items = jam.ItemCount();
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(*tavrel::fileSize(path)));
  state.SetItemsProcessed(state.iterations() * items);
  state.counters["kept_bytes"] = keptBytes;
}

void BM_LoadJam(benchmark::State& state) {
  tavrel::SilentMessages messages;
  for (auto _ : state) {
    tavrel::JAM jam(liveryPath());
    benchmark::DoNotOptimize(jam.Load(true, messages));
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(*tavrel::fileSize(liveryPath())));
}
BENCHMARK(BM_LoadJam)->Unit(benchmark::kMillisecond);

void BM_LoadJamAndMakeEveryPicture(benchmark::State& state) { makeEveryPicture(state, liveryPath(), false); }
BENCHMARK(BM_LoadJamAndMakeEveryPicture)->Unit(benchmark::kMillisecond);

void BM_LoadJamAndMakeEveryPictureReleasingEach(benchmark::State& state) {
  makeEveryPicture(state, liveryPath(), true);
}
BENCHMARK(BM_LoadJamAndMakeEveryPictureReleasingEach)->Unit(benchmark::kMillisecond);

void BM_ItemsClaimingMoreThanTheCanvas(benchmark::State& state) {
  static const std::filesystem::path crafted = fileInTemp("tavrel-bench-crafted.jam", craftedFile());
  makeEveryPicture(state, crafted, false);
}
BENCHMARK(BM_ItemsClaimingMoreThanTheCanvas)->Unit(benchmark::kMillisecond);

void BM_RefuseA5GBFile(benchmark::State& state) {
  static const std::filesystem::path huge = [] {
    auto file = fileInTemp("tavrel-bench-huge.jam", liveryFile());
    std::filesystem::resize_file(file, std::uintmax_t{5} << 30);
    return file;
  }();
  tavrel::SilentMessages messages;
  for (auto _ : state) {
    tavrel::JAM jam(huge);
    benchmark::DoNotOptimize(jam.Load(true, messages));
  }
}
BENCHMARK(BM_RefuseA5GBFile)->Unit(benchmark::kMicrosecond);

void BM_Descramble(benchmark::State& state) {
  std::vector<std::uint8_t> bytes = liveryFile();
  for (auto _ : state) {
    tavrel::ScrambleJamBytes(bytes, tavrel::kDefaultJamSeed);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes.size()));
}
BENCHMARK(BM_Descramble)->Unit(benchmark::kMicrosecond);

}  // namespace
