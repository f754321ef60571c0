// The demo game: making it (executable, twelve JAM files, texture.cfg, car
// files), and loading all of it as the program does when it imports the car:
// the executable's shapes and cameras, texture.cfg, the twelve JAM files and the
// tree outline of the car, its parts and its texture files.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>

#include "base/Messages.h"
#include "demo/DemoGame.h"
#include "shape/GameExecutable.h"
#include "shape/JamFile.h"
#include "shape/Outline.h"
#include "textures/CarMappingTable.h"
#include "textures/JAM.h"

namespace {

using namespace tavrel;

// A demo game made once, removed at exit.
class DemoFolder {
 public:
  explicit DemoFolder(const std::string& name)
      : m_Path(std::filesystem::temp_directory_path() / ("tavrel-bench-" + name + "-" + std::to_string(getpid()))) {}
  DemoFolder(const DemoFolder&) = delete;
  DemoFolder& operator=(const DemoFolder&) = delete;
  ~DemoFolder() {
    std::error_code error;
    std::filesystem::remove_all(m_Path, error);
  }
  const std::filesystem::path& Path() const { return m_Path; }

 private:
  std::filesystem::path m_Path;
};

const std::filesystem::path& DemoGame() {
  static const DemoFolder folder("demo");
  static const bool made = [] {
    SilentMessages messages;
    return demo::MakeDemoGame(folder.Path(), {}, messages);
  }();
  benchmark::DoNotOptimize(made);
  return folder.Path();
}

long long ExpandAll(OutlineNode& node) {
  long long count = 0;
  for (const auto& child : node.Children()) count += 1 + ExpandAll(*child);
  return count;
}

void BM_MakeDemo(benchmark::State& state) {
  const DemoFolder folder("make");
  SilentMessages messages;
  for (auto _ : state) benchmark::DoNotOptimize(demo::MakeDemoGame(folder.Path(), {}, messages));
}
BENCHMARK(BM_MakeDemo)->Unit(benchmark::kMillisecond);

// Import, texture.cfg and the listing with the JAM files loaded; `expand` makes
// every item of the outline, the JAMs' colour tables included.
void LoadDemo(benchmark::State& state, bool expand) {
  const std::filesystem::path game = DemoGame();
  SilentMessages messages;
  long long items = 0;
  for (auto _ : state) {
    auto car = ImportFromExe(game / "zav.exe", PositionsForPatchLevel(0), messages);
    ReadCamerasFromExe(*car, game / "zav.exe", PositionsForPatchLevel(0), messages);
    CarMappingTable mapping;
    mapping.ReadTextureCfg(game);
    const CarJamSource source{nullptr, game.string(), kDefaultJamSeed, messages};
    OutlineNode top("All Cars", 0);
    ListCar(top, *car, mapping, &source);
    if (expand) items = ExpandAll(top);
    benchmark::DoNotOptimize(top.MadeChildren().size());
  }
  if (expand) state.counters["items"] = static_cast<double>(items);
}

void BM_LoadDemo(benchmark::State& state) { LoadDemo(state, false); }
void BM_LoadDemoOutlineOfEverything(benchmark::State& state) { LoadDemo(state, true); }
BENCHMARK(BM_LoadDemo)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadDemoOutlineOfEverything)->Unit(benchmark::kMillisecond);

// The twelve JAM files loaded with every picture made, as the JAM views and the
// car view's texture set-up need them.
void BM_LoadDemoJamPictures(benchmark::State& state) {
  const std::filesystem::path game = DemoGame();
  SilentMessages messages;
  long long pictures = 0;
  for (auto _ : state) {
    pictures = 0;
    for (std::string_view relative : kCarJamPaths) {
      JAM jam(game / std::string(relative));
      jam.Load(true, messages);
      for (int i = 0; i < jam.ItemCount(); ++i) {
        Picture picture;
        pictures += jam.MakeBitmap(picture, i) ? 1 : 0;
      }
    }
  }
  state.counters["pictures"] = static_cast<double>(pictures);
}
BENCHMARK(BM_LoadDemoJamPictures)->Unit(benchmark::kMillisecond);

}  // namespace
