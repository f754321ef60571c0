#pragma once
// The monkey's one source of chance: every choice comes from the seed, so a
// seed and a count of actions name a run.

#include <cstdint>
#include <iterator>
#include <random>

namespace tavrel::monkey {

class Random {
 public:
  explicit Random(std::uint32_t seed) : m_Engine(seed) {}

  // A number in [0, count); 0 when count is 0.
  int Below(int count) {
    if (count <= 0) return 0;
    return std::uniform_int_distribution<int>(0, count - 1)(m_Engine);
  }
  int Between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_Engine); }
  bool Chance(int percent) { return Below(100) < percent; }
  template <typename Range>
  auto& Pick(Range& range) {
    return *std::next(std::begin(range), Below(static_cast<int>(std::size(range))));
  }

 private:
  std::mt19937 m_Engine;
};

}  // namespace tavrel::monkey
