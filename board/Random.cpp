#include "board/Random.h"

#include <chrono>

namespace {

uint64_t SplitMix(uint64_t& x)
{
  uint64_t z = (x += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

}  // namespace

TRandomState SeededState(uint64_t seed)
{
  TRandomState state{};
  uint64_t s = seed;
  for (int i = 0; i < 4; i += 2) {
    const uint64_t v = SplitMix(s);
    state.S[i] = static_cast<uint32_t>(v);
    state.S[i + 1] = static_cast<uint32_t>(v >> 32);
  }
  return state;
}

TRandomState SplitStream()
{
  const uint64_t high = static_cast<uint32_t>(Random(1 << 16)) << 16 | static_cast<uint32_t>(Random(1 << 16));
  const uint64_t low = static_cast<uint32_t>(Random(1 << 16)) << 16 | static_cast<uint32_t>(Random(1 << 16));
  return SeededState(high << 32 | low);
}

void RandSeed(uint64_t seed)
{
  RandomDetail::State = SeededState(seed);
}

void Randomize()
{
  RandSeed(static_cast<uint64_t>(
      std::chrono::high_resolution_clock::now().time_since_epoch().count()));
}
