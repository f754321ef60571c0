// The document's history: 10,000 point edits of a car of 300 points, each one
// step, then each one undone. Counters: the heap the steps keep (the growth of
// the heap across the edits, per step and for all of them) and the time per
// step and per undo.
#include <malloc.h>

#include <filesystem>

#include <benchmark/benchmark.h>

#include "GameFolder.h"
#include "base/FileWrites.h"
#include "base/Files.h"
#include "base/Messages.h"
#include "base/Settings.h"
#include "demo/ShapeImageBuilder.h"
#include "document/Document.h"
#include "document/EditorHost.h"
#include "document/FileChooser.h"
#include "scratch/ScratchFolder.h"

namespace {

using namespace tavrel;

constexpr int kSteps = 10000;

// Answers every point editor with the next values.
class CountingEditors : public EditorHost {
 public:
  bool EditPoint(PointValues& values, const ViewCenter&) override {
    values = {++m_Next, m_Next, m_Next};
    return true;
  }
  bool EditCamera(CameraFields&) override { return false; }
  bool EditDataValue(int&) override { return false; }

 private:
  int m_Next = 0;
};

// A document with the car open from a file in a folder of its own.
struct OpenCar {
  OpenCar() {
    UseGameFolder(program, folder);
    writeFileAtomically(folder / "car.cs3", BuildShapeFile(FullCarRecipe()));
    document.Open(folder / "car.cs3");
  }
  ScratchFolder scratch{"bench-history"};
  std::filesystem::path folder = scratch.path();
  MemorySettings settings;
  ProgramValues program{settings};
  SilentMessages messages;
  FixedFileChooser chooser{folder / "saved.cs3"};
  Document document{program, messages, chooser};
};

std::size_t HeapInUse() { return mallinfo2().uordblks; }

void BM_PointEditSteps(benchmark::State& state) {
  std::size_t kept = 0;
  for (auto _ : state) {
    state.PauseTiming();
    auto open = std::make_unique<OpenCar>();
    CountingEditors editors;
    Car& car = *open->document.GetCar();
    const std::size_t before = HeapInUse();
    state.ResumeTiming();
    for (int i = 0; i < kSteps; ++i)
      open->document.EditElement(car.m_Points[std::size_t(i % car.m_PointCount)], editors);
    state.PauseTiming();
    kept = HeapInUse() - before;
    open.reset();
    state.ResumeTiming();
  }
  state.counters["history_bytes"] = static_cast<double>(kept);
  state.counters["bytes_per_step"] = static_cast<double>(kept) / kSteps;
  state.counters["steps"] = benchmark::Counter(double(kSteps), benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_PointEditSteps)->Unit(benchmark::kMillisecond);

void BM_UndoSteps(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    auto open = std::make_unique<OpenCar>();
    CountingEditors editors;
    Car& car = *open->document.GetCar();
    for (int i = 0; i < kSteps; ++i)
      open->document.EditElement(car.m_Points[std::size_t(i % car.m_PointCount)], editors);
    state.ResumeTiming();
    while (open->document.CanUndo()) open->document.Undo();
    state.PauseTiming();
    open.reset();
    state.ResumeTiming();
  }
  state.counters["undos"] = benchmark::Counter(double(kSteps), benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_UndoSteps)->Unit(benchmark::kMillisecond);

}  // namespace
