#pragma once
// The process-wide pseudo-random generator behind the tour search.
// Inline, because the search draws from it inside its innermost loop.

#include <cstdint>

namespace RandomDetail {
// xoshiro128** state: small, fast and well distributed.
inline uint32_t State[4] = {0x9E3779B9u, 0x243F6A88u, 0xB7E15162u, 0x85A308D3u};

inline uint32_t Rotl(uint32_t x, int k)
{
  return (x << k) | (x >> (32 - k));
}

// One step of the generator on the given state; returns its output.
inline uint32_t Step(uint32_t& s0, uint32_t& s1, uint32_t& s2, uint32_t& s3)
{
  const uint32_t result = Rotl(s1 * 5, 7) * 9;
  const uint32_t t = s1 << 9;
  s2 ^= s0;
  s3 ^= s1;
  s1 ^= s2;
  s0 ^= s3;
  s2 ^= t;
  s3 = Rotl(s3, 11);
  return result;
}

inline uint32_t Next()
{
  return Step(State[0], State[1], State[2], State[3]);
}

// Maps 32 random bits onto 0 .. n - 1 by multiply-high; exact for powers of two.
inline int Scale(uint32_t bits, int n)
{
  return static_cast<int>((static_cast<uint64_t>(bits) * static_cast<uint32_t>(n)) >> 32);
}
}  // namespace RandomDetail

// A uniform integer from 0 to n - 1 (n >= 1).
inline int Random(int n)
{
  return RandomDetail::Scale(RandomDetail::Next(), n);
}

// The generator copied into local variables, for a loop that draws often:
// the copy stays in registers. Draw(n) gives exactly what Random(n) would;
// Store() hands the state back, after which Random goes on from there.
struct TLocalRandom {
  uint32_t S0 = RandomDetail::State[0];
  uint32_t S1 = RandomDetail::State[1];
  uint32_t S2 = RandomDetail::State[2];
  uint32_t S3 = RandomDetail::State[3];

  int Draw(int n) { return RandomDetail::Scale(RandomDetail::Step(S0, S1, S2, S3), n); }
  void Store() const
  {
    RandomDetail::State[0] = S0;
    RandomDetail::State[1] = S1;
    RandomDetail::State[2] = S2;
    RandomDetail::State[3] = S3;
  }
};

// Seeds the generator from the clock.
void Randomize();

// Seeds the generator with a fixed value, so that a run can be repeated.
void RandSeed(uint64_t seed);
