// The car view's frame: the demo car imported from the demo's executable, in a
// new view's normal view at 1280 x 1024, drawn off-screen as the window draws
// it (the 3D frame, then the number labels painted over it) and waited for
// with glFinish. The texture objects and the buffer are made by a first frame
// that is not timed, as a view makes them once.
//
// - Empty: the same car and view with every display flag off: the frame
//   clears the buffer and draws nothing.
// - EverythingOn: textures, polygons, points, connections, cameras, tyres,
//   helmet, cockpit and steering wheel, the axis, and the point, connection,
//   polygon and camera numbers. The goal is at most twice the empty frame.
// - EverythingOnButNumbers: the same without the numbers, to tell the 3D
//   part's cost from the labels'.
// - OverJamSize/N: everything on, with the livery and chassis JAM files N
//   times over (N times the items, each item up to N times as tall). The
//   pictures go into four 256 x 256 slots when the textures are loaded, so the
//   frame time stays flat. Counter: the two files' bytes.
//
// It needs a display with GL: run it under
//   xvfb-run -a -s "-screen 0 1400x1100x24" build/NAME/bench/bench_car_frame
// (the offscreen platform gives no GL context).
#include <QGuiApplication>
#include <QPalette>
#include <algorithm>
#include <filesystem>
#include <map>
#include <memory>

#include <benchmark/benchmark.h>

#include "GameFolder.h"
#include "base/FileWrites.h"
#include "base/Messages.h"
#include "base/Settings.h"
#include "demo/DemoGame.h"
#include "demo/DemoLiveries.h"
#include "document/Document.h"
#include "document/FileChooser.h"
#include "document/ProgramValues.h"
#include "scratch/ScratchFolder.h"
#include "textures/TextureSlots.h"
#include "view/OffscreenFrame.h"

namespace {

using namespace tavrel;

constexpr QSize kFrameSize(1280, 1024);
// The livery a new view shows.
const std::string kLivery = DisplayFlags{}.m_CarJamName;

// The recipe's pictures `times` over: the canvas repeated, each item once on
// every copy, and each item as many times taller as the canvas below it allows.
// The demo's canvases have under 4096 rows: 16 times still fits 16-bit rows.
JamRecipe Enlarged(const JamRecipe& recipe, int times) {
  const int rows = static_cast<int>(recipe.canvas.size()) / JAM::kCanvasWidth;
  JamRecipe enlarged = recipe;
  enlarged.items.clear();
  enlarged.canvas.clear();
  for (int copy = 0; copy < times; ++copy) {
    enlarged.canvas.insert(enlarged.canvas.end(), recipe.canvas.begin(), recipe.canvas.end());
    for (JamItemRecipe item : recipe.items) {
      item.y = static_cast<std::uint16_t>(item.y + copy * rows);
      const int below = times * rows - item.y;
      item.height = static_cast<std::uint16_t>(std::min(item.height * times, below));
      enlarged.items.push_back(item);
    }
  }
  return enlarged;
}

// A demo game whose car's livery and chassis JAM files are `times` over.
struct Game {
  ScratchFolder folder{"bench-frame"};
  std::uintmax_t jamBytes = 0;

  explicit Game(int times) : folder("bench-car-frame-" + std::to_string(times)) {
    SilentMessages messages;
    if (!demo::MakeDemoGame(folder.path(), {}, messages)) return;
    const demo::LiveryScheme& livery =
        *std::find_if(demo::DemoLiveries().begin(), demo::DemoLiveries().end(),
                      [](const demo::LiveryScheme& scheme) { return scheme.file == kLivery; });
    Write("zavjams/Liveries/" + kLivery, Enlarged(demo::MakeLiveryJam(livery), times));
    Write("zavjams/Main/Chassis3.jam", Enlarged(demo::MakeChassisJam(), times));
  }

  void Write(const std::filesystem::path& relative, const JamRecipe& recipe) {
    const std::vector<std::uint8_t> bytes = BuildJamFile(recipe);
    writeFileAtomically(folder.path() / relative, bytes);
    jamBytes += bytes.size();
  }
};

// The car imported from the game's executable with its textures loaded, as a
// new car view has it.
struct DemoCar {
  Game game;
  MemorySettings settings;
  ProgramValues program{settings};
  SilentMessages messages;
  NoFileChooser chooser;
  std::unique_ptr<Document> document;

  explicit DemoCar(int jamTimes) : game(jamTimes) {
    UseGameFolder(program, game.folder.path());
    document = std::make_unique<Document>(program, messages, chooser);
    if (!document->NewFromExecutable()) return;
    document->ResetTextures(kLivery);
  }
};

DemoCar& DemoCarWithJamsTimes(int times) {
  static std::map<int, std::unique_ptr<DemoCar>> cars;
  std::unique_ptr<DemoCar>& car = cars[times];
  if (!car) car = std::make_unique<DemoCar>(times);
  return *car;
}

DisplayFlags NothingShown() {
  DisplayFlags flags;
  for (bool* flag :
       {&flags.showFilled,         &flags.showPoints,        &flags.showTyres,        &flags.showHelmet,
        &flags.showAxis,           &flags.showCameras,       &flags.showTexture,      &flags.showShadowBox,
        &flags.showLines,          &flags.showCulling,       &flags.showNormals,      &flags.showSingleColor,
        &flags.showLighting,       &flags.showCar,           &flags.showPointNumbers, &flags.showVertexNumbers,
        &flags.showPolygonNumbers, &flags.showCameraNumbers, &flags.showNoseDetail,   &flags.showCockpit,
        &flags.showSWheel})
    *flag = false;
  return flags;
}

// Everything a view can add to the picture; culling, lighting, single colour
// and normals change how it looks, not how much it shows, and stay off.
DisplayFlags EverythingShown(bool numbers) {
  DisplayFlags flags = NothingShown();
  for (bool* flag : {&flags.showFilled, &flags.showPoints, &flags.showTyres, &flags.showHelmet, &flags.showAxis,
                     &flags.showCameras, &flags.showTexture, &flags.showShadowBox, &flags.showLines, &flags.showCar,
                     &flags.showNoseDetail, &flags.showCockpit, &flags.showSWheel})
    *flag = true;
  flags.showPointNumbers = flags.showVertexNumbers = flags.showPolygonNumbers = flags.showCameraNumbers = numbers;
  return flags;
}

void DrawFrames(benchmark::State& state, DemoCar& car, const DisplayFlags& flags) {
  Document& document = *car.document;
  if (!document.HasCar()) {
    state.SkipWithError("the demo car was not imported");
    return;
  }
  OffscreenFrame frame(document.TextureBitmaps());
  if (!frame.Ready()) {
    state.SkipWithError("no GL context: run under xvfb-run");
    return;
  }
  const FrameInput input{document.GetCar(), document.Mapping(), flags};
  const ViewMatrices view = ViewMatricesFor(Viewpoint{}, document.GetCar(), {kFrameSize.width(), kFrameSize.height()});
  const QColor background = QGuiApplication::palette().color(QPalette::Base);
  if (!frame.Draw(input, view, kFrameSize, background)) {
    state.SkipWithError("the frame could not be drawn");
    return;
  }
  for (auto _ : state) frame.Draw(input, view, kFrameSize, background);
}

void BM_Empty(benchmark::State& state) { DrawFrames(state, DemoCarWithJamsTimes(1), NothingShown()); }
void BM_EverythingOn(benchmark::State& state) { DrawFrames(state, DemoCarWithJamsTimes(1), EverythingShown(true)); }
void BM_EverythingOnButNumbers(benchmark::State& state) {
  DrawFrames(state, DemoCarWithJamsTimes(1), EverythingShown(false));
}
// Every size must draw the same frame: its slots hold the demo's own pictures.
bool SameTextures(DemoCar& car, DemoCar& demo) {
  for (int slot = 1; slot <= TextureSlots::kSlotCount; ++slot)
    if (car.document->TextureBitmaps().Slot(slot) != demo.document->TextureBitmaps().Slot(slot)) return false;
  return true;
}

void BM_OverJamSize(benchmark::State& state) {
  DemoCar& car = DemoCarWithJamsTimes(static_cast<int>(state.range(0)));
  if (!SameTextures(car, DemoCarWithJamsTimes(1))) {
    state.SkipWithError("the larger JAM files gave other textures");
    return;
  }
  DrawFrames(state, car, EverythingShown(true));
  state.counters["jamBytes"] = static_cast<double>(car.game.jamBytes);
}
// Wall time: the rasteriser works on threads of its own while glFinish waits.
BENCHMARK(BM_Empty)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_EverythingOn)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_EverythingOnButNumbers)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_OverJamSize)->Arg(1)->Arg(4)->Arg(16)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

// The off-screen frame needs an application object with a GL-capable platform.
int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
