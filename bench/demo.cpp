// The demo game: making it (executable, twelve JAM files, texture.cfg, car
// files), and loading all of it as the program does when it imports the car:
// the executable's shapes and cameras, texture.cfg, the twelve JAM files and the
// tree outline of the car, its parts and its texture files.
#include <benchmark/benchmark.h>
#include <filesystem>

#include "GameFolder.h"
#include "base/Messages.h"
#include "base/Settings.h"
#include "demo/DemoGame.h"
#include "document/Document.h"
#include "document/FileChooser.h"
#include "document/ProgramValues.h"
#include "scratch/ScratchFolder.h"
#include "shape/JamFile.h"
#include "shape/Outline.h"
#include "textures/JAM.h"

namespace {

using namespace tavrel;

const std::filesystem::path& DemoGame() {
  static const ScratchFolder folder("bench-demo");
  static const bool made = [] {
    SilentMessages messages;
    return demo::MakeDemoGame(folder.path(), {}, messages);
  }();
  benchmark::DoNotOptimize(made);
  return folder.path();
}

long long ExpandAll(OutlineNode& node) {
  long long count = 0;
  for (const auto& child : node.Children()) count += 1 + ExpandAll(*child);
  return count;
}

// Each run into a new folder: the demo refuses a folder that holds it already.
void BM_MakeDemo(benchmark::State& state) {
  const ScratchFolder folder("bench-make");
  SilentMessages messages;
  int run = 0;
  for (auto _ : state) {
    const bool made = demo::MakeDemoGame(folder.path() / std::to_string(run++), {}, messages);
    if (!made) state.SkipWithError("the demo was not made");
  }
}
BENCHMARK(BM_MakeDemo)->Unit(benchmark::kMillisecond);

// "Import From Exe..." as the document runs it: shapes, cameras, texture.cfg
// and the listing with the JAM files loaded; `expand` makes every item of the
// outline, the JAMs' colour tables included.
void LoadDemo(benchmark::State& state, bool expand) {
  const std::filesystem::path& game = DemoGame();
  MemorySettings settings;
  ProgramValues program(settings);
  UseGameFolder(program, game);
  SilentMessages messages;
  NoFileChooser chooser;
  long long items = 0;
  for (auto _ : state) {
    Document document(program, messages, chooser);
    if (!document.NewFromExecutable() || !document.Outline()) state.SkipWithError("the demo car was not listed");
    if (expand && document.Outline()) items = ExpandAll(*document.Outline());
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
  const std::filesystem::path& game = DemoGame();
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
