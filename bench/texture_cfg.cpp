// Reading texture.cfg: a full file of 390 lines of 20 corners each (about 40 KB),
// and a 4 MB file of comment and junk lines as a player's mistake might make it.
// Counter: bytes of text per second.
#include <string>

#include <benchmark/benchmark.h>

#include "textures/CarMappingTable.h"

namespace {

std::string fullTable() {
  std::string text = "// position, slot, count, then u, v pairs\n";
  for (int position = 0; position < tavrel::CarMappingTable::kEntryCount; ++position) {
    text += std::to_string(position) + ", " + std::to_string(position % 5) + ", 20";
    for (int k = 0; k < 20; ++k) text += ", " + std::to_string((position + k) % 256) + ", " + std::to_string(k * 12);
    text += "\r\n";
  }
  return text;
}

std::string junk() {
  std::string text;
  while (text.size() < 4'000'000)
    text += "# a remark\n12 ,2,1,1,1\n\x01\xff garbage line,,,\n" + std::string(600, 'x') + '\n';
  return text;
}

void readText(benchmark::State& state, const std::string& text) {
  tavrel::CarMappingTable table;
  for (auto _ : state) {
    table.ReadTextureCfgText(text);
    benchmark::DoNotOptimize(table);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(text.size()));
}

void BM_FullTable(benchmark::State& state) { readText(state, fullTable()); }
void BM_JunkLines(benchmark::State& state) { readText(state, junk()); }

}  // namespace

BENCHMARK(BM_FullTable);
BENCHMARK(BM_JunkLines);
