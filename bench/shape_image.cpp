// Decoding and writing back a full car image: 300 points, 600 connections,
// 400 commands and 200 data values.
#include <benchmark/benchmark.h>

#include "base/Messages.h"
#include "builders/ShapeImageBuilder.h"
#include "shape/Car.h"

namespace {

std::unique_ptr<tavrel::Car> FullCar() {
  tavrel::ShapeSpec spec;
  for (int i = 0; i < 300; ++i) spec.points.push_back({i * 7, i * 11, i * 13, 0});
  for (int i = 0; i < 600; ++i)
    spec.connections.push_back({static_cast<std::uint16_t>(i % 300), static_cast<std::uint16_t>((i + 1) % 300), 0, 0});
  for (int i = 0; i < 400; ++i) {
    const auto c = static_cast<std::uint16_t>(i % 600 + 1);
    spec.commands.push_back({0x01, c, static_cast<std::uint16_t>(c + 1), static_cast<std::uint16_t>(-c), 0});
  }
  spec.dataValues.assign(200, 42);
  auto car = std::make_unique<tavrel::Car>();
  const auto image = tavrel::BuildShapeImage(spec);
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
