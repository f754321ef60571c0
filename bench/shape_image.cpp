// Decoding and writing back a full car image.
#include <benchmark/benchmark.h>

#include "base/Messages.h"
#include "demo/ShapeImageBuilder.h"
#include "shape/Car.h"

namespace {

std::unique_ptr<tavrel::Car> FullCar() {
  const tavrel::ShapeRecipe recipe = tavrel::FullCarRecipe();
  auto car = std::make_unique<tavrel::Car>();
  const auto image = tavrel::BuildShapeImage(recipe);
  std::copy(image.begin(), image.end(), car->m_Image.begin());
  return car;
}

void BM_Decode(benchmark::State& state) {
  auto car = FullCar();
  tavrel::SilentMessages messages;
  for (auto _ : state) {
    car->Decode(94, messages);
    benchmark::DoNotOptimize(car->m_CommandCount);
  }
}
BENCHMARK(BM_Decode);

void BM_WriteBack(benchmark::State& state) {
  auto car = FullCar();
  tavrel::SilentMessages messages;
  car->Decode(94, messages);
  for (auto _ : state) {
    car->WriteBack(94);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_WriteBack);

}  // namespace
