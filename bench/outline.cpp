// Listing a car in the tree: a car of 300 points with its twelve texture files of
// 40 items each, every item with four 256-byte colour tables (491520 table lines
// in all). The table lines are made only when their item is expanded, so the
// listing costs in proportion to the items. Counters: the items made and the
// growth of the heap across the listing. Listing the car again releases the
// JAMs of the previous listing as it reads the new ones, so from the second
// iteration on that growth is what the items cost.

#include <filesystem>

#include <benchmark/benchmark.h>

#include "CountedHeap.h"
#include "base/Files.h"
#include "base/Messages.h"
#include "demo/JamWriter.h"
#include "demo/ShapeImageBuilder.h"
#include "scratch/ScratchFolder.h"
#include "shape/Car.h"
#include "shape/JamFile.h"
#include "shape/JamOutline.h"
#include "shape/Outline.h"
#include "textures/CarMappingTable.h"
#include "textures/JAM.h"

namespace {

using namespace tavrel;

constexpr int kItems = 40;
constexpr int kTableSize = 256;

JamRecipe RealisticJam() {
  JamRecipe recipe;
  recipe.totalImageSize = 65535;
  for (int i = 0; i < kItems; ++i)
    recipe.items.push_back(PatternItem(static_cast<std::uint8_t>((i % 8) * 32),
                                       static_cast<std::uint16_t>((i / 8) * 48), 32, 48, kTableSize,
                                       static_cast<std::uint16_t>(i), i));
  recipe.canvas = PatternCanvas(240);
  return recipe;
}

// A game folder holding the twelve files, removed at exit.
class GameFolder {
 public:
  GameFolder() {
    const std::vector<std::uint8_t> file = BuildJamFile(RealisticJam());
    for (std::string_view relative : kCarJamPaths) {
      const std::filesystem::path path = m_Folder.path() / std::string(relative);
      std::filesystem::create_directories(path.parent_path());
      writeFileAtomically(path, file);
    }
  }
  std::string Location() const { return m_Folder.path().string(); }

 private:
  ScratchFolder m_Folder{"bench-outline"};
};

std::unique_ptr<Car> CarOf300Points() {
  const ShapeRecipe recipe = FullCarRecipe();
  auto car = std::make_unique<Car>();
  const auto image = BuildShapeImage(recipe);
  std::copy(image.begin(), image.end(), car->m_Image.begin());
  SilentMessages messages;
  car->Decode(94, messages);
  return car;
}

// Items made so far beneath `node`, without making any.
long long MadeItems(const OutlineNode& node) {
  long long count = 0;
  for (const auto& child : node.MadeChildren()) count += 1 + MadeItems(*child);
  return count;
}

long long ExpandAll(OutlineNode& node) {
  long long count = 0;
  for (const auto& child : node.Children()) count += 1 + ExpandAll(*child);
  return count;
}

void BM_ListCarWithTextureFiles(benchmark::State& state) {
  static GameFolder game;
  auto car = CarOf300Points();
  CarMappingTable mapping;
  SilentMessages messages;
  const CarJamSource source{nullptr, game.Location(), kDefaultJamSeed, messages};
  long long items = 0;
  long long bytes = 0;
  for (auto _ : state) {
    const long long before = counted_heap::Live();
    auto top = std::make_unique<OutlineNode>("All Cars", 0);
    ListCar(*top, *car, mapping, &source);
    bytes = counted_heap::Live() - before;
    state.PauseTiming();
    items = MadeItems(*top);
    top.reset();
    state.ResumeTiming();
  }
  state.counters["items"] = static_cast<double>(items);
  state.counters["keptBytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_ListCarWithTextureFiles)->Unit(benchmark::kMillisecond);

// The outline of the twelve loaded JAMs alone, and then with every table expanded.
void OutlineOfTwelveJams(benchmark::State& state, bool expand) {
  static GameFolder game;
  SilentMessages messages;
  std::vector<std::shared_ptr<JAM>> jams;
  for (std::string_view relative : kCarJamPaths) {
    auto jam = std::make_shared<JAM>(std::filesystem::path(game.Location()) / std::string(relative));
    jam->Load(true, messages);
    jams.push_back(std::move(jam));
  }
  long long items = 0;
  long long bytes = 0;
  for (auto _ : state) {
    const long long before = counted_heap::Live();
    auto group = std::make_unique<OutlineNode>("Car Jams", 9);
    for (const auto& jam : jams) AddJamOutline(group->Add("file", 9), jam);
    items = expand ? ExpandAll(*group) : MadeItems(*group);
    bytes = counted_heap::Live() - before;
    state.PauseTiming();
    group.reset();
    state.ResumeTiming();
  }
  state.counters["items"] = static_cast<double>(items);
  state.counters["keptBytes"] = static_cast<double>(bytes);
}

void BM_OutlineOfTwelveJams(benchmark::State& state) { OutlineOfTwelveJams(state, false); }
void BM_OutlineOfTwelveJamsAllExpanded(benchmark::State& state) { OutlineOfTwelveJams(state, true); }
BENCHMARK(BM_OutlineOfTwelveJams)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OutlineOfTwelveJamsAllExpanded)->Unit(benchmark::kMillisecond);

}  // namespace
