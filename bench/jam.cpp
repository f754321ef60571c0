// A livery-sized JAM: 40 items of 256 x 164, each with four 256-entry colour
// tables, stacked on one canvas (1.7 MB). Loading reads, descrambles and parses
// the file; then every item's picture is made. Counters: bytes of the file per
// second and the heap the loaded JAM keeps with its pixels.
#include <malloc.h>

#include <filesystem>

#include <benchmark/benchmark.h>

#include "base/Files.h"
#include "base/Messages.h"
#include "builders/JamWriter.h"
#include "textures/JAM.h"

namespace {

constexpr int kItems = 40;
constexpr int kWidth = 256;
constexpr int kHeight = 164;

std::vector<std::uint8_t> liveryFile() {
  tavrel::JamSpec spec;
  for (int i = 0; i < kItems; ++i)
    spec.items.push_back(tavrel::PatternItem(0, static_cast<std::uint16_t>(i * kHeight), kWidth, kHeight, 256,
                                             static_cast<std::uint16_t>(i), i));
  spec.canvas = tavrel::PatternCanvas(kItems * kHeight, 3);
  return tavrel::BuildJamFile(spec);
}

// The file on disk for as long as the program runs.
const std::filesystem::path& liveryPath() {
  static const std::filesystem::path path = [] {
    auto file = std::filesystem::temp_directory_path() / "tavrel-bench-livery.jam";
    tavrel::writeFileAtomically(file, liveryFile());
    return file;
  }();
  return path;
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

void BM_LoadJamAndMakeEveryPicture(benchmark::State& state) {
  tavrel::SilentMessages messages;
  double keptBytes = 0;
  for (auto _ : state) {
    const std::size_t before = mallinfo2().uordblks;
    tavrel::JAM jam(liveryPath());
    jam.Load(true, messages);
    tavrel::Picture picture;
    for (int i = 0; i < jam.ItemCount(); ++i) {
      jam.MakeBitmap(picture, i);
      benchmark::DoNotOptimize(picture.rgb.data());
    }
    picture = tavrel::Picture();
    keptBytes = static_cast<double>(mallinfo2().uordblks - before);
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(*tavrel::fileSize(liveryPath())));
  state.SetItemsProcessed(state.iterations() * kItems);
  state.counters["kept_bytes"] = keptBytes;
}
BENCHMARK(BM_LoadJamAndMakeEveryPicture)->Unit(benchmark::kMillisecond);

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
