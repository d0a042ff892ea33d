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

inline uint32_t Next()
{
  uint32_t* s = State;
  const uint32_t result = Rotl(s[1] * 5, 7) * 9;
  const uint32_t t = s[1] << 9;
  s[2] ^= s[0];
  s[3] ^= s[1];
  s[1] ^= s[2];
  s[0] ^= s[3];
  s[2] ^= t;
  s[3] = Rotl(s[3], 11);
  return result;
}
}  // namespace RandomDetail

// A uniform integer from 0 to n - 1 (n >= 1). Multiply-high maps 32 random
// bits onto the range; exact for powers of two.
inline int Random(int n)
{
  return static_cast<int>(
      (static_cast<uint64_t>(RandomDetail::Next()) * static_cast<uint32_t>(n)) >> 32);
}

// Seeds the generator from the clock.
void Randomize();

// Seeds the generator with a fixed value, so that a run can be repeated.
void RandSeed(uint64_t seed);
