// Texture files built to exhaust memory. Filling the chassis slot from a
// Chassis3.jam of 10, 1,000 and 65,535 items, each claiming the whole 1 MB
// canvas (1024 x 1024 pixels), and listing a car whose twelve texture files
// hold 10 and 65,535 one-pixel items each. Counters: the heap's peak over what
// it held before (peakBytes) and what stays after (keptBytes). The goal is the
// 65,535-item cases within 1.5 times the 10-item ones.

#include <algorithm>
#include <filesystem>

#include <benchmark/benchmark.h>

#include "CountedHeap.h"
#include "base/Files.h"
#include "base/Messages.h"
#include "demo/JamWriter.h"
#include "scratch/ScratchFolder.h"
#include "shape/Car.h"
#include "shape/JamFile.h"
#include "shape/Outline.h"
#include "textures/CarMappingTable.h"
#include "textures/TextureSlots.h"

namespace {

using namespace tavrel;

// A game folder of its own, removed with the object.
class GameFolder {
 public:
  explicit GameFolder(const std::string& name) : m_Folder("bench-" + name) {}
  void Write(std::string_view relative, const JamRecipe& recipe) const {
    const std::filesystem::path path = m_Folder.path() / std::string(relative);
    std::filesystem::create_directories(path.parent_path());
    writeFileAtomically(path, BuildJamFile(recipe));
  }
  std::string Location() const { return m_Folder.path().string(); }

 private:
  ScratchFolder m_Folder;
};

JamRecipe ItemsOver(int count, std::uint16_t width, std::uint16_t height, int canvasRows) {
  JamRecipe recipe;
  recipe.canvas = PatternCanvas(canvasRows);
  for (int i = 0; i < count; ++i)
    recipe.items.push_back(PatternItem(0, 0, width, height, 0, static_cast<std::uint16_t>(i)));
  return recipe;
}

// Measures `work` once per iteration: its time, and the heap's peak and what stays, over the start.
template <typename Work>
void MeasureHeap(benchmark::State& state, Work work) {
  long long peak = 0;
  long long kept = 0;
  for (auto _ : state) {
    const long long before = counted_heap::Live();
    counted_heap::ResetPeak();
    auto result = work();
    peak = counted_heap::Peak() - before;
    kept = counted_heap::Live() - before;
    state.PauseTiming();
    result.reset();
    state.ResumeTiming();
  }
  state.counters["peakBytes"] = static_cast<double>(peak);
  state.counters["keptBytes"] = static_cast<double>(kept);
}

void BM_FillChassisSlot(benchmark::State& state) {
  const int items = static_cast<int>(state.range(0));
  GameFolder game("chassis-" + std::to_string(items));
  game.Write("zavjams/Main/Chassis3.jam", ItemsOver(items, 1024, 1024, 4096));
  TextureSources sources;
  sources.m_GameLocation = game.Location();
  SilentMessages messages;
  MeasureHeap(state, [&] {
    auto slots = std::make_unique<TextureSlots>();
    LoadChassisTexture(*slots, sources, messages);
    return slots;
  });
}
BENCHMARK(BM_FillChassisSlot)->Arg(10)->Arg(1000)->Arg(65535)->Unit(benchmark::kMillisecond);

void BM_ListCarWithTwelveJams(benchmark::State& state) {
  const int items = static_cast<int>(state.range(0));
  GameFolder game("list-" + std::to_string(items));
  const JamRecipe jam = ItemsOver(items, 1, 1, 1);
  for (std::string_view relative : kCarJamPaths) game.Write(relative, jam);
  Car car;
  CarMappingTable mapping;
  SilentMessages messages;
  const CarJamSource source{nullptr, game.Location(), kDefaultJamSeed, messages};
  MeasureHeap(state, [&] {
    auto top = std::make_unique<OutlineNode>("All Cars", 0);
    ListCar(*top, car, mapping, &source);
    return top;
  });
}
BENCHMARK(BM_ListCarWithTwelveJams)->Arg(10)->Arg(65535)->Unit(benchmark::kMillisecond);

}  // namespace
