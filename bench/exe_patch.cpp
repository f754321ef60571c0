// The game's executable (sparse, sized so every image is read whole): importing
// the car, its parts and cameras; patching the car back unchanged (one region
// read, compared and read back) and with one point moved each time (one write
// more); patching the RCR block.

#include <filesystem>

#include <benchmark/benchmark.h>

#include "base/Messages.h"
#include "demo/ExeBuilder.h"
#include "scratch/ScratchFolder.h"
#include "shape/ExeExport.h"
#include "shape/GameExecutable.h"
#include "shape/RcrPatches.h"

namespace {

using namespace tavrel;

// An executable made once per benchmark, removed with its folder.
class ExeFolder {
 public:
  ExeFolder() {
    ExeRecipe recipe = SampleExeRecipe(1);
    recipe.size = kWholeImagesSize;
    BuildExe(exe(), recipe);
  }
  std::filesystem::path exe() const { return m_Folder.path() / "zav.exe"; }

 private:
  ScratchFolder m_Folder{"bench-exe"};
};

void BM_ImportCarPartsAndCameras(benchmark::State& state) {
  const ExeFolder folder;
  SilentMessages messages;
  for (auto _ : state) {
    auto car = ImportFromExe(folder.exe(), kPatchedPositions, messages);
    ReadCamerasFromExe(*car, folder.exe(), kPatchedPositions, messages);
    benchmark::DoNotOptimize(car);
  }
}
BENCHMARK(BM_ImportCarPartsAndCameras)->Unit(benchmark::kMillisecond);

void BM_PatchCar(benchmark::State& state) {
  const bool change = state.range(0) != 0;
  const ExeFolder folder;
  SilentMessages messages;
  auto car = ImportFromExe(folder.exe(), kPatchedPositions, messages);
  std::size_t writes = 0;
  for (auto _ : state) {
    if (change) car->m_Points[0].m_Y += 1;
    writes += PatchCar(folder.exe(), *car, kPatchedPositions, messages).writes;
  }
  state.counters["writes/patch"] = benchmark::Counter(static_cast<double>(writes), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_PatchCar)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_PatchRcrDistances(benchmark::State& state) {
  const ExeFolder folder;
  SilentMessages messages;
  std::int32_t distance = 0;
  for (auto _ : state) WriteRcrDistances(folder.exe(), 1, {distance++, 7680, 3840, 7680}, messages);
}
BENCHMARK(BM_PatchRcrDistances)->Unit(benchmark::kMicrosecond);

}  // namespace
