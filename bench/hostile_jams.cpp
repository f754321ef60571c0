// Texture files built to exhaust memory. Filling the chassis slot from a
// Chassis3.jam of 10, 1,000 and 65,535 items, each claiming the whole 1 MB
// canvas (1024 x 1024 pixels), and listing a car whose twelve texture files
// hold 10 and 65,535 one-pixel items each. Counters: the heap's peak over what
// it held before (peakBytes) and what stays after (keptBytes). The goal is the
// 65,535-item cases within 1.5 times the 10-item ones.
#include <malloc.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <new>

#include <benchmark/benchmark.h>

#include "base/Files.h"
#include "base/Messages.h"
#include "builders/JamWriter.h"
#include "shape/Car.h"
#include "shape/JamFile.h"
#include "shape/Outline.h"
#include "textures/CarMappingTable.h"
#include "textures/TextureSlots.h"

namespace {

std::atomic<long long> g_liveBytes{0};
std::atomic<long long> g_peakBytes{0};

}  // namespace

// Heap bytes in use and their peak, counted for the whole program.
void* operator new(std::size_t size) {
  void* block = std::malloc(size == 0 ? 1 : size);
  if (block == nullptr) throw std::bad_alloc();
  const long long live = g_liveBytes += static_cast<long long>(malloc_usable_size(block));
  long long peak = g_peakBytes;
  while (live > peak && !g_peakBytes.compare_exchange_weak(peak, live)) {
  }
  return block;
}
void operator delete(void* block) noexcept {
  if (block == nullptr) return;
  g_liveBytes -= static_cast<long long>(malloc_usable_size(block));
  std::free(block);
}
void operator delete(void* block, std::size_t) noexcept { operator delete(block); }

namespace {

using namespace tavrel;

// A game folder of its own, removed at exit.
class GameFolder {
 public:
  explicit GameFolder(const std::string& name)
      : m_Path(std::filesystem::temp_directory_path() / ("tavrel-bench-" + name + "-" + std::to_string(getpid()))) {}
  ~GameFolder() {
    std::error_code error;
    std::filesystem::remove_all(m_Path, error);
  }
  void Write(std::string_view relative, const JamRecipe& recipe) const {
    const std::filesystem::path path = m_Path / std::string(relative);
    std::filesystem::create_directories(path.parent_path());
    writeFileAtomically(path, BuildJamFile(recipe));
  }
  std::string Location() const { return m_Path.string(); }

 private:
  std::filesystem::path m_Path;
};

JamRecipe ItemsOver(int count, std::uint16_t width, std::uint16_t height, int canvasRows) {
  JamRecipe recipe;
  recipe.canvas = PatternCanvas(canvasRows);
  for (int i = 0; i < count; ++i) recipe.items.push_back(PatternItem(0, 0, width, height, 0, static_cast<std::uint16_t>(i)));
  return recipe;
}

// Measures `work` once per iteration: its time, and the heap's peak and what stays, over the start.
template <typename Work>
void MeasureHeap(benchmark::State& state, Work work) {
  long long peak = 0;
  long long kept = 0;
  for (auto _ : state) {
    const long long before = g_liveBytes;
    g_peakBytes = before;
    auto result = work();
    peak = g_peakBytes - before;
    kept = g_liveBytes - before;
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
