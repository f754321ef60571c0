// The car tree showing the demo car: the document imports the car with its
// twelve JAM files, the tree's model reflects the outline, and a 300 x 800 tree
// view with the car's items expanded shows its first screen of rows. Once with
// the demo's JAM files, whose items each carry four 256-entry colour tables
// (about half a million table rows in all), once with the same files whose
// tables are empty. The table rows are made only when their item is expanded,
// so both cost about the same. Counter: heap bytes in use when the rows are
// shown, over those before the document was made.
//
// Nothing here draws with GL: QT_QPA_PLATFORM=offscreen will do.
#include <malloc.h>

#include <QApplication>
#include <QTreeView>
#include <filesystem>

#include <benchmark/benchmark.h>

#include "GameFolder.h"
#include "app/CarTreeModel.h"
#include "base/FileWrites.h"
#include "base/Messages.h"
#include "base/Settings.h"
#include "demo/DemoGame.h"
#include "demo/DemoLiveries.h"
#include "document/Document.h"
#include "document/FileChooser.h"
#include "document/ProgramValues.h"
#include "scratch/ScratchFolder.h"

namespace {

using namespace tavrel;

// The demo game, once as made and once with its JAM files' colour tables empty.
struct Games {
  ScratchFolder folder{"bench-tree"};
  std::filesystem::path withTables = folder.path() / "tables";
  std::filesystem::path withoutTables = folder.path() / "empty";

  Games() {
    SilentMessages messages;
    if (!demo::MakeDemoGame(withTables, {}, messages) || !demo::MakeDemoGame(withoutTables, {}, messages)) return;
    for (const demo::LiveryScheme& livery : demo::DemoLiveries())
      WriteWithoutTables(withoutTables / "zavjams/Liveries" / std::string(livery.file), demo::MakeLiveryJam(livery));
    WriteWithoutTables(withoutTables / "zavjams/Main/Chassis3.jam", demo::MakeChassisJam());
  }

  static void WriteWithoutTables(const std::filesystem::path& path, JamRecipe recipe) {
    for (JamItemRecipe& item : recipe.items) {
      item.paletteSize = 0;
      item.palettes = {};
    }
    writeFileAtomically(path, BuildJamFile(recipe));
  }
};

const Games& TheGames() {
  static const Games games;
  return games;
}

long long HeapInUse() {
  const struct mallinfo2 heap = mallinfo2();
  return static_cast<long long>(heap.uordblks) + static_cast<long long>(heap.hblkhd);
}

void ShowDemoCar(benchmark::State& state, const std::filesystem::path& game) {
  MemorySettings settings;
  ProgramValues program(settings);
  UseGameFolder(program, game);
  SilentMessages messages;
  NoFileChooser chooser;
  long long bytes = 0;
  int rows = 0;
  for (auto _ : state) {
    const long long before = HeapInUse();
    {
      CarTreeModel model;
      QTreeView view;
      view.setModel(&model);
      view.resize(300, 800);
      Document document(program, messages, chooser);
      model.AddDocument(document);
      if (!document.NewFromExecutable()) state.SkipWithError("the demo car was not listed");
      const QModelIndex allCars = model.AllCarsIndex();
      view.expand(allCars);
      rows = model.rowCount(allCars);
      for (int row = 0; row < rows; ++row) view.expand(model.index(row, 0, allCars));
      view.show();
      QApplication::processEvents();
      bytes = HeapInUse() - before;
      model.RemoveDocument(document);
    }
    QApplication::processEvents();
  }
  state.counters["heapBytes"] = static_cast<double>(bytes);
  state.counters["carItems"] = rows;
}

void BM_TreeOfDemoCarWithColourTables(benchmark::State& state) { ShowDemoCar(state, TheGames().withTables); }
void BM_TreeOfDemoCarWithEmptyColourTables(benchmark::State& state) { ShowDemoCar(state, TheGames().withoutTables); }
BENCHMARK(BM_TreeOfDemoCarWithColourTables)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TreeOfDemoCarWithEmptyColourTables)->Unit(benchmark::kMillisecond);

}  // namespace

// The view needs an application object before the first benchmark runs.
int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
